// The entry point, the teardown and the window procedure of the game window.
#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>

#include "dialogs/dialogs.h"
#include "dialogs/resources.h"
#include "game/turn.h"
#include "render/animate.h"
#include "render/draw.h"
#include "render/skin.h"
#include "render/sound.h"
#include "shell/demo.h"
#include "shell/display.h"
#include "shell/focus.h"
#include "shell/input.h"
#include "shell/keys.h"
#include "shell/platform.h"
#include "shell/session.h"
#include "shell/shell.h"
#include "store/leaders.h"
#include "store/settings.h"

HINSTANCE Instance;
HWND MainWindow;
HDC WindowDC;
HDC BackBufferDC;
bool DialogOpen;

namespace {
constexpr UINT_PTR BounceTimer = 1;
constexpr const char* ClassName = "brimzo";
constexpr const char* FolderProperty = "BrimzoFolder";
bool TornDown;
uint32_t FolderKey; // tells the copies of the game apart by the folder they keep their files in

uint64_t Fnv1a(const void* bytes, size_t size, uint64_t hash = 14695981039346656037u) {
    for (size_t i = 0; i < size; i++) {
        hash = (hash ^ static_cast<const uint8_t*>(bytes)[i]) * 1099511628211u;
    }
    return hash;
}

// The folder itself rather than the text of its path: another drive letter, a junction or a
// short name lead to the same folder, and names the code page lacks differ all the same.
// Only a folder that cannot be opened is told by its path, in capitals as Windows ignores case.
uint64_t KeyOfCurrentFolder() {
    HANDLE folder = CreateFileW(L".", 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info;
    bool known = folder != INVALID_HANDLE_VALUE && GetFileInformationByHandle(folder, &info);
    if (folder != INVALID_HANDLE_VALUE) {
        CloseHandle(folder);
    }
    if (known) {
        uint64_t hash = Fnv1a(&info.dwVolumeSerialNumber, sizeof info.dwVolumeSerialNumber);
        hash = Fnv1a(&info.nFileIndexHigh, sizeof info.nFileIndexHigh, hash);
        return Fnv1a(&info.nFileIndexLow, sizeof info.nFileIndexLow, hash);
    }
    wchar_t path[MAX_PATH];
    DWORD length = GetCurrentDirectoryW(MAX_PATH, path);
    length = length < MAX_PATH ? length : 0;
    CharUpperBuffW(path, length);
    return Fnv1a(path, length * sizeof path[0]);
}

BOOL CALLBACK BringForwardIfSameFolder(HWND window, LPARAM) {
    char name[16];
    if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, ClassName) == 0 &&
        reinterpret_cast<uintptr_t>(GetPropA(window, FolderProperty)) == FolderKey) {
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
        }
        SetForegroundWindow(window);
        return FALSE;
    }
    return TRUE;
}

// Two copies in one folder would each save their own leaders over the other's: a second start
// brings the first one's window to the front and ends without touching the settings file.
bool AnotherCopyRunsHere() {
    uint64_t key = KeyOfCurrentFolder();
    FolderKey = static_cast<uint32_t>(key);
    char name[40];
    std::snprintf(name, sizeof name, "Local\\Brimzo-%016llX", static_cast<unsigned long long>(key));
    CreateMutexA(nullptr, FALSE, name); // held until the process ends
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    EnumWindows(BringForwardIfSameFolder, 0);
    return true;
}

int32_t DesktopBitsPerPixel() {
    HWND desktop = GetDesktopWindow();
    HDC context = GetDC(desktop);
    int bits = GetDeviceCaps(context, BITSPIXEL);
    ReleaseDC(desktop, context);
    return bits;
}

bool RegisterWindowClass() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = Instance;
    windowClass.hIcon = LoadIconA(Instance, MAKEINTRESOURCEA(IDI_BRIMZO));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = ClassName;
    return RegisterClassA(&windowClass) != 0;
}

// A position left of or above the work area, or within 10 pixels of its far edges, starts at 0.
void KeepWindowOnTheDesktop() {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (PosX < work.left || PosX > work.right - 10) {
        PosX = 0;
    }
    if (PosY < work.top || PosY > work.bottom - 10) {
        PosY = 0;
    }
}

// The window's commands, which the buttons send it as the keys do.
enum Command : WORD { OptionsCommand = 1, HelpCommand = 2, AboutCommand = 3 };

// What the window buttons send to the window itself, so that they run through the same
// handlers as Alt+Enter and the commands; the minimise button minimises instead.
struct ButtonMessage {
    UINT message;
    WPARAM wParam;
};
constexpr ButtonMessage WindowButtonMessages[WindowButtonCount] = {
    {0, 0},
    {WM_SYSKEYDOWN, VK_RETURN},
    {WM_DESTROY, 0},
    {WM_COMMAND, AboutCommand},
    {WM_COMMAND, HelpCommand},
    {WM_COMMAND, OptionsCommand},
};

void PressWindowButton(HWND window, int32_t button) {
    if (button == MinimiseButton) {
        ShowWindow(window, SW_MINIMIZE);
    } else if (button > MinimiseButton && button < WindowButtonCount) {
        SendMessageA(window, WindowButtonMessages[button].message,
                     WindowButtonMessages[button].wParam, 0);
    }
}

void CreateDrawingContexts(HWND window) {
    WindowDC = GetDC(window);
    BackBufferDC = CreateCompatibleDC(WindowDC);
    CreateBackBuffer();
    SelectObject(BackBufferDC, static_cast<HBITMAP>(BackBuffer.handle));
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC context = BeginPaint(window, &paint);
    BitBlt(context, 0, 0, ScreenWidth, ScreenHeight, BackBufferDC, 0, 0, SRCCOPY);
    EndPaint(window, &paint);
}

// The file of that name in the game's own folder, wherever the current directory has gone.
bool FileBesideGame(const wchar_t* name, wchar_t* path) {
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return false;
    }
    wchar_t* folderEnd = std::wcsrchr(path, L'\\');
    size_t folderLength = folderEnd ? static_cast<size_t>(folderEnd - path + 1) : 0;
    if (folderLength + std::wcslen(name) >= MAX_PATH) {
        return false;
    }
    std::wcscpy(path + folderLength, name);
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Windows has shipped no viewer for "brimzo.hlp" since Vista: without that file beside the
// game, the game's own help page opens in the player's browser.
void OpenHelp(HWND window) {
    wchar_t path[MAX_PATH];
    if (FileBesideGame(L"brimzo.hlp", path)) {
        WinHelpW(window, path, HELP_CONTENTS, 0);
    } else if (FileBesideGame(L"help.html", path)) {
        ShellExecuteW(window, L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
    }
}

// Messages about the settings file name its path, which is UTF-8.
void ShowSettingsMessage(HWND owner, const char* text) {
    static wchar_t wide[2 * SettingsPathBufferSize];
    WideFromUtf8(text, wide, sizeof wide / sizeof wide[0]);
    MessageBoxOverGame(owner, wide, L"Brimzo!", MB_ICONHAND);
}

bool RunCommand(HWND window, WORD id) {
    switch (id) {
    case OptionsCommand:
        RunModalDialog(OptionsDialogTemplate);
        RefreshFocus(); // a new skin draws the whole screen
        return true;
    case HelpCommand:
        OpenHelp(window);
        return true;
    case AboutCommand:
        RunModalDialog(AboutDialogTemplate);
        return true;
    default:
        return false;
    }
}

void LeftButton(HWND window, LPARAM lParam) {
    Click click = LeftButtonDown(LOWORD(lParam), HIWORD(lParam));
    if (click.action == ClickAction::WindowButton) {
        PressWindowButton(window, click.button);
    } else if (click.action == ClickAction::StartDrag) {
        SetCapture(window);
    }
}

struct KeyOfVirtualKey {
    WPARAM virtualKey;
    Key key;
};
constexpr KeyOfVirtualKey Keys[] = {
    {VK_LEFT, Key::Left},
    {VK_RIGHT, Key::Right},
    {VK_UP, Key::Up},
    {VK_DOWN, Key::Down},
    {VK_SPACE, Key::Space},
    {VK_RETURN, Key::Enter},
    {VK_ESCAPE, Key::Escape},
    {VK_F1, Key::F1},
    {VK_F5, Key::F5},
    {VK_F11, Key::F11},
    {'1', Key::Digit1},
    {'2', Key::Digit2},
    {'3', Key::Digit3},
    {'M', Key::M},
    {'H', Key::H},
    {'W', Key::W},
    {'Z', Key::Z},
};

bool KeyPressed(HWND window, WPARAM virtualKey) {
    if (InputEndsDemo()) {
        return true;
    }
    if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && ShareKey(virtualKey)) {
        return true;
    }
    for (const KeyOfVirtualKey& entry : Keys) {
        if (entry.virtualKey == virtualKey) {
            uint32_t modifiers = (GetKeyState(VK_SHIFT) < 0 ? ShiftHeld : 0) |
                                 (GetKeyState(VK_CONTROL) < 0 ? ControlHeld : 0);
            Click click = KeyDown(entry.key, modifiers);
            if (click.action == ClickAction::WindowButton) {
                PressWindowButton(window, click.button);
            }
            return true;
        }
    }
    return false;
}

void MouseMove(LPARAM lParam) {
    if (Dragging) {
        // captured, the pointer may be left of or above the window
        DragTo(static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
    } else {
        TrackHover(LOWORD(lParam), HIWORD(lParam));
    }
}
} // namespace

// Also reached from a fatal error and at the end of the session; it runs once.
void Shutdown() {
    if (TornDown) {
        return;
    }
    TornDown = true;
    if (BackBufferDC) {
        DeleteDC(BackBufferDC); // first, so that the back buffer is no longer selected into it
    }
    char typed[LeaderNameBufferSize];
    NameTypedSoFar(typed, sizeof typed);
    EndSession(typed);
    if (WindowDC) {
        ReleaseDC(MainWindow, WindowDC);
    }
    if (!SaveSettings()) { // the window is on its way out: the message has no owner
        ShowSettingsMessage(nullptr, UnsavedSettingsMessage());
    }
    LeaveSession();
    timeEndPeriod(1);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateDrawingContexts(window);
        return 0;
    case WM_DESTROY:
        Shutdown();
        PostQuitMessage(0);
        return 0;
    case WM_ENDSESSION:
        // the session ends without WM_DESTROY: keep this run's game, leaders and options
        if (wParam) {
            Shutdown();
        }
        return 0;
    case WM_ACTIVATE:
        if (!DialogOpen) {
            ApplyActivation(LOWORD(wParam) != WA_INACTIVE);
        }
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_SYSKEYDOWN:
        if (InputEndsDemo()) {
            return 0;
        }
        if (wParam != VK_RETURN) {
            break;
        }
        RequestFullScreenToggle();
        return 0;
    case WM_KEYDOWN:
        if (!KeyPressed(window, wParam)) {
            break;
        }
        return 0;
    case WM_COMMAND:
        if (!RunCommand(window, LOWORD(wParam))) {
            break;
        }
        return 0;
    case WM_TIMER:
        TimerTick();
        return 0;
    case WM_LBUTTONDOWN:
        LeftButton(window, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        if (RightButtonDown(LOWORD(lParam), HIWORD(lParam))) {
            SetCapture(window);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (ButtonUp()) {
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        ButtonUp(); // the mouse went elsewhere: a drag ends as if its button went up
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(lParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    Instance = instance;
    if (AnotherCopyRunsHere()) {
        return 0;
    }
    timeBeginPeriod(1); // pauses of a millisecond, not of the default 15.6 ms tick
    int32_t bits = DesktopBitsPerPixel();
    if (bits <= 8) {
        FatalError("Please use graphics mode with bit depth of 16, 24 or 32 bits!");
    }
    ProbeFullScreenMode(bits);
    if (!RegisterWindowClass()) {
        timeEndPeriod(1);
        return 0;
    }
    BeginSession();
    LoadSkin();
    KeepWindowOnTheDesktop();
    MainWindow = CreateWindowExA(0, ClassName, "Brimzo!", WS_POPUP | WS_VISIBLE, PosX, PosY,
                                 ScreenWidth, ScreenHeight, nullptr, nullptr, instance, nullptr);
    if (!MainWindow) {
        FatalError("Unable to create the game window!");
    }
    SetPropA(MainWindow, FolderProperty,
             reinterpret_cast<HANDLE>(static_cast<uintptr_t>(FolderKey)));
    ShowFirstScreen();
    ShowWindow(MainWindow, showCommand);
    UpdateWindow(MainWindow);
    if (const char* unkept = UnkeptSettingsMessage()) {
        ShowSettingsMessage(MainWindow, unkept);
    }
    if (const char* failure = SkinFailureMessage()) {
        ShowStopMessage(failure, "Brimzo!");
    }
    SetTimer(MainWindow, BounceTimer, BounceTimerPeriod(), nullptr);
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    KillTimer(MainWindow, BounceTimer);
    return static_cast<int>(message.wParam);
}
