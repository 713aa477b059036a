// The keyboard: a focus cell that the arrow keys move over the board and Space or Enter acts
// on as a click does, and a key for every button. Each platform turns its key events into
// these; the focus is drawn only once a key has been used, so a mouse player never sees it.
#pragma once

#include <cstdint>

#include "shell/input.h"

enum class Key {
    Left,
    Right,
    Up,
    Down,
    Space,
    Enter,
    Escape,
    F1,
    F5,
    F11,
    Digit1,
    Digit2,
    Digit3,
    M,
    D,
    H,
    W,
    Z
};

constexpr uint32_t ShiftHeld = 1;
constexpr uint32_t ControlHeld = 2;

// Board and mode keys act here; a window button's key comes back to the window to press it.
Click KeyDown(Key key, uint32_t modifiers);
