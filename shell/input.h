// The mouse on the 640 x 480 picture: board cells, window buttons, the drag strip and the mode
// buttons, with dragging and the highlight of the button under the pointer.
#pragma once

#include <cstdint>

enum class ClickAction { Nothing, WindowButton, StartDrag };

// The window buttons by their index on the screen: the top row from the left, then the bottom.
enum WindowButton : int32_t {
    MinimiseButton,
    FullScreenButton,
    QuitButton,
    AboutButton,
    HelpButton,
    OptionsButton,
    WindowButtonCount
};

struct Click {
    ClickAction action;
    int32_t button; // the window button's index, for ClickAction::WindowButton
};

extern bool Dragging;
extern int32_t DragAnchorX;
extern int32_t DragAnchorY;
extern int8_t HoveredWindowButton;
extern int8_t HoveredModeButton;

// Board cells and mode buttons are handled here; what a window button does, and taking the
// mouse for a drag, is the window's part.
Click LeftButtonDown(int32_t x, int32_t y);
bool RightButtonDown(int32_t x, int32_t y); // true when a drag starts
bool ButtonUp();                            // true when a drag ended
void DragTo(int32_t x, int32_t y);          // signed client coordinates
void TrackHover(int32_t x, int32_t y);
void ChangeMode(int32_t mode);
