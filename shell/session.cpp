#include "shell/session.h"

#include "game/turn.h"
#include "render/draw.h"
#include "render/skin.h"
#include "shell/assist.h"
#include "shell/display.h"
#include "shell/focus.h"
#include "shell/platform.h"
#include "store/settings.h"

void BeginSession() {
    NewGame();
    LoadSettings();
    SettleFullScreenSetting();
}

void ShowFirstScreen() {
    SelectSkin();
    RedrawScreen(true, true, true);
    EnterStoredFullScreen();
}

// A new mode's leaders are drawn, and the old mode's button loses its marker; the new one keeps
// what the hover last drew on it until the mouse leaves.
static void ShowStartedGame(int32_t previousMode) {
    RedrawScreen(false, Game.mode != previousMode, false);
    if (Game.mode != previousMode) {
        DrawModeButton(previousMode, false);
    }
    RefreshFocus();
}

void StartGame(int32_t mode, const SavedGame* given) {
    HideHint();
    ForgetMoves();
    int32_t previous = Game.mode;
    Game.mode = mode;
    NewGame();
    if (given) {
        PlaySavedGame(*given);
    }
    ShowStartedGame(previous);
}

void EndSession(const char* typedName) {
    FreeSkin();
    FreeBackBuffer();
    SettleInterruptedGameOver(typedName);
}

void LeaveSession() {
    if (FullScreen != 0) {
        LeaveFullScreenMode();
    }
}
