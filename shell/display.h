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
