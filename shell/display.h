// The 640 x 480 full-screen mode: found at start-up, switched to and from on request, and
// given back to the desktop while the game is not the active window.
#pragma once

#include <cstdint>

extern bool FullScreenUnsupported;

void ProbeFullScreenMode(int32_t bitsPerPixel);
void SettleFullScreenSetting();  // after the settings are read, before the window is made
void EnterStoredFullScreen();    // once the window is made and drawn
void SetFullScreen(int8_t want); // 1 enter, 0 leave, negative toggle
void ApplyActivation(bool active);
void RequestFullScreenToggle(); // Alt+Enter and the full-screen button

struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
// Where the game's picture is on the screen: its window, or in full screen the screen's corner.
ScreenRect GamePicture();
// Where a dialog or a message box of that size goes: centred on the game's picture, moved in
// as far as it takes to lie within the work area of the game's screen (with its top left corner
// in it when it is larger), so that a game dragged to an edge leaves no box out of sight.
ScreenRect PlaceOverGame(int32_t width, int32_t height, const ScreenRect& work);
