#include "dialogs/dialogs.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "dialogs/resources.h"
#include "dialogs/rules.h"
#include "render/draw.h"
#include "render/skin.h"
#include "render/sound.h"
#include "shell/display.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "store/leaders.h"
#include "store/settings.h"

namespace {
constexpr const char* FirstAddress = BRIMZO_FIRST_LINK;
constexpr const char* SecondAddress = BRIMZO_SECOND_LINK;

int32_t SkinCount;
int32_t SkinIndex;
bool LinkHovered[2];
HWND NameDialog; // while the name is being asked for

bool IdIs(WPARAM wParam, int first, int last) {
    int id = LOWORD(wParam);
    return id >= first && id <= last;
}

void EnableSkinButtons(HWND dialog) {
    EnableWindow(GetDlgItem(dialog, PreviousSkin), SkinIndex > 0);
    EnableWindow(GetDlgItem(dialog, NextSkin), SkinIndex < SkinCount - 1);
}

void InitOptions(HWND dialog) {
    CenterDialog(dialog);
    SetDlgItemInt(dialog, SpeedEdit, static_cast<UINT>(AnimationSpeed), FALSE);
    for (int row = 0; row < 4; row++) {
        if (SoundEnabled[OptionsRowSlot[row]] != 0) {
            CheckDlgButton(dialog, SoundCheckBox + row, BST_CHECKED);
        }
    }
    CountSkins();
    EnableSkinButtons(dialog);
    if (SkinDescription) {
        SetDlgItemTextA(dialog, SkinText, SkinDescription);
    }
}

// A skin button that disables itself would leave the dialog without a focus, and Enter and
// Escape would stop working: the focus goes to the other skin button, or to Ok.
void KeepFocus(HWND dialog, int32_t delta) {
    HWND focus = GetFocus();
    if (focus && IsWindowEnabled(focus)) {
        return;
    }
    HWND other = GetDlgItem(dialog, delta < 0 ? NextSkin : PreviousSkin);
    HWND target = IsWindowEnabled(other) ? other : GetDlgItem(dialog, IDOK);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
}

// The skin named by the new setting is drawn behind the dialog at once.
void ChangeSkin(HWND dialog, int32_t delta) {
    StepSkin(delta);
    EnableSkinButtons(dialog);
    KeepFocus(dialog, delta);
    SetDlgItemTextA(dialog, SkinText, SwitchSkin());
}

// Ok and Escape alike: the dialog has no way to close without applying.
void ApplyOptions(HWND dialog) {
    AnimationSpeed = SpeedFromField(GetDlgItemInt(dialog, SpeedEdit, nullptr, FALSE));
    SetTimer(MainWindow, 1, BounceTimerPeriod(), nullptr);
    for (int row = 0; row < 4; row++) {
        SoundEnabled[OptionsRowSlot[row]] =
            IsDlgButtonChecked(dialog, SoundCheckBox + row) == BST_CHECKED ? 1 : 0;
    }
    EndDialog(dialog, 1);
}

int LinkUnderPointer(HWND dialog, LPARAM lParam) {
    POINT point = {LOWORD(lParam), HIWORD(lParam)};
    HWND control = ChildWindowFromPoint(dialog, point);
    return control ? GetDlgCtrlID(control) : 0;
}

void HoverLinks(HWND dialog, LPARAM lParam) {
    int id = LinkUnderPointer(dialog, lParam);
    const bool now[2] = {id == FirstLink, id == SecondLink};
    if (now[0] || now[1]) {
        SetCursor(LoadCursorA(Instance, MAKEINTRESOURCEA(IDC_LINK_HAND)));
    }
    const char* addresses[2] = {FirstAddress, SecondAddress};
    for (int link = 0; link < 2; link++) {
        if (now[link] != LinkHovered[link]) {
            LinkHovered[link] = now[link];
            SetDlgItemTextA(dialog, FirstLink + link, addresses[link]); // repaints it
        }
    }
}

INT_PTR LinkColours(WPARAM wParam, LPARAM lParam) {
    int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (id != FirstLink && id != SecondLink) {
        return 0;
    }
    auto context = reinterpret_cast<HDC>(wParam);
    SetTextColor(context, LinkHovered[id - FirstLink] ? RGB(51, 102, 255) : RGB(0, 0, 255));
    SetBkColor(context, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

void OpenLink(HWND dialog, LPARAM lParam) {
    int id = LinkUnderPointer(dialog, lParam);
    if (id == FirstLink || id == SecondLink) {
        ShellExecuteA(MainWindow, "open", id == FirstLink ? FirstAddress : SecondAddress, nullptr,
                      nullptr, 0);
    }
}

// The name as typed, in the code page: a letter the code page lacks comes out as a character
// that the name rule refuses, rather than as a "?" that it would pass.
void TypedName(HWND dialog, char* name, int size) {
    wchar_t typed[LeaderNameBufferSize];
    char text[4 * LeaderNameBufferSize]; // up to four bytes a character
    GetDlgItemTextW(dialog, NameEdit, typed, LeaderNameBufferSize);
    ExactAnsiFromWide(typed, text, sizeof text);
    std::snprintf(name, static_cast<size_t>(size), "%s", text);
}

INT_PTR AcceptName(HWND dialog) {
    TypedName(dialog, LastLeaderName, sizeof LastLeaderName);
    NameVerdict verdict = CheckLeaderName(LastLeaderName);
    if (verdict != NameVerdict::Accepted) {
        MessageBoxOverGame(dialog, NameWarning(verdict), "Brimzo! warning", MB_ICONHAND);
        return 0;
    }
    NameDialog = nullptr;
    EndDialog(dialog, 1);
    return 1;
}
} // namespace

DLGPROC DialogProcedure(int32_t templateId) {
    switch (templateId) {
    case OptionsDialogTemplate:
        return OptionsDialogProc;
    case AboutDialogTemplate:
        return AboutDialogProc;
    default:
        return NameDialogProc;
    }
}

// Message boxes too (MessageBoxOverGame), and above the game's window: a box raised at
// start-up is not to come up under it.
void CenterDialog(HWND dialog) {
    RECT frame;
    GetWindowRect(dialog, &frame);
    ScreenRect game = GamePicture();
    RECT picture = {game.left, game.top, game.right, game.bottom};
    MONITORINFO screen = {};
    screen.cbSize = sizeof screen;
    GetMonitorInfoW(MonitorFromRect(&picture, MONITOR_DEFAULTTONEAREST), &screen);
    ScreenRect work = {screen.rcWork.left, screen.rcWork.top, screen.rcWork.right,
                       screen.rcWork.bottom};
    ScreenRect place = PlaceOverGame(frame.right - frame.left, frame.bottom - frame.top, work);
    SetWindowPos(dialog, HWND_TOP, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        InitOptions(dialog);
        return 1;
    }
    if (message != WM_COMMAND) {
        return 0;
    }
    if (IdIs(wParam, IDOK, IDCANCEL)) {
        ApplyOptions(dialog);
        return 1;
    }
    if (IdIs(wParam, SoundPreview, SoundPreview + 3)) {
        PreviewSoundSlot(OptionsRowSlot[LOWORD(wParam) - SoundPreview]);
    } else if (IdIs(wParam, SoundChange, SoundChange + 3)) {
        ChooseWaveFile(dialog, OptionsRowSlot[LOWORD(wParam) - SoundChange]);
    } else if (IdIs(wParam, PreviousSkin, NextSkin)) {
        ChangeSkin(dialog, LOWORD(wParam) == PreviousSkin ? -1 : 1);
    }
    return 0;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        CenterDialog(dialog);
        LinkHovered[0] = false;
        LinkHovered[1] = false;
        return 1;
    case WM_COMMAND:
        if (IdIs(wParam, IDOK, IDCANCEL)) {
            EndDialog(dialog, 1);
            return 1;
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        return LinkColours(wParam, lParam);
    case WM_MOUSEMOVE:
        HoverLinks(dialog, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        OpenLink(dialog, lParam);
        return 0;
    default:
        return 0;
    }
}

// Escape does nothing: the dialog ends only with a name that passed.
INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        NameDialog = dialog;
        CenterDialog(dialog);
        SetDlgItemTextA(dialog, NameEdit, LastLeaderName);
        return 1;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        return AcceptName(dialog);
    }
    return 0;
}

void NameTypedSoFar(char* text, int size) {
    text[0] = '\0';
    if (NameDialog) {
        TypedName(NameDialog, text, size);
    }
}

void ChooseWaveFile(HWND owner, int32_t slot) {
    char file[SoundFileBufferSize];
    std::snprintf(file, sizeof file, "%s", SoundFile[slot]);
    OPENFILENAMEA choice = {};
    choice.lStructSize = OPENFILENAME_SIZE_VERSION_400A; // the short form: no places bar
    choice.hwndOwner = owner;
    choice.lpstrFilter = "WAVe Files (*.wav)\0*.wav\0All Files (*.*)\0*.*\0";
    choice.nFilterIndex = 1;
    choice.lpstrFile = file;
    choice.nMaxFile = sizeof file;
    choice.lpstrInitialDir = "";
    choice.lpstrTitle = "Select Sound File";
    choice.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    choice.lpstrDefExt = "wav";
    BOOL chosen = GetOpenFileNameA(&choice);
    if (chosen == 1) {
        std::memcpy(SoundFile[slot], file, sizeof file);
    }
}

namespace {
// The next "*.png" entry of the listing (started when it is null) that the game can open by the
// name it stores: names with a character the code page lacks are passed over.
bool NextListedSkin(HANDLE* listing, char* name) {
    WIN32_FIND_DATAW entry;
    for (;;) {
        if (!*listing) {
            *listing = FindFirstFileW(L"*.png", &entry);
            if (*listing == INVALID_HANDLE_VALUE) {
                return false;
            }
        } else if (!FindNextFileW(*listing, &entry)) {
            return false;
        }
        if (ExactAnsiFromWide(entry.cFileName, name, PathBufferSize)) {
            return true;
        }
    }
}

void EndListing(HANDLE listing) {
    if (listing && listing != INVALID_HANDLE_VALUE) {
        FindClose(listing);
    }
}
} // namespace

void CountSkins() {
    SkinCount = 0;
    SkinIndex = 0;
    HANDLE listing = nullptr;
    char name[PathBufferSize];
    while (NextListedSkin(&listing, name)) {
        if (std::strcmp(name, Skin) == 0) {
            SkinIndex = SkinCount;
        }
        SkinCount++;
    }
    EndListing(listing);
}

// A listing that has shrunk since the dialog opened leaves the setting as it was.
void StepSkin(int32_t delta) {
    SkinIndex += delta;
    HANDLE listing = nullptr;
    char name[PathBufferSize];
    int32_t position = -1;
    while (position < SkinIndex && NextListedSkin(&listing, name)) {
        position++;
    }
    if (position == SkinIndex && SkinIndex >= 0) {
        std::snprintf(Skin, sizeof Skin, "%s", name);
    }
    EndListing(listing);
}
