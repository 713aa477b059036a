#include "shell/input.h"

#include "game/turn.h"
#include "render/draw.h"
#include "shell/assist.h"
#include "shell/demo.h"
#include "shell/focus.h"
#include "shell/platform.h"
#include "shell/session.h"
#include "store/settings.h"

bool Dragging = false;
int32_t DragAnchorX = 0;
int32_t DragAnchorY = 0;
int8_t HoveredWindowButton = -1;
int8_t HoveredModeButton = -1;

namespace {
constexpr int32_t BoardEnd = BoardLeft + BoardSize * CellPitch; // 412, gaps included
constexpr int32_t ButtonStripHeight = 2 * WindowButtonSize;
constexpr int32_t ModeButtonsEnd = ModeButtonX + 3 * ModeButtonWidth;

bool OnBoard(int32_t x, int32_t y) {
    return x >= BoardLeft && x < BoardEnd && y >= BoardLeft && y < BoardEnd;
}

bool OnWindowButtons(int32_t x, int32_t y) {
    return y < ButtonStripHeight && x >= WindowButtonX;
}

bool OnModeButtons(int32_t x, int32_t y) {
    return x >= ModeButtonX && x < ModeButtonsEnd && y >= ModeButtonY &&
           y < ModeButtonY + ModeButtonHeight;
}

int32_t WindowButtonAt(int32_t x, int32_t y) {
    return (x - WindowButtonX) / WindowButtonSize + 3 * (y / WindowButtonSize);
}

void ClickBoard(int32_t x, int32_t y) {
    int32_t dx = x - BoardLeft;
    int32_t dy = y - BoardLeft;
    if (dx % CellPitch < CellPixels && dy % CellPitch < CellPixels) {
        PlayerClicksCell(dx / CellPitch, dy / CellPitch);
    }
}

bool StartDrag() {
    if (FullScreen != 0) {
        return false;
    }
    Dragging = true;
    return true;
}
} // namespace

// A click ends a demo and does nothing more; any other puts a hint away before it acts.
Click LeftButtonDown(int32_t x, int32_t y) {
    if (InputEndsDemo()) {
        return Click{ClickAction::Nothing, 0};
    }
    DragAnchorX = x;
    DragAnchorY = y;
    if (OnBoard(x, y)) {
        ClickBoard(x, y);
    } else if (y < ButtonStripHeight) {
        if (x >= WindowButtonX) {
            return Click{ClickAction::WindowButton, WindowButtonAt(x, y)};
        }
        if (StartDrag()) {
            return Click{ClickAction::StartDrag, 0};
        }
    } else if (OnModeButtons(x, y)) {
        ChangeMode((x - ModeButtonX) / ModeButtonWidth);
    }
    return Click{ClickAction::Nothing, 0};
}

bool RightButtonDown(int32_t x, int32_t y) {
    if (InputEndsDemo()) {
        return false;
    }
    DragAnchorX = x;
    DragAnchorY = y;
    return StartDrag();
}

bool ButtonUp() {
    bool ended = Dragging;
    Dragging = false;
    return ended;
}

// The anchor stays: as the window follows the pointer, the pointer returns to it.
void DragTo(int32_t x, int32_t y) {
    PosX += x - DragAnchorX;
    PosY += y - DragAnchorY;
    MoveMainWindow(PosX, PosY);
}

namespace {
enum class ButtonKind { Window, Mode };

void DrawButton(ButtonKind kind, int32_t index, bool lit) {
    if (kind == ButtonKind::Window) {
        DrawWindowButton(index, lit);
    } else {
        DrawModeButton(index, lit);
    }
}

// Moves one kind of highlight to the button index (-1 for none), drawing only what changes.
void MoveHighlight(ButtonKind kind, int32_t index) {
    int8_t& hovered = kind == ButtonKind::Window ? HoveredWindowButton : HoveredModeButton;
    if (index == hovered) {
        return;
    }
    if (hovered >= 0) {
        DrawButton(kind, hovered, false);
    }
    hovered = static_cast<int8_t>(index);
    if (index >= 0) {
        DrawButton(kind, index, true);
    }
}
} // namespace

// Each kind of button looks after its own highlight; both go out in the neutral zone only.
// The mouse over the board puts the keyboard's focus away; a move reported where the pointer
// already was (as after a dialog closes) is no move.
void TrackHover(int32_t x, int32_t y) {
    static int32_t lastX = -1;
    static int32_t lastY = -1;
    if ((x != lastX || y != lastY) && OnBoard(x, y)) {
        HideFocus();
    }
    lastX = x;
    lastY = y;
    if (OnWindowButtons(x, y)) {
        MoveHighlight(ButtonKind::Window, WindowButtonAt(x, y));
    } else if (OnModeButtons(x, y)) {
        MoveHighlight(ButtonKind::Mode, (x - ModeButtonX) / ModeButtonWidth);
    } else {
        MoveHighlight(ButtonKind::Window, -1);
        MoveHighlight(ButtonKind::Mode, -1);
    }
}

// A click on the current mode's button deals a fresh game too: the only way to give one up.
void ChangeMode(int32_t mode) {
    StartGame(mode, nullptr);
}
