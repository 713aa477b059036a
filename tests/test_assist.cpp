// Help a player asks for: a hint, moves taken back, the demo; and what an assisted game earns.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "game/player.h"
#include "game/turn.h"
#include "shell/assist.h"
#include "shell/demo.h"
#include "shell/focus.h"
#include "shell/keys.h"
#include "shell/share.h"
#include "store/daily.h"
#include "store/gamecode.h"
#include "store/leaders.h"
#include "store/profile.h"
#include "store/savegame.h"
#include "store/settings.h"
#include "tests/board_text.h"
#include "tests/double/double.h"

namespace {

using Log = std::vector<std::string>;

void StartDealt(int32_t mode, uint32_t seed) {
    std::memset(&Game, 0, sizeof Game);
    ResetDouble();
    FocusShown = false;
    Game.mode = mode;
    SeedRandom(seed);
    DealGame();
}

// A full board but for the cells given, the ball at (1, 0) about to step left onto (0, 0) and
// the three announced balls landing on the rest.
void LayLastMove(int32_t score) {
    FillShapeless();
    for (int32_t cell :
         {CellIndex(0, 0), CellIndex(4, 2), CellIndex(8, 4), CellIndex(2, 6), CellIndex(6, 8)}) {
        Game.board[cell] = EmptyCell;
    }
    Game.nextBalls[0] = {4, 2, 0};
    Game.nextBalls[1] = {8, 4, 0};
    Game.nextBalls[2] = {2, 6, 0};
    Game.score = score;
}

void PrepareLastMove(int32_t mode, int32_t score) {
    StartDealt(mode, 9);
    LayLastMove(score);
}

const std::string Ini = "C:\\games\\brimzo.ini";

std::string ResultLine() {
    char line[80] = "";
    return DailyResultLine(line, sizeof line) ? line : "(none)";
}

TEST(AssistedGame, AGameOverThatWouldEarnAPlaceSaysWhyNoNameIsAsked) {
    PrepareLastMove(Squares, 250);
    GameAssisted = true;
    ClickCell(1, 0);
    ClickCell(0, 0);
    EXPECT_EQ(CountCalls("Dialog 1002"), 0);
    EXPECT_EQ(CountCalls(std::string("Message Brimzo! | ") + AssistedGameOverMessage), 1);
    EXPECT_STREQ(LeaderTables[Squares][0], DefaultLeaderLine);
    EXPECT_FALSE(GameAssisted); // the next game starts clean

    PrepareLastMove(Squares, 50); // no place to earn: nothing to say
    GameAssisted = true;
    ClickCell(1, 0);
    ClickCell(0, 0);
    EXPECT_EQ(CountCalls(std::string("Message Brimzo! | ") + AssistedGameOverMessage), 0);
}

// The mark goes where the game goes: into brimzo.ini beside the saved game, written only for a
// game with help, and into its code; and today's result says so.
TEST(AssistedGame, TheMarkSurvivesASaveALoadAndACode) {
    StartDealt(Lines, 5);
    LoadSettings(); // a first start: no file
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileText(Ini).find("Assisted"), std::string::npos);

    BeginDailyDeal(TodaysDayNumber());
    Game.score = 40;
    MarkGameAssisted(); // the 40 reached before counts clean
    EXPECT_EQ(ResultLine(), "Brimzo daily 2026-12-07, Squares: 40");
    Game.score = 70;
    EXPECT_EQ(ResultLine(), "Brimzo daily 2026-12-07, Squares: 70 (assisted)");
    SavedGame played = GameInProgress();
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileValue(Ini, "GAME", "Assisted"), "1");
    EXPECT_EQ(ProfileValue(Ini, "DAILY", "Assisted"), "2026-12-07");

    std::memset(&Game, 0, sizeof Game);
    GameAssisted = false;
    NewGame();
    LoadSettings(); // the next run
    EXPECT_TRUE(GameAssisted);
    EXPECT_EQ(Game.score, 70);
    EXPECT_EQ(ResultLine(), "Brimzo daily 2026-12-07, Squares: 70 (assisted)");

    char code[GameCodeBufferSize];
    EncodeGameCode(GameInProgress(), code);
    SavedGame shared;
    ASSERT_EQ(DecodeGameCode(code, GameCodeLength, &shared), CodeVerdict::Taken);
    EXPECT_TRUE(shared.assisted);
    played.assisted = false;
    EncodeGameCode(played, code);
    ASSERT_EQ(DecodeGameCode(code, GameCodeLength, &shared), CodeVerdict::Taken);
    EXPECT_FALSE(shared.assisted);

    Game.score = 70; // the same best without help takes the mark away, and a save says so
    GameAssisted = false;
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileValue(Ini, "GAME", "Assisted"), "0");
    EXPECT_EQ(ProfileValue(Ini, "DAILY", "Assisted"), "");
}

// The page saves after every event, with no load between: a mark once written follows the
// game from save to save.
TEST(AssistedGame, TheKeysFollowTheGameFromSaveToSave) {
    StartDealt(Lines, 5);
    LoadSettings();
    BeginDailyDeal(TodaysDayNumber());
    Game.score = 40;
    MarkGameAssisted();
    Game.score = 70;
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileValue(Ini, "GAME", "Assisted"), "1");
    EXPECT_EQ(ProfileValue(Ini, "DAILY", "Assisted"), "2026-12-07");
    GameAssisted = false; // the same best again, without help
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileValue(Ini, "GAME", "Assisted"), "0");
    EXPECT_EQ(ProfileValue(Ini, "DAILY", "Assisted"), "");
}

bool SameGame(const SavedGame& a, const SavedGame& b) {
    return a.mode == b.mode && a.randomState == b.randomState && a.score == b.score &&
           std::memcmp(a.board, b.board, sizeof a.board) == 0 &&
           std::memcmp(a.nextBalls, b.nextBalls, sizeof a.nextBalls) == 0;
}

// A move of the player's, as the mouse plays it: the ball, then the cell.
ClickOutcome PlayerMoves(const BallMove& move) {
    PlayerClicksCell(move.fromColumn, move.fromRow);
    return PlayerClicksCell(move.toColumn, move.toRow);
}

std::string Frame(int32_t column, int32_t row, bool shown) {
    return "DrawCellFocus " + std::to_string(column) + " " + std::to_string(row) + " " +
           (shown ? "1" : "0");
}

TEST(Hint, FramesTheComputersMoveChangesNothingAndMarksTheGameAssisted) {
    StartDealt(Squares, 31);
    int32_t ball = 0;
    while (Game.board[ball] == EmptyCell) {
        ball++;
    }
    ClickCell(ball % BoardSize, ball / BoardSize); // a selection stays as it was
    BallMove expected;
    ASSERT_TRUE(ChooseMove(&expected));
    GameState before = Game;
    ClearCallLog();
    KeyDown(Key::H, 0);
    EXPECT_EQ(std::memcmp(&before, &Game, sizeof Game), 0);
    EXPECT_TRUE(GameAssisted);
    Log blink = {Frame(expected.fromColumn, expected.fromRow, true),
                 Frame(expected.toColumn, expected.toRow, true),
                 "Pause 120",
                 Frame(expected.fromColumn, expected.fromRow, false),
                 Frame(expected.toColumn, expected.toRow, false),
                 "Pause 120",
                 Frame(expected.fromColumn, expected.fromRow, true),
                 Frame(expected.toColumn, expected.toRow, true)};
    EXPECT_EQ(CallLog(), blink);
    EXPECT_EQ(FocusColumn, expected.fromColumn); // Space picks the ball up
    EXPECT_EQ(FocusRow, expected.fromRow);

    FocusShown = true; // a key puts the hint away, and the focus stays on the ball
    ClearCallLog();
    KeyDown(Key::Escape, 0);
    EXPECT_EQ(CallLog(), (Log{Frame(expected.fromColumn, expected.fromRow, false),
                              Frame(expected.toColumn, expected.toRow, false),
                              Frame(expected.fromColumn, expected.fromRow, true),
                              "DrawBall " + std::to_string(ball % BoardSize) + " " +
                                  std::to_string(ball / BoardSize) + " " +
                                  std::to_string(before.selectedColour) + " 0"}));
}

TEST(Hint, SaysSoWhenNoBallCanMoveAndLeavesTheGameUnassisted) {
    StartDealt(Lines, 5);
    ClearBoard();
    ClearCallLog();
    ShowHint();
    EXPECT_EQ(CallLog(), (Log{"Message Brimzo! | No ball can move: there is no move to suggest."}));
    EXPECT_FALSE(GameAssisted);
}

// Moves taken back one by one give the exact games before them, generator and all; the same
// move again then brings the same balls.
TEST(Undo, TakesBackExactlyAndThenPlaysOnIdentically) {
    for (int32_t mode : {Lines, Squares, Groups}) {
        StartDealt(mode, 1000 + static_cast<uint32_t>(mode));
        SetRecording(false);
        std::vector<SavedGame> games = {GameInProgress()};
        std::vector<BallMove> moves;
        for (int32_t n = 0; n < 6; n++) {
            BallMove move;
            ASSERT_TRUE(ChooseMove(&move));
            ASSERT_EQ(PlayerMoves(move), ClickOutcome::Moved);
            moves.push_back(move);
            games.push_back(GameInProgress());
        }
        for (size_t back = 1; back <= 4; back++) {
            TakeBackMove();
            EXPECT_TRUE(SameGame(GameInProgress(), games[6 - back])) << mode << " " << back;
        }
        EXPECT_TRUE(GameAssisted);
        EXPECT_FALSE(Game.ballSelected);
        for (size_t again = 2; again < 6; again++) {
            PlayerMoves(moves[again]);
            EXPECT_TRUE(SameGame(GameInProgress(), games[again + 1])) << mode << " " << again;
        }
        SetRecording(true);
    }
}

// Only what changed is drawn again: the cells of the move and of the landing, the marks, and the
// score when it changed.
TEST(Undo, RedrawsWhatChangedAndStopsAtTheStartOfTheGame) {
    StartDealt(Lines, 3);
    ClearBoard();
    Game.board[CellIndex(0, 0)] = 4;
    Game.nextBalls[0] = {8, 8, 1};
    Game.nextBalls[1] = {7, 8, 2};
    Game.nextBalls[2] = {6, 8, 3};
    PlayerClicksCell(0, 0);
    PlayerClicksCell(1, 0);
    NextBall announced[NextBallCount];
    std::memcpy(announced, Game.nextBalls, sizeof announced);
    ClearCallLog();
    KeyDown(Key::Z, ControlHeld);
    Log expected;
    for (int32_t cell = 0; cell < CellCount; cell++) {
        int32_t column = cell % BoardSize;
        int32_t row = cell / BoardSize;
        bool markedAfter = false;
        for (const NextBall& ball : announced) {
            markedAfter = markedAfter || (ball.column == column && ball.row == row);
        }
        if (cell == 0) {
            expected.push_back("DrawBall 0 0 4 0");
        } else if (cell == 1 || (row == 8 && column >= 6) || markedAfter) {
            expected.push_back("ClearCell " + std::to_string(column) + " " + std::to_string(row));
        }
    }
    expected.push_back(NextBallsCall(Game.nextBalls));
    EXPECT_EQ(CallLog(), expected);
    EXPECT_EQ(BoardText(), "4" + std::string(80, '.'));

    ClearCallLog();
    TakeBackMove(); // the start of the game: nothing more to take back
    EXPECT_EQ(CallLog(), (Log{"Sound cantmove.wav yields"}));
    EXPECT_EQ(BoardText(), "4" + std::string(80, '.'));
}

TEST(Undo, DoesNotReachAcrossAGameOverOrAnotherGame) {
    PrepareLastMove(Lines, 10);
    ASSERT_EQ(PlayerMoves({1, 0, 0, 0}), ClickOutcome::GameOver);
    SavedGame dealt = GameInProgress();
    TakeBackMove();
    EXPECT_TRUE(SameGame(GameInProgress(), dealt));
    EXPECT_FALSE(GameAssisted); // nothing was taken back

    BallMove move;
    ASSERT_TRUE(ChooseMove(&move));
    PlayerMoves(move);
    KeyDown(Key::Digit2, ControlHeld); // a new game
    dealt = GameInProgress();
    TakeBackMove();
    EXPECT_TRUE(SameGame(GameInProgress(), dealt));
}

// The demo plays games of the mode to their ends while the player's game, selection and all,
// waits aside: saved meanwhile as the player's, and given back whole at the first key.
TEST(Demo, GivesThePlayersGameBackExactlyAndKeepsNothingOfItsOwn) {
    StartDealt(Groups, 77);
    FormSettingsPath();
    BallMove move;
    ASSERT_TRUE(ChooseMove(&move));
    PlayerMoves(move);
    ClickCell(move.toColumn, move.toRow); // a ball picked up
    for (int32_t tick = 0; tick < 5; tick++) {
        TimerTick(); // it bounces
    }
    BeginDailyDeal(TodaysDayNumber());
    Game.score = 123;
    GameState before = Game;
    SaveSettings();
    std::string saved = ProfileText("C:\\games\\brimzo.ini");
    ASSERT_NE(saved.find("Best=2026-12-07:123"), std::string::npos);
    ClearCallLog();

    KeyDown(Key::W, 0);
    EXPECT_TRUE(DemoPlaying());
    ASSERT_FALSE(CallLog().empty());
    EXPECT_EQ(CallLog()[0], "RedrawScreen 0 0 0");
    EXPECT_EQ(CallLog()[1], "DrawPanelText |     DEMO||The computer|plays Groups.||A click or "
                            "a|key gives you|your game back|");
    for (int32_t tick = 0; tick < 400; tick++) {
        TimerTick();
    }
    EXPECT_GT(CountCalls("Sound move.wav cuts"), 10); // a move every 18 ticks

    // a game over of the demo's, that would earn a place: nothing entered, the next dealt
    LayLastMove(500);
    ClearCallLog();
    ClickCell(1, 0);
    EXPECT_EQ(ClickCell(0, 0), ClickOutcome::GameOver);
    EXPECT_EQ(CountCalls("Dialog 1002"), 0);
    EXPECT_EQ(Game.score, 0);
    SaveSettings(); // a save meanwhile keeps the player's game
    EXPECT_EQ(ProfileText("C:\\games\\brimzo.ini"), saved);
    char code[GameCodeBufferSize];
    GameCode(code); // and so does its code, in a line of its own mode and score
    char line[GameCodeBufferSize + 60];
    GameCodeLine(line, sizeof line);
    EXPECT_EQ(std::string(line), std::string("Brimzo game, Groups, score 123: ") + code);

    ClearCallLog();
    KeyDown(Key::Left, 0); // ends it, and does nothing more
    EXPECT_FALSE(DemoPlaying());
    EXPECT_EQ(std::memcmp(&before, &Game, sizeof Game), 0);
    EXPECT_EQ(CallLog(), (Log{"RedrawScreen 0 1 1"}));
    EXPECT_STREQ(LeaderTables[Groups][0], DefaultLeaderLine);
    EXPECT_EQ(DailyResults[0].best, 123); // the player's score, not the demo's
    EXPECT_FALSE(GameAssisted);
}

} // namespace
