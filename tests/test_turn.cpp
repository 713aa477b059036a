#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/turn.h"
#include "render/animate.h"
#include "render/sound.h"
#include "store/leaders.h"
#include "store/settings.h"
#include "tests/board_text.h"
#include "tests/double/double.h"

namespace {

using Log = std::vector<std::string>;

void StartOnEmptyBoard(int32_t mode = Lines) {
    std::memset(&Game, 0, sizeof Game);
    ResetDouble();
    ClearBoard();
    Game.mode = mode;
    Game.randomState = 4242;
}

void Put(int32_t column, int32_t row, int32_t colour) {
    Game.board[CellIndex(column, row)] = static_cast<int8_t>(colour);
}

void Announce(NextBall a, NextBall b, NextBall c) {
    Game.nextBalls[0] = a;
    Game.nextBalls[1] = b;
    Game.nextBalls[2] = c;
}

// What landing the announced balls draws: a pause before each frame 23..19 and then 0.
Log AppearLog() {
    Log log;
    for (int32_t frame : {23, 22, 21, 20, 19, 0}) {
        log.push_back("Pause 50");
        for (const NextBall& ball : Game.nextBalls) {
            log.push_back("DrawBall " + std::to_string(ball.column) + " " +
                          std::to_string(ball.row) + " " + std::to_string(ball.colour) + " " +
                          std::to_string(frame));
        }
    }
    return log;
}

TEST(ClickCell, EmptyCellWithoutSelectionDoesNothing) {
    StartOnEmptyBoard();
    Put(3, 3, 2);
    GameState before = Game;
    ClickCell(5, 5);
    EXPECT_TRUE(CallLog().empty());
    EXPECT_EQ(std::memcmp(&before, &Game, sizeof Game), 0);
}

TEST(ClickCell, SelectingMovesTheSelectionAndRestartsTheBounce) {
    StartOnEmptyBoard();
    Put(1, 1, 2);
    Put(7, 2, 5);
    ClickCell(1, 1);
    EXPECT_TRUE(CallLog().empty()); // the bounce starts at the next tick
    EXPECT_TRUE(Game.ballSelected);
    EXPECT_EQ(Game.selectedColour, 2);
    BounceStep();
    BounceStep();
    EXPECT_EQ(Game.bounceFrame, 2);
    ClearCallLog();

    ClickCell(1, 1); // the same ball again: put down and picked up anew
    EXPECT_EQ(CallLog(), (Log{"DrawBall 1 1 2 0"}));
    EXPECT_EQ(Game.bounceFrame, 0);

    ClickCell(7, 2);
    EXPECT_EQ(CallLog(), (Log{"DrawBall 1 1 2 0", "DrawBall 1 1 2 0"}));
    EXPECT_EQ(Game.selectedColumn, 7);
    EXPECT_EQ(Game.selectedRow, 2);
    EXPECT_EQ(Game.selectedColour, 5);
}

TEST(ClickCell, UnreachableCellPlaysTheRefusalAndKeepsTheSelection) {
    StartOnEmptyBoard();
    Put(0, 0, 4);
    Put(1, 0, 1);
    Put(0, 1, 1);
    ClickCell(0, 0);
    std::string board = BoardText();
    ClickCell(8, 8);
    EXPECT_EQ(CallLog(), (Log{"Sound cantmove.wav yields"}));
    EXPECT_TRUE(Game.ballSelected);
    EXPECT_EQ(BoardText(), board);
}

TEST(ClickCell, AnnouncedBallOnTheTargetMovesToTheCellTheBallLeaves) {
    StartOnEmptyBoard();
    Put(1, 3, 2);
    Announce({8, 0, 1}, {4, 6, 4}, {0, 8, 6});
    ClickCell(1, 3);
    ClickCell(4, 6);
    ASSERT_GE(CallLog().size(), 2u);
    EXPECT_EQ(CallLog()[0], "ClearCell 4 6"); // its mark is wiped before anything moves
    EXPECT_EQ(CallLog()[1], "DrawBall 1 3 2 0");
    EXPECT_EQ(CallLog()[3], "DrawNextBalls 8,0:1 1,3:4 0,8:6"); // shown where it stepped
    EXPECT_EQ(Game.board[CellIndex(4, 6)], 2);
    EXPECT_EQ(Game.board[CellIndex(1, 3)], 4); // landed where the moving ball came from
    EXPECT_EQ(Game.board[CellIndex(8, 0)], 1); // the others where they were announced
    EXPECT_EQ(CountCalls("DrawBall 1 3 4 23"), 1);
}

TEST(ClickCell, MoveThatCompletesALineScoresAndRemovesWithoutSpawn) {
    StartOnEmptyBoard();
    for (int32_t column = 0; column < 4; column++) {
        Put(column, 4, 1);
    }
    Put(4, 0, 1);
    Announce({7, 7, 3}, {8, 7, 3}, {7, 8, 0});
    ClickCell(4, 0);
    ClearCallLog();
    ClickCell(4, 4);
    Log expected = {"DrawBall 4 0 1 0", "Sound move.wav cuts"};
    const std::string announced = "DrawNextBalls 7,7:3 8,7:3 7,8:0";
    for (int32_t row = 1; row <= 4; row++) {
        expected.push_back(announced);
        expected.push_back("DrawBall 4 " + std::to_string(row) + " 1 0");
        expected.push_back("ClearCell 4 " + std::to_string(row - 1));
        expected.push_back("Pause 20");
    }
    expected.push_back(announced);
    expected.push_back("DrawScore 5"); // the score changes before the balls vanish
    expected.push_back("Sound destroy.wav cuts");
    for (int32_t frame = 7; frame <= 18; frame++) {
        for (int32_t column = 0; column <= 4; column++) {
            expected.push_back("DrawBall " + std::to_string(column) + " 4 1 " +
                               std::to_string(frame));
        }
        expected.push_back("Pause 50");
    }
    for (int32_t column = 0; column <= 4; column++) {
        expected.push_back("ClearCell " + std::to_string(column) + " 4");
    }
    expected.push_back("Pause 50");
    EXPECT_EQ(CallLog(), expected);
    EXPECT_EQ(Game.score, 5);
    EXPECT_EQ(BoardText(), std::string(81, '.'));
    EXPECT_EQ(Game.nextBalls[1].column, 8); // the announced balls stay where they were
    EXPECT_EQ(Game.nextBalls[1].row, 7);
}

TEST(ClickCell, ALineInTheLastColumnVanishes) {
    StartOnEmptyBoard();
    for (int32_t row = 0; row < 4; row++) {
        Put(8, row, 2);
    }
    Put(7, 4, 2);
    ClickCell(7, 4);
    ClickCell(8, 4);
    for (int32_t row = 0; row < 5; row++) {
        EXPECT_EQ(Game.board[CellIndex(8, row)], EmptyCell) << row;
    }
}

TEST(ClickCell, ScoreStopsAtTheLargestValueOfItsType) {
    StartOnEmptyBoard();
    for (int32_t column = 0; column < 4; column++) {
        Put(column, 4, 1);
    }
    Put(4, 0, 1);
    Announce({7, 7, 3}, {8, 7, 3}, {7, 8, 0});
    Game.score = INT32_MAX - 2; // five points of the line would overflow
    ClickCell(4, 0);
    ClickCell(4, 4);
    EXPECT_EQ(Game.score, INT32_MAX);
}

TEST(ClickCell, LandedBallsThatCompleteAShapeScoreInTheSameTurn) {
    StartOnEmptyBoard(Squares);
    Put(0, 7, 3);
    Put(1, 7, 3);
    Put(0, 8, 3);
    Put(8, 0, 6);
    Announce({1, 8, 3}, {5, 0, 2}, {2, 4, 1});
    Game.score = 10;
    ClickCell(8, 0);
    ClickCell(8, 1);
    EXPECT_EQ(Game.score, 14);
    EXPECT_EQ(CountCalls("DrawScore 14"), 1);
    EXPECT_EQ(Game.board[CellIndex(0, 7)], EmptyCell);
    EXPECT_EQ(Game.board[CellIndex(1, 8)], EmptyCell);
    EXPECT_EQ(Game.board[CellIndex(5, 0)], 2);
    // the new balls are announced before the removal
    const Log& log = CallLog();
    auto announced = std::find(log.begin(), log.end(), NextBallsCall(Game.nextBalls));
    auto scored = std::find(log.begin(), log.end(), "DrawScore 14");
    EXPECT_LT(announced, scored);
}

// A shapeless full board with the given cells empty, the ball at (1, 0) selected and about to
// step left onto (0, 0), and three balls announced.
void PrepareNearlyFullBoard(const std::vector<std::pair<int, int>>& otherEmpties) {
    StartOnEmptyBoard();
    FillShapeless();
    Game.board[CellIndex(0, 0)] = EmptyCell;
    for (auto [column, row] : otherEmpties) {
        Game.board[CellIndex(column, row)] = EmptyCell;
    }
    Announce({4, 2, 0}, {8, 4, 0}, {2, 6, 0});
    ClickCell(1, 0);
    ClearCallLog();
}

TEST(ClickCell, SixEmptyCellsBeforeASpawnLeaveThreeAndTheGameGoesOn) {
    PrepareNearlyFullBoard({{4, 2}, {8, 4}, {2, 6}, {6, 8}, {4, 5}});
    Game.score = 77;
    ClickCell(0, 0);
    EXPECT_EQ(Game.score, 77);
    std::set<std::pair<int, int>> announced;
    for (const NextBall& ball : Game.nextBalls) {
        announced.insert({ball.column, ball.row});
    }
    EXPECT_EQ(announced, (std::set<std::pair<int, int>>{{1, 0}, {6, 8}, {4, 5}}));
    EXPECT_EQ(CountCalls("RedrawScreen 0 1 1"), 0);
    EXPECT_EQ(CallLog().back(), NextBallsCall(Game.nextBalls)); // and they are shown
}

TEST(ClickCell, GameOverWithoutAPlaceDealsANewGameAtOnce) {
    PrepareNearlyFullBoard({{4, 2}, {8, 4}, {2, 6}, {6, 8}});
    Game.mode = Groups;
    Game.score = 100; // equal to the tenth line: no place
    Log appear = AppearLog();
    ClickCell(0, 0);
    const Log& log = CallLog();
    auto redraw = std::find(log.begin(), log.end(), "RedrawScreen 0 1 1");
    ASSERT_NE(redraw, log.end());
    EXPECT_EQ(*(redraw - 1), appear.back()); // straight from the landing to the new game
    EXPECT_EQ(CountCalls("Dialog 1002"), 0);
    EXPECT_EQ(Game.mode, Groups);
    EXPECT_EQ(Game.score, 0);
    int32_t balls = 0;
    for (int8_t cell : Game.board) {
        balls += cell == EmptyCell ? 0 : 1;
    }
    EXPECT_EQ(balls, 5);
    EXPECT_STREQ(LeaderLineAt(9), DefaultLeaderLine);
}

TEST(ClickCell, QualifyingGameOverAsksForANameAndEntersIt) {
    PrepareNearlyFullBoard({{4, 2}, {8, 4}, {2, 6}, {6, 8}});
    Game.mode = Squares;
    Game.score = 250;
    ScriptLeaderName("Ann");
    ClickCell(0, 0);
    const Log& log = CallLog();
    auto dialog = std::find(log.begin(), log.end(), "Dialog 1002");
    ASSERT_NE(dialog, log.end());
    EXPECT_EQ(Log(dialog, log.end()), (Log{"Dialog 1002", "RedrawScreen 0 1 1"}));
    EXPECT_STREQ(LastLeaderName, "Ann");
    EXPECT_STREQ(LeaderTables[Squares][0], "Ann      00250");
    EXPECT_STREQ(LeaderTables[Squares][1], DefaultLeaderLine);
    EXPECT_STREQ(LeaderTables[Lines][0], DefaultLeaderLine);
    uint32_t state = Game.randomState;
    SettleInterruptedGameOver("Bo"); // the name was given: a teardown has nothing to settle
    EXPECT_EQ(Game.randomState, state);
    EXPECT_STREQ(LeaderTables[Squares][1], DefaultLeaderLine);
}

struct SessionEnded {};

// Windows ends the session while the name is asked for: the teardown settles the game over.
TEST(ClickCell, SessionEndDuringNameEntryKeepsTheScoreAndSavesTheNextGame) {
    const struct {
        const char* typed;
        const char* line;
    } cases[] = {{"Bo", "Bo       00250"}, {"ABCDEFGHI", "Old      00250"}};
    for (const auto& c : cases) {
        PrepareNearlyFullBoard({{4, 2}, {8, 4}, {2, 6}, {6, 8}});
        Game.mode = Squares;
        Game.score = 250;
        std::strcpy(LastLeaderName, "Old");
        static const char* typed;
        typed = c.typed;
        ScriptNameDialog([] {
            std::strcpy(LastLeaderName, "refused!!"); // an Ok that was refused leaves its text
            SettleInterruptedGameOver(typed);
            throw SessionEnded{};
        });
        EXPECT_THROW(ClickCell(0, 0), SessionEnded);
        EXPECT_STREQ(LeaderTables[Squares][0], c.line) << c.typed;
        EXPECT_EQ(Game.score, 0); // a new deal is what the teardown saves
        int32_t balls = 0;
        for (int8_t cell : Game.board) {
            balls += cell == EmptyCell ? 0 : 1;
        }
        EXPECT_EQ(balls, 5) << c.typed;
        uint32_t state = Game.randomState;
        SettleInterruptedGameOver("Again"); // settled once: nothing more happens
        EXPECT_EQ(Game.randomState, state);
        EXPECT_STREQ(LeaderTables[Squares][1], DefaultLeaderLine);
    }
}

TEST(Bounce, CycleOfColumnsWithTheSoundOnTickEight) {
    StartOnEmptyBoard();
    Put(2, 6, 4);
    ClickCell(2, 6);
    Log expected;
    for (int32_t column : {3, 2, 1, 2, 3, 0, 4, 5, 6, 5, 4, 0, 3}) {
        if (expected.size() == 7) {
            expected.push_back("Sound jump.wav yields");
        }
        expected.push_back("DrawBall 2 6 4 " + std::to_string(column));
    }
    for (int32_t tick = 1; tick <= 13; tick++) {
        BounceStep();
    }
    EXPECT_EQ(CallLog(), expected);
}

TEST(Pacing, BounceTimerFollowsTheSpeed) {
    const int32_t speeds[] = {100, 200, 50, 1, 250, 7000};
    const uint32_t periods[] = {60, 30, 120, 6000, 24, 0};
    for (int i = 0; i < 6; i++) {
        AnimationSpeed = speeds[i];
        EXPECT_EQ(BounceTimerPeriod(), periods[i]) << speeds[i];
    }
}

// Each pause ends a nominal length after the one before: drawing time is taken out of it, and
// every animation starts its own count.
Log Pauses() {
    Log pauses;
    for (const std::string& line : CallLog()) {
        if (line.rfind("Pause", 0) == 0) {
            pauses.push_back(line);
        }
    }
    return pauses;
}

TEST(Pacing, PausesKeepTheirDeadlinesWhateverTheDrawingTakes) {
    StartOnEmptyBoard();
    Put(2, 3, 5);
    Announce({7, 7, 1}, {8, 7, 2}, {7, 8, 3});
    ScriptDrawingCost(2);
    ClickCell(2, 3);
    ClickCell(4, 3); // two steps of three drawings, then the landing of three balls
    EXPECT_EQ(Pauses(), (Log{"Pause 14", "Pause 14", "Pause 50", "Pause 44", "Pause 44", "Pause 44",
                             "Pause 44", "Pause 44"}));
    ClearCallLog();
    for (int32_t column = 0; column < 4; column++) {
        Put(column, 0, 6);
    }
    Put(5, 1, 6);
    ClickCell(5, 1);
    ClickCell(4, 0); // two steps, then a line of five vanishes: five drawings a step
    Log expected = {"Pause 14", "Pause 14"};
    expected.insert(expected.end(), 13, "Pause 40");
    EXPECT_EQ(Pauses(), expected);

    ClearCallLog();
    ScriptDrawingCost(60); // slower than every step: only the landing's first frame waits
    Put(0, 8, 2);
    ClickCell(0, 8);
    ClickCell(0, 6);
    EXPECT_EQ(Pauses(), Log{"Pause 50"});
}

TEST(Sounds, SlotsAndPreviews) {
    ResetDouble();
    SoundEnabled[BounceSoundSlot] = 0;
    std::snprintf(SoundFile[3], sizeof SoundFile[3], "mine.wav");
    PlaySoundSlot(0, true); // silenced
    PreviewSoundSlot(0);    // the preview plays it all the same
    PlaySoundSlot(1, true);
    PlaySoundSlot(2, false);
    PlaySoundSlot(3, false);
    PreviewSoundSlot(1);
    PreviewSoundSlot(3);
    PlaySoundSlot(4, false); // no such slot, nor its preview
    PreviewSoundSlot(4);
    EXPECT_EQ(CallLog(), (Log{"Sound jump.wav cuts", "Sound cantmove.wav yields",
                              "Sound move.wav cuts", "Sound mine.wav (destroy.wav) cuts",
                              "Sound cantmove.wav cuts", "Sound mine.wav (destroy.wav) cuts"}));
}

} // namespace

namespace {

// The frames each animation draws and the pauses between them, at several speeds.
TEST(Animations, FramesInOrderAndPausesFollowTheSpeed) {
    const struct {
        int32_t speed;
        std::string step, frame;
    } speeds[] = {{100, "Pause 20", "Pause 50"},
                  {200, "Pause 10", "Pause 25"},
                  {50, "Pause 40", "Pause 100"},
                  {1, "Pause 2000", "Pause 5000"}};
    for (const auto& s : speeds) {
        StartOnEmptyBoard();
        AnimationSpeed = s.speed;
        Announce({0, 0, 1}, {1, 0, 2}, {2, 0, 3});
        AnimateAppear(Game.nextBalls);
        Log appear;
        for (int32_t frame : {23, 22, 21, 20, 19, 0}) {
            appear.push_back(s.frame);
            for (int32_t colour = 1; colour <= 3; colour++) {
                appear.push_back("DrawBall " + std::to_string(colour - 1) + " 0 " +
                                 std::to_string(colour) + " " + std::to_string(frame));
            }
        }
        EXPECT_EQ(CallLog(), appear) << s.speed;

        ClearCallLog();
        Put(3, 0, 4);
        Put(5, 3, 4);
        int8_t removed[CellCount];
        std::memset(removed, EmptyCell, sizeof removed);
        removed[CellIndex(3, 0)] = 4;
        AnimateVanish(removed);
        Log vanish;
        for (int32_t frame = 7; frame <= 18; frame++) {
            vanish.push_back("DrawBall 3 0 4 " + std::to_string(frame));
            vanish.push_back(s.frame);
        }
        vanish.push_back("ClearCell 3 0");
        vanish.push_back(s.frame);
        EXPECT_EQ(CallLog(), vanish) << s.speed;

        ClearCallLog();
        SelectBall(5, 3);
        ASSERT_TRUE(FindPath(7, 3));
        AnimateMove(4, Game.nextBalls);
        const std::string next = NextBallsCall(Game.nextBalls);
        EXPECT_EQ(CallLog(), (Log{"Sound move.wav cuts", next, "DrawBall 6 3 4 0", "ClearCell 5 3",
                                  s.step, next, "DrawBall 7 3 4 0", "ClearCell 6 3", s.step, next}))
            << s.speed;
    }
}

} // namespace
