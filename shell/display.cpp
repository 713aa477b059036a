#include "shell/display.h"

#include <algorithm>

#include "render/draw.h"
#include "shell/platform.h"
#include "store/settings.h"

bool FullScreenUnsupported = false;

namespace {
// Activation switches the display only while the game runs: not while the window is being
// made (it is activated before start-up has settled FullScreen), and not once a failed switch
// has begun to end the game (closing its message activates the window again).
bool FollowingActivation = false;
} // namespace

void ProbeFullScreenMode(int32_t bitsPerPixel) {
    FullScreenUnsupported = !FindFullScreenMode(bitsPerPixel);
}

// A failed switch ends the game; FullScreen keeps the value it had, and that is what the
// teardown stores.
void SetFullScreen(int8_t want) {
    if (want < 0) {
        want = FullScreen == 0 ? 1 : 0;
    }
    if (want != 0) {
        if (!EnterFullScreenMode()) {
            FollowingActivation = false;
            FatalError("Unable to switch to desired video mode!");
        }
        MoveMainWindow(0, 0);
    } else {
        LeaveFullScreenMode();
        MoveMainWindow(PosX, PosY);
    }
    FullScreen = want;
}

// Another window active: the desktop gets its own mode back, and FullScreen stays set so that
// coming back switches again.
void ApplyActivation(bool active) {
    if (!FollowingActivation || FullScreen == 0) {
        return;
    }
    if (active) {
        SetFullScreen(1);
    } else {
        LeaveFullScreenMode();
        MoveMainWindow(PosX, PosY);
    }
}

void RequestFullScreenToggle() {
    if (FullScreenUnsupported) {
        ShowStopMessage("This video card doesn't support 640*480 resolution in full screen!",
                        "Brimzo!");
        return;
    }
    SetFullScreen(-1);
}

// Before the window exists: a display without the mode keeps the game in a window.
void SettleFullScreenSetting() {
    if (FullScreenUnsupported) {
        FullScreen = 0;
    }
}

// Start-up is done: the stored full screen is entered, and activation followed from now on.
void EnterStoredFullScreen() {
    FollowingActivation = true;
    if (FullScreen != 0) {
        SetFullScreen(1);
    }
}

ScreenRect GamePicture() {
    int32_t left = FullScreen != 0 ? 0 : PosX;
    int32_t top = FullScreen != 0 ? 0 : PosY;
    return ScreenRect{left, top, left + ScreenWidth, top + ScreenHeight};
}

ScreenRect PlaceOverGame(int32_t width, int32_t height, const ScreenRect& work) {
    ScreenRect game = GamePicture();
    int32_t left = game.left + (ScreenWidth - width) / 2;
    int32_t top = game.top + (ScreenHeight - height) / 2;
    left = std::max(work.left, std::min(left, work.right - width));
    top = std::max(work.top, std::min(top, work.bottom - height));
    return ScreenRect{left, top, left + width, top + height};
}
