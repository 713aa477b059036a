#include "shell/keys.h"

#include "game/turn.h"
#include "shell/assist.h"
#include "shell/demo.h"
#include "shell/focus.h"
#include "shell/share.h"

namespace {
// The keys of the window buttons; a new game (a mode key) needs Control, so that a stray key
// never ends the game in progress.
struct ButtonKey {
    Key key;
    uint32_t modifiers;
    int32_t button;
};
// clang-format off
constexpr ButtonKey ButtonKeys[] = {
    {Key::M, ControlHeld, MinimiseButton},
    {Key::F11, 0, FullScreenButton}, // Alt+Enter as well
    {Key::F1, ShiftHeld, AboutButton},
    {Key::F1, 0, HelpButton},
    {Key::F5, 0, OptionsButton},
};
// clang-format on

// The first board key only shows where the focus is.
void BoardKey(Key key) {
    if (!FocusShown) {
        ShowFocus();
        return;
    }
    switch (key) {
    case Key::Left:
        MoveFocus(-1, 0);
        break;
    case Key::Right:
        MoveFocus(1, 0);
        break;
    case Key::Up:
        MoveFocus(0, -1);
        break;
    case Key::Down:
        MoveFocus(0, 1);
        break;
    default:
        PlayerClicksCell(FocusColumn, FocusRow);
        RefreshFocus(); // a game over draws the board anew
        break;
    }
}
} // namespace

// Any key ends a demo, and does nothing more; any key puts a hint away before it acts.
Click KeyDown(Key key, uint32_t modifiers) {
    if (InputEndsDemo()) {
        return Click{ClickAction::Nothing, 0};
    }
    for (const ButtonKey& button : ButtonKeys) {
        if (button.key == key && button.modifiers == modifiers) {
            return Click{ClickAction::WindowButton, button.button};
        }
    }
    if (modifiers == ControlHeld && key >= Key::Digit1 && key <= Key::Digit3) {
        ChangeMode(static_cast<int32_t>(key) - static_cast<int32_t>(Key::Digit1));
    } else if (modifiers == ControlHeld && key == Key::D) {
        DealTodaysGame();
    } else if (modifiers == ControlHeld && key == Key::Z) {
        TakeBackMove();
    } else if (modifiers == 0 && key == Key::H) {
        ShowHint();
    } else if (modifiers == 0 && key == Key::W) {
        StartDemo();
    } else if (modifiers == 0 && key <= Key::Enter) {
        BoardKey(key);
    } else if (modifiers == 0 && key == Key::Escape && Game.ballSelected) {
        DeselectBall();
    }
    return Click{ClickAction::Nothing, 0};
}
