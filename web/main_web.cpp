// The browser version's start, its one event loop and its end, in the order of the Windows
// program's WinMain and Shutdown, with the page in place of the window.
#include <emscripten.h>

#include <cstring>

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
#include "shell/share.h"
#include "store/daily.h"
#include "store/gamecode.h"
#include "store/leaders.h"
#include "store/profile_memory.h"
#include "store/savegame.h"
#include "store/settings.h"
#include "web/web.h"

namespace {
constexpr const char* ImportPath = "import\\brimzo.ini"; // the file on trial, in memory only
constexpr const char* NotSettings = "This file is not a Brimzo settings file: nothing was changed.";
constexpr const char* NotKept =
    "This browser did not let the game keep the file: nothing was changed.";
constexpr const char* TooLarge =
    "This file is too large for a Brimzo settings file: nothing was changed.";
constexpr const char* ReplaceQuestion =
    "The game in progress, the leader tables of all three modes and the options will be "
    "replaced by those of this file. Replace them?";
constexpr const char* NothingKept =
    "This browser keeps nothing for this page: your game, leaders and options will be lost "
    "when the page is closed. Export brimzo.ini saves them in a file.";
constexpr const char* StorageFull =
    "The browser's storage for this page is full: your game, leaders and options can no longer "
    "be kept, and what you play from now on will be lost when the page is closed. Export "
    "brimzo.ini saves them in a file.";
// The game writes a file back with CR LF line ends and adds the keys it lacks, each at most as
// long as it reads (four sound files of 1023 characters, a skin of 259, the leaders' 900 and
// the rest come to under 6 KiB): a file that leaves less room could never be saved again.
constexpr int32_t OwnKeysRoom = 6 * 1024;

bool TornDown;
bool StorageFailureTold; // until a save is kept again
// The settings file's text on its way between the page's storage and the profile in memory.
char ProfileText[ProfileTextCapacity + 1];

EM_JS(int32_t, JsStoredText, (char* buffer, int32_t size),
      { return Module.page.copyOut(HEAPU8, Module.page.storedBytes(), buffer, size); });
EM_JS(int32_t, JsStore, (const char* text, int32_t length),
      { return Module.page.store(HEAPU8.slice(text, text + length)); });
EM_JS(bool, JsReplaceWith, (const char* text, int32_t length),
      { return Module.page.replaceWith(HEAPU8.slice(text, text + length)); });
EM_ASYNC_JS(void, JsNeedSkin, (const char* name),
            { await Module.page.needSkin(Module.page.textAt(HEAPU8, name)); });
EM_JS(void, JsOpenHelp, (), { Module.page.openHelp(); });
EM_JS(void, JsPublish, (const char* code, const char* result), {
    Module.page.publish(Module.page.textAt(HEAPU8, code), Module.page.textAt(HEAPU8, result));
});

// The stored text becomes the settings file where LoadSettings looks for it; none stored is a
// first start, as with no brimzo.ini beside the Windows program.
void LoadStoredSettings() {
    FormSettingsPath();
    int32_t stored = JsStoredText(ProfileText, sizeof ProfileText);
    if (SettingsPath[0] != '\0' && stored >= 0) {
        SetProfileFileText(SettingsPath, ProfileText, stored); // one too large reads as none
    }
}

// The save lands in the profile in memory and its text in the page's storage; a save too
// large for the profile is as lost as one the storage refuses.
Storage KeepSettings() {
    if (!SaveSettings()) {
        return Storage::Full;
    }
    int32_t length = ProfileFileText(SettingsPath, ProfileText, sizeof ProfileText);
    return length < 0 ? Storage::Kept : static_cast<Storage>(JsStore(ProfileText, length));
}

// A save that is lost is told when it happens, and once: not again after every move, until
// one is kept again.
void StoreSettings() {
    Storage storage = KeepSettings();
    if (storage == Storage::Kept || StorageFailureTold) {
        StorageFailureTold = storage != Storage::Kept;
        return;
    }
    StorageFailureTold = true;
    ShowStopMessage(storage == Storage::Blocked ? NothingKept : StorageFull, "Brimzo!");
}

// The page's share controls work at once, while the game may be busy: they have the game's code
// and the daily result as the last event left them.
void PublishGame() {
    char code[GameCodeBufferSize];
    char result[80];
    GameCode(code);
    JsPublish(code, DailyResultLine(result, sizeof result) ? result : "");
}

// The link the page was opened with, from its '#', is judged as a pasted link is; a longer
// one is cut, and so still too long to be a code.
void TakeLinkedCode() {
    char link[4 * GameCodeBufferSize];
    EventText(link, sizeof link);
    TakeSharedText(link);
}

// The decoder takes what it reads into the live tables: they are put back afterwards.
bool LeaderTablesPass(const char* data, int32_t check) {
    LeaderTable kept[LeaderModeCount];
    std::memcpy(kept, LeaderTables, sizeof kept);
    bool taken = DecodeLeaderTables(data, check);
    std::memcpy(LeaderTables, kept, sizeof kept);
    return taken;
}

// What a file carried over is for: the game in progress and the leaders. A file with neither
// is someone else's; one whose game or leaders fail their checks is damaged.
const char* DamageOf(const char* path) {
    char first[SavedTextBufferSize];
    char second[SavedTextBufferSize];
    char data[LeaderDataLength + 1];
    ReadProfileText("GAME", "SaveData1", "-", first, sizeof first, path);
    ReadProfileText("GAME", "SaveData2", "-", second, sizeof second, path);
    ReadProfileText("LEADERS", "Data", "", data, sizeof data, path);
    bool hasGame = std::strcmp(first, "-") != 0 || std::strcmp(second, "-") != 0;
    bool hasLeaders = data[0] != '\0';
    SavedGame game;
    if (!hasGame && !hasLeaders) {
        return NotSettings;
    }
    if (hasGame && !DecodeSavedGame(first, second, &game)) {
        return "The game in progress in this file is damaged: nothing was changed.";
    }
    if (hasLeaders && !LeaderTablesPass(data, ReadProfileInt("LEADERS", "CRC", 0, path))) {
        return "The leader tables in this file are damaged: nothing was changed.";
    }
    return nullptr;
}

// Any write puts the whole file in the form the game writes it.
bool LeavesRoomToSave(const char* path) {
    char value[SavedTextBufferSize];
    ReadProfileText("GAME", "SaveData1", "-", value, sizeof value, path);
    return WriteProfileText("GAME", "SaveData1", value, path) &&
           ProfileFileText(path, nullptr, 0) <= ProfileTextCapacity - OwnKeysRoom;
}

const char* ImportRefusal(int32_t length) {
    if (length > ProfileTextCapacity) {
        return TooLarge;
    }
    if (std::memchr(ProfileText, '\0', static_cast<size_t>(length))) {
        return NotSettings;
    }
    SetProfileFileText(ImportPath, ProfileText, length);
    const char* refusal = DamageOf(ImportPath);
    if (!refusal && !LeavesRoomToSave(ImportPath)) {
        refusal = TooLarge;
    }
    RemoveProfileFile(ImportPath);
    return refusal;
}

// A file that passes replaces the game once the player agrees: the page keeps it and starts
// again from it, without the save of a teardown, which would write this game over it.
void Import() {
    int32_t length = EventText(ProfileText, sizeof ProfileText);
    const char* refusal = ImportRefusal(length);
    if (refusal) {
        ShowStopMessage(refusal, "Brimzo!");
    } else if (RunQuestionBox(ReplaceQuestion, "Brimzo!")) {
        if (JsReplaceWith(ProfileText, length)) {
            WaitForever();
        }
        ShowStopMessage(NotKept, "Brimzo!");
    }
}

[[noreturn]] void Quit() {
    Shutdown();
    StopForever();
}

// A page has nothing to minimise.
void PressWindowButton(int32_t button) {
    switch (button) {
    case FullScreenButton:
        RequestFullScreenToggle();
        break;
    case QuitButton:
        Quit();
    case AboutButton:
        RunModalDialog(AboutDialogTemplate);
        break;
    case HelpButton:
        JsOpenHelp();
        break;
    case OptionsButton:
        RunModalDialog(OptionsDialogTemplate);
        RefreshFocus(); // a new skin draws the whole screen
        break;
    default:
        break;
    }
}

// A page has no window to drag: a drag that starts ends at once.
void LeftButton(int32_t x, int32_t y) {
    Click click = LeftButtonDown(x, y);
    if (click.action == ClickAction::WindowButton) {
        PressWindowButton(click.button);
    } else if (click.action == ClickAction::StartDrag) {
        ButtonUp();
    }
}

// True when the event may have changed what the settings file keeps. A file or a link the
// player brings meets the player's own game: a demo ends first. (A click or a key ends it
// anyway, and does nothing more.)
bool Dispatch(const WebEvent& event) {
    if (DemoPlaying() && (event.kind == EventKind::Import || event.kind == EventKind::SharedCode)) {
        EndDemo();
    }
    switch (event.kind) {
    case EventKind::PointerDown:
        LeftButton(event.a, event.b);
        return true;
    case EventKind::PointerMove:
        TrackHover(event.a, event.b);
        return false;
    case EventKind::KeyDown: {
        Click click = KeyDown(static_cast<Key>(event.a), static_cast<uint32_t>(event.b));
        if (click.action == ClickAction::WindowButton) {
            PressWindowButton(click.button);
        }
        return true;
    }
    case EventKind::Import:
        Import();
        return false;
    case EventKind::SharedCode:
        TakeLinkedCode();
        return true;
    default:
        HandleBackgroundEvent(event);
        return event.kind == EventKind::FullScreenLeft;
    }
}

// The page fetches only the skin in use before the first frame, and the standard one only
// when that one fails, as the game then turns to it.
void LoadSkinInUse() {
    JsNeedSkin(Skin);
    LoadSkin();
    if (SkinFailureMessage() && std::strcmp(Skin, DefaultSkin) != 0) {
        JsNeedSkin(DefaultSkin);
        LoadSkin();
    }
}

// The canvas holds 32-bit pixels. The page's stored text is the settings file on its disk.
void StartUp() {
    ProbeFullScreenMode(32);
    LoadStoredSettings();
    BeginSession();
    LoadSkinInUse();
    CreateBackBuffer();
    ShowFirstScreen();
    if (const char* failure = SkinFailureMessage()) {
        ShowStopMessage(failure, "Brimzo!");
    }
    SetBounceTimer(BounceTimerPeriod());
    StoreSettings();
    PublishGame();
}
} // namespace

// A dialog or message box is open: the bounce goes on behind it and the browser's own exit from
// full screen counts; the game window itself takes no input, and a command of a dialog that has
// closed meanwhile goes nowhere.
void HandleBackgroundEvent(const WebEvent& event) {
    if (event.kind == EventKind::Tick) {
        TimerTick();
    } else if (event.kind == EventKind::FullScreenLeft && FullScreen != 0) {
        SetFullScreen(0);
    }
}

// Also reached from a fatal error; it runs once. The page keeps the settings after every event
// anyway, and settles a name being asked for when it closes, so closing it loses nothing.
void Shutdown() {
    if (TornDown) {
        return;
    }
    TornDown = true;
    FlushPicture();
    char typed[LeaderNameBufferSize];
    NameTypedSoFar(typed, sizeof typed);
    EndSession(typed);
    StoreSettings();
    LeaveSession();
}

// The page is closing, or the browser puts it aside: the session ends as the Windows one does
// when the system shuts down, a name being asked for settling under the name typed so far,
// and is kept at once; nothing may wait here. Nothing else needs keeping: the page kept every
// finished event, and a turn still being played out is not whole.
extern "C" EMSCRIPTEN_KEEPALIVE void PageClosing() {
    char typed[LeaderNameBufferSize];
    if (NameTypedSoFar(typed, sizeof typed)) {
        SettleInterruptedGameOver(typed);
        KeepSettings();
    }
}

int main() {
    StartUp();
    for (;;) {
        WebEvent event;
        WaitEvent(&event);
        if (Dispatch(event)) {
            StoreSettings();
            PublishGame();
        }
    }
}
