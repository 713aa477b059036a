#include "shell/display.h"

#include "shell/platform.h"
#include "store/settings.h"

bool FullScreenUnsupported = false;

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
    if (FullScreen == 0) {
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
