#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/turn.h"
#include "shell/display.h"
#include "shell/focus.h"
#include "shell/input.h"
#include "shell/keys.h"
#include "shell/session.h"
#include "store/savegame.h"
#include "store/settings.h"
#include "tests/board_text.h"
#include "tests/double/double.h"

namespace {

using Log = std::vector<std::string>;

void FreshWindow() {
    std::memset(&Game, 0, sizeof Game);
    ResetDouble();
    ClearBoard();
    Dragging = false;
    HoveredWindowButton = -1;
    HoveredModeButton = -1;
    FullScreenUnsupported = false;
    FocusShown = false;
    FocusColumn = BoardSize / 2;
    FocusRow = BoardSize / 2;
}

TEST(Mouse, BoardClicksLandOnCellsAndNotInTheGaps) {
    FreshWindow();
    FillShapeless();
    const struct {
        int32_t x, y;
        bool selects;
        int32_t column, row;
    } clicks[] = {{46, 46, true, 0, 0},    {47, 20, false, 0, 0},   {20, 47, false, 0, 0},
                  {52, 52, true, 1, 1},    {406, 406, true, 8, 8},  {410, 410, false, 0, 0},
                  {7, 7, true, 0, 0},      {411, 200, false, 0, 0}, {450, 200, false, 0, 0},
                  {412, 200, false, 0, 0}, {200, 412, false, 0, 0}, {97, 232, true, 2, 5}};
    for (const auto& c : clicks) {
        Game.ballSelected = false;
        Click click = LeftButtonDown(c.x, c.y);
        EXPECT_EQ(click.action, ClickAction::Nothing);
        EXPECT_EQ(Game.ballSelected, c.selects) << c.x << ", " << c.y;
        if (c.selects) {
            EXPECT_EQ(Game.selectedColumn, c.column) << c.x << ", " << c.y;
            EXPECT_EQ(Game.selectedRow, c.row) << c.x << ", " << c.y;
        }
        EXPECT_EQ(DragAnchorX, c.x);
        EXPECT_EQ(DragAnchorY, c.y);
    }
    EXPECT_FALSE(Dragging);
}

TEST(Mouse, WindowButtonsAndTheDragStrip) {
    FreshWindow();
    const struct {
        int32_t x, y, button;
    } buttons[] = {{599, 19, 0}, {600, 0, 1},  {639, 0, 2},
                   {580, 20, 3}, {600, 20, 4}, {639, 39, 5}};
    for (const auto& b : buttons) {
        Click click = LeftButtonDown(b.x, b.y);
        EXPECT_EQ(click.action, ClickAction::WindowButton);
        EXPECT_EQ(click.button, b.button) << b.x << ", " << b.y;
    }
    EXPECT_EQ(LeftButtonDown(3, 3).action, ClickAction::StartDrag);
    EXPECT_TRUE(Dragging);
    EXPECT_TRUE(ButtonUp());
    EXPECT_FALSE(ButtonUp());
    EXPECT_EQ(LeftButtonDown(500, 39).action, ClickAction::StartDrag);
    ButtonUp();
    EXPECT_EQ(LeftButtonDown(600, 40).action, ClickAction::Nothing); // below the buttons
    FullScreen = 1;
    EXPECT_EQ(LeftButtonDown(3, 3).action, ClickAction::Nothing);
    EXPECT_FALSE(RightButtonDown(200, 200));
    EXPECT_FALSE(Dragging);
}

TEST(Mouse, RightDragOverTheBoardMovesTheWindowAndSelectsNothing) {
    FreshWindow();
    FillShapeless();
    PosX = 100;
    PosY = 50;
    ASSERT_TRUE(RightButtonDown(60, 80));
    DragTo(70, 75);
    DragTo(60, 80); // the window has followed: the pointer is back at the anchor
    DragTo(-5, 82); // captured, the pointer can leave the window
    EXPECT_TRUE(ButtonUp());
    EXPECT_EQ(CallLog(), (Log{"MoveWindow 110 45", "MoveWindow 110 45", "MoveWindow 45 47"}));
    EXPECT_EQ(PosX, 45);
    EXPECT_EQ(PosY, 47);
    EXPECT_FALSE(Game.ballSelected);
}

TEST(Mouse, ModeButtonsDealANewGame) {
    FreshWindow();
    Game.mode = Lines;
    NewGame();
    Game.score = 50;
    ClearCallLog();
    LeftButtonDown(434, 110); // the mode in force: a fresh game, the list stays
    EXPECT_EQ(Game.score, 0);
    EXPECT_EQ(CallLog(), (Log{"RedrawScreen 0 0 0"}));
    ClearCallLog();
    LeftButtonDown(613, 134);
    EXPECT_EQ(Game.mode, Groups);
    EXPECT_EQ(CallLog(), (Log{"RedrawScreen 0 1 0", "DrawModeButton 0 0"}));
    ClearCallLog();
    LeftButtonDown(494, 110); // from Groups to Squares: the marker of Groups goes
    EXPECT_EQ(CallLog(), (Log{"RedrawScreen 0 1 0", "DrawModeButton 2 0"}));
    ClearCallLog();
    LeftButtonDown(614, 120); // right of the buttons
    LeftButtonDown(500, 135); // below them
    EXPECT_TRUE(CallLog().empty());
}

TEST(Mouse, HoverLightsOneButtonOfEachKindAndTheNeutralZonePutsThemOut) {
    FreshWindow();
    TrackHover(580, 5);
    EXPECT_EQ(HoveredWindowButton, 0);
    TrackHover(599, 19); // still button 0: nothing drawn
    TrackHover(625, 5);
    TrackHover(500, 120); // a mode button: the window button stays lit
    TrackHover(600, 40);  // just below the window buttons
    TrackHover(601, 40);
    EXPECT_EQ(CallLog(),
              (Log{"DrawWindowButton 0 1", "DrawWindowButton 0 0", "DrawWindowButton 2 1",
                   "DrawModeButton 1 1", "DrawWindowButton 2 0", "DrawModeButton 1 0"}));
    EXPECT_EQ(HoveredWindowButton, -1);
    EXPECT_EQ(HoveredModeButton, -1);
}

TEST(Display, UnsupportedModeRefusesEveryRequest) {
    FreshWindow();
    ScriptDisplay(false, true);
    ProbeFullScreenMode(32);
    EXPECT_TRUE(FullScreenUnsupported);
    FullScreen = 1;        // as the file asks: the window it stays
    ApplyActivation(true); // the window is made active while it is made: start-up decides
    SettleFullScreenSetting();
    EXPECT_EQ(FullScreen, 0);
    EnterStoredFullScreen();
    EXPECT_EQ(CallLog(), (Log{"FindMode 32"}));
    ClearCallLog();
    RequestFullScreenToggle();
    EXPECT_EQ(CallLog(),
              (Log{"Message Brimzo! | This video card doesn't support 640*480 resolution in full "
                   "screen!"}));
    EXPECT_EQ(FullScreen, 0);
}

TEST(Display, ToggleActivationAndFailure) {
    FreshWindow();
    ProbeFullScreenMode(16);
    FullScreen = 1;
    SettleFullScreenSetting(); // a display with the mode keeps what the file asks
    EXPECT_EQ(FullScreen, 1);
    EnterStoredFullScreen();
    EXPECT_EQ(FullScreen, 1);
    PosX = 120;
    PosY = 80;
    RequestFullScreenToggle();
    EXPECT_EQ(FullScreen, 0);
    ClearCallLog();
    RequestFullScreenToggle();
    EXPECT_EQ(FullScreen, 1);
    ApplyActivation(false); // another program: the desktop gets its mode, the flag stays
    EXPECT_EQ(FullScreen, 1);
    ApplyActivation(true);
    EXPECT_EQ(FullScreen, 1);
    RequestFullScreenToggle(); // back to the window, exactly where it was
    ApplyActivation(false);    // windowed: activation changes nothing
    EXPECT_EQ(FullScreen, 0);
    EXPECT_EQ(CallLog(),
              (Log{"EnterFullScreen", "MoveWindow 0 0", "LeaveFullScreen", "MoveWindow 120 80",
                   "EnterFullScreen", "MoveWindow 0 0", "LeaveFullScreen", "MoveWindow 120 80"}));

    ScriptDisplay(true, false); // a switch that fails ends the game and keeps the flag
    EXPECT_THROW(RequestFullScreenToggle(), FatalErrorRaised);
    EXPECT_EQ(FullScreen, 0);
    EXPECT_EQ(CallLog().back(), "Fatal Unable to switch to desired video mode!");
    FullScreen = 1;
    ClearCallLog();
    ApplyActivation(true); // closing the message activates the window: nothing is tried again
    EXPECT_TRUE(CallLog().empty());
    EXPECT_THROW(EnterStoredFullScreen(), FatalErrorRaised); // at start-up: 1 stays stored
    EXPECT_EQ(FullScreen, 1);
}

// Every dialog and message box is centred on the game's picture, and kept within the work area
// of its screen.
TEST(Display, BoxesAreCentredOnTheGameWithinTheWorkArea) {
    const ScreenRect desktop = {0, 0, 1024, 768};
    const struct {
        int32_t fullScreen, x, y, width, height;
        ScreenRect work;
        int32_t left, top;
    } boxes[] = {
        {0, 100, 50, 300, 120, desktop, 270, 230},
        {0, 100, 50, 301, 121, desktop, 269, 229}, // halves cut toward zero
        {1, 100, 50, 300, 120, desktop, 170, 180}, // full screen: the screen's corner
        {0, 900, 700, 384, 114, desktop, 640, 654},
        {0, -600, -400, 384, 114, desktop, 0, 0},
        {0, -1000, 40, 300, 120, {-1280, 0, 0, 1024}, -830, 220}, // a screen left of the first
        {1, 0, 0, 700, 500, {0, 0, 640, 450}, 0, 0}, // larger: its top left corner in sight
    };
    for (const auto& box : boxes) {
        FullScreen = box.fullScreen;
        PosX = box.x;
        PosY = box.y;
        ScreenRect place = PlaceOverGame(box.width, box.height, box.work);
        EXPECT_EQ(place.left, box.left) << box.x << " " << box.width;
        EXPECT_EQ(place.top, box.top) << box.y << " " << box.height;
        EXPECT_EQ(place.right - place.left, box.width);
        EXPECT_EQ(place.bottom - place.top, box.height);
    }
}

// The run's start and end, as every platform calls them: the saved game is read over the
// dealt one, the first screen shows it, and the teardown gives the display back last.
TEST(Session, StartsFromTheSavedGameAndEndsWithTheDisplayGivenBack) {
    FreshWindow();
    SavedGame saved = {Squares, 777u, 40, {}, {{1, 1, 2}, {2, 2, 3}, {3, 3, 4}}, false};
    std::memset(saved.board, EmptyCell, sizeof saved.board);
    saved.board[CellIndex(5, 6)] = 1;
    char first[SavedTextBufferSize];
    char second[SavedTextBufferSize];
    EncodeSavedGame(saved, first, second);
    const std::string ini = "C:\\games\\brimzo.ini";
    SetProfileValue(ini, "GAME", "SaveData1", first);
    SetProfileValue(ini, "GAME", "SaveData2", second);
    SetProfileValue(ini, "WINDOW", "FullScreen", "1");
    ProbeFullScreenMode(32);
    ClearCallLog();
    BeginSession();
    ShowFirstScreen();
    EXPECT_EQ(Game.mode, Squares);
    EXPECT_EQ(Game.score, 40);
    EXPECT_EQ(Game.randomState, 777u);
    EXPECT_EQ(BoardText(), std::string(59, '.') + "1" + std::string(21, '.'));
    EXPECT_EQ(CallLog(),
              (Log{"SelectSkin", "RedrawScreen 1 1 1", "EnterFullScreen", "MoveWindow 0 0"}));
    ClearCallLog();
    EndSession("");
    LeaveSession();
    EXPECT_EQ(CallLog(), (Log{"FreeSkin", "FreeBackBuffer", "LeaveFullScreen"}));
}

// The focus starts hidden in the middle; the first board key shows it where it is.
TEST(Keyboard, ArrowsMoveTheFocusToTheEdgesAndSpaceOrEnterClicks) {
    FreshWindow();
    EXPECT_FALSE(FocusShown);
    EXPECT_EQ(FocusColumn, 4);
    EXPECT_EQ(FocusRow, 4);
    Game.board[CellIndex(7, 4)] = 3;
    Game.board[CellIndex(8, 0)] = 5;
    const struct {
        Key key;
        Log drawn;
    } steps[] = {
        {Key::Right, {"DrawCellFocus 4 4 1"}},
        {Key::Right, {"DrawCellFocus 4 4 0", "DrawCellFocus 5 4 1"}},
        {Key::Right, {"DrawCellFocus 5 4 0", "DrawCellFocus 6 4 1"}},
        {Key::Right, {"DrawCellFocus 6 4 0", "DrawCellFocus 7 4 1"}},
        {Key::Space, {"DrawCellFocus 7 4 1"}}, // selects the ball at (7, 4)
        {Key::Right, {"DrawCellFocus 7 4 0", "DrawCellFocus 8 4 1"}},
        {Key::Right, {}},
        {Key::Down, {"DrawCellFocus 8 4 0", "DrawCellFocus 8 5 1"}},
        {Key::Down, {"DrawCellFocus 8 5 0", "DrawCellFocus 8 6 1"}},
        {Key::Down, {"DrawCellFocus 8 6 0", "DrawCellFocus 8 7 1"}},
        {Key::Down, {"DrawCellFocus 8 7 0", "DrawCellFocus 8 8 1"}},
        {Key::Down, {}},
        {Key::Escape, {"DrawBall 7 4 3 0"}}, // puts the selected ball down
        {Key::Escape, {}},
        {Key::Enter, {"DrawCellFocus 8 8 1"}}, // an empty cell, nothing selected
    };
    for (const auto& step : steps) {
        ClearCallLog();
        EXPECT_EQ(KeyDown(step.key, 0).action, ClickAction::Nothing);
        EXPECT_EQ(CallLog(), step.drawn) << static_cast<int>(step.key);
    }
    EXPECT_FALSE(Game.ballSelected);
    FocusColumn = 1;
    FocusRow = 1;
    ClearCallLog();
    for (Key key : {Key::Left, Key::Up, Key::Left, Key::Up}) {
        KeyDown(key, 0);
    }
    EXPECT_EQ(CallLog(), (Log{"DrawCellFocus 1 1 0", "DrawCellFocus 0 1 1", "DrawCellFocus 0 1 0",
                              "DrawCellFocus 0 0 1"}));
    ClearCallLog();
    KeyDown(Key::Right, ShiftHeld); // not a key of the game
    EXPECT_TRUE(CallLog().empty());
    FocusColumn = 8;
    KeyDown(Key::Enter, 0);
    EXPECT_TRUE(Game.ballSelected); // the ball at (8, 0)
    EXPECT_EQ(Game.selectedRow, 0);
}

TEST(Keyboard, ButtonKeysAndTheMouseOverTheBoard) {
    FreshWindow();
    const struct {
        Key key;
        uint32_t modifiers;
        int32_t button;
    } buttons[] = {{Key::M, ControlHeld, 0},
                   {Key::F11, 0, 1},
                   {Key::F1, ShiftHeld, 3},
                   {Key::F1, 0, 4},
                   {Key::F5, 0, 5}};
    for (const auto& b : buttons) {
        Click click = KeyDown(b.key, b.modifiers);
        EXPECT_EQ(click.action, ClickAction::WindowButton);
        EXPECT_EQ(click.button, b.button) << static_cast<int>(b.key);
    }
    EXPECT_EQ(KeyDown(Key::M, 0).action, ClickAction::Nothing);
    FocusShown = true;
    FocusColumn = 2;
    FocusRow = 6;
    KeyDown(Key::Digit3, 0); // a stray digit starts no new game
    EXPECT_EQ(Game.mode, Lines);
    EXPECT_TRUE(CallLog().empty());
    KeyDown(Key::Digit3, ControlHeld);
    EXPECT_EQ(Game.mode, Groups);
    EXPECT_EQ(CallLog(), (Log{"RedrawScreen 0 1 0", "DrawModeButton 0 0", "DrawCellFocus 2 6 1"}));
    KeyDown(Key::Digit1, ControlHeld);
    EXPECT_EQ(Game.mode, Lines);
    const struct {
        int32_t x, y;
        Log drawn;
    } moves[] = {{500, 300, {}}, // off the board: the focus stays
                 {200, 100, {"DrawCellFocus 2 6 0"}},
                 {200, 100, {}}, // reported again where it was: no move
                 {250, 100, {"DrawCellFocus 2 6 0"}}};
    for (const auto& move : moves) {
        FocusShown = true;
        ClearCallLog();
        TrackHover(move.x, move.y);
        EXPECT_EQ(CallLog(), move.drawn) << move.x << ", " << move.y;
        EXPECT_EQ(FocusShown, move.drawn.empty());
    }
    FocusShown = false;
    ClearCallLog();
    TrackHover(300, 100); // a focus not shown is not taken away, nor drawn again
    RefreshFocus();
    EXPECT_TRUE(CallLog().empty());
    KeyDown(Key::Left, 0); // shown where it was, not moved
    EXPECT_EQ(CallLog(), (Log{"DrawCellFocus 2 6 1"}));
}

} // namespace

#include "dialogs/rules.h"

namespace {

TEST(DialogRules, LeaderNamesAndSpeeds) {
    EXPECT_EQ(CheckLeaderName(""), NameVerdict::Accepted);
    EXPECT_EQ(CheckLeaderName("ABCDEFGH"), NameVerdict::Accepted);
    EXPECT_EQ(CheckLeaderName("Jo Doe!"), NameVerdict::Accepted);
    EXPECT_EQ(CheckLeaderName("~\x7F"), NameVerdict::Accepted);
    EXPECT_EQ(CheckLeaderName("ABCDEFGHI"), NameVerdict::TooLong);
    EXPECT_EQ(CheckLeaderName("Ren\xE9"), NameVerdict::NotLatin);
    EXPECT_EQ(CheckLeaderName("tab\there"), NameVerdict::NotLatin);
    EXPECT_EQ(CheckLeaderName("\x1F"), NameVerdict::NotLatin);
    EXPECT_EQ(CheckLeaderName("\x80"), NameVerdict::NotLatin);
    EXPECT_EQ(CheckLeaderName("\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9"), NameVerdict::TooLong);
    EXPECT_STREQ(NameWarning(NameVerdict::TooLong), "Maximum length is 8 characters!");
    EXPECT_STREQ(NameWarning(NameVerdict::NotLatin), "Please use only latin letters!");

    EXPECT_EQ(SpeedFromField(0), 100);
    EXPECT_EQ(SpeedFromField(250), 250);
    EXPECT_EQ(SpeedFromField(1), 1);
    EXPECT_EQ(SpeedFromField(2147483647u), 2147483647);
    EXPECT_EQ(SpeedFromField(2147483648u), 100);
}

} // namespace
