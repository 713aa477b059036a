// The rules' whole move, on its own and against the turn that shows it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "game/turn.h"
#include "tests/board_text.h"
#include "tests/double/double.h"
#include "tests/random_play.h"

namespace {

void StartOn(const char* board, int32_t mode) {
    std::memset(&Game, 0, sizeof Game);
    SetBoardText(board);
    Game.mode = mode;
    Game.randomState = 99;
}

std::string RemovedText(const MoveRecord& move) {
    std::string text;
    for (int8_t colour : move.removed) {
        text += colour == EmptyCell ? '.' : static_cast<char>('0' + colour);
    }
    return text;
}

// Squares: the ball at (8, 0) goes to (2, 8), where an announced ball lies; that one steps
// aside to (8, 0), the others land and one of them completes a square with what lay there.
TEST(PlayMove, RecordsTheLandingTheBallThatSteppedAsideAndTheShapeItCompleted) {
    StartOn("........5"
            "........."
            "........."
            "........."
            "........."
            "........."
            "........."
            "33......."
            "3........",
            Squares);
    Game.nextBalls[0] = {5, 5, 1};
    Game.nextBalls[1] = {2, 8, 4};
    Game.nextBalls[2] = {1, 8, 3};
    Game.score = 7;
    SelectBall(8, 0);
    MoveRecord move;
    ASSERT_TRUE(PlayMove(2, 8, &move));
    EXPECT_EQ(move.colour, 5);
    EXPECT_EQ(move.steppedAside, 1);
    EXPECT_EQ(move.announced[1].column, 8); // as they were while the ball moved
    EXPECT_EQ(move.announced[1].row, 0);
    EXPECT_TRUE(move.landed);
    EXPECT_FALSE(move.gameOver);
    EXPECT_EQ(move.points, 4);
    EXPECT_EQ(Game.score, 11);
    EXPECT_EQ(RemovedText(move), std::string(63, '.') + "33......." + "33.......");
    EXPECT_EQ(BoardText(), std::string(8, '.') + "4" + std::string(36, '.') + ".....1..." +
                               std::string(18, '.') + "..5......");
    EXPECT_FALSE(Game.ballSelected);
    EXPECT_EQ(Game.pathLength, 15);
}

// Groups: a group of six goes; a group of two of the same colour stays, as do the others.
TEST(PlayMove, AShapeOfTheMoveGoesAloneAndNothingLands) {
    StartOn("222......"
            "22......."
            "........2"
            "11......."
            "........."
            "........."
            "........."
            "........."
            "........2",
            Groups);
    Game.nextBalls[0] = {4, 4, 1};
    Game.nextBalls[1] = {5, 4, 1};
    Game.nextBalls[2] = {6, 4, 1};
    SelectBall(8, 8);
    MoveRecord move;
    ASSERT_TRUE(PlayMove(2, 1, &move));
    EXPECT_FALSE(move.landed);
    EXPECT_EQ(move.points, 6);
    EXPECT_EQ(RemovedText(move), "222......222......" + std::string(63, '.'));
    EXPECT_EQ(BoardText(), std::string(26, '.') + "211......." + std::string(45, '.'));
    EXPECT_EQ(Game.randomState, 99u); // nothing announced anew
}

TEST(PlayMove, NoPathChangesNothingButTheSearch) {
    StartOn("1.3......"
            "33......."
            "........."
            "........."
            "........."
            "........."
            "........."
            "........."
            ".........",
            Lines);
    SelectBall(0, 0);
    GameState before = Game;
    MoveRecord move;
    EXPECT_FALSE(PlayMove(8, 8, &move));
    Game.pathLength = before.pathLength;
    EXPECT_EQ(std::memcmp(&before, &Game, sizeof Game), 0);
}

// A landing that leaves two empty cells ends the game: reported, the board left as it landed,
// the announced balls not chosen again and the shapes of the landing not scored.
TEST(PlayMove, AGameOverIsReportedAndNothingMoreHappens) {
    std::memset(&Game, 0, sizeof Game);
    FillShapeless();
    Game.board[CellIndex(0, 0)] = EmptyCell;
    for (int32_t cell : {CellIndex(4, 2), CellIndex(8, 4), CellIndex(2, 6), CellIndex(6, 8)}) {
        Game.board[cell] = EmptyCell;
    }
    Game.mode = Lines;
    Game.score = 30;
    Game.randomState = 5;
    Game.nextBalls[0] = {4, 2, 0};
    Game.nextBalls[1] = {8, 4, 0};
    Game.nextBalls[2] = {2, 6, 0};
    SelectBall(1, 0);
    MoveRecord move;
    ASSERT_TRUE(PlayMove(0, 0, &move));
    EXPECT_TRUE(move.landed);
    EXPECT_TRUE(move.gameOver);
    EXPECT_EQ(move.points, 0);
    EXPECT_EQ(Game.score, 30);
    EXPECT_EQ(Game.randomState, 5u);
    EXPECT_EQ(Game.board[CellIndex(8, 4)], 0);
}

// Random games of every mode played twice from the same state: by clicks through the turn,
// and by the rules alone, which deal the next game after a game over as the turn does. The
// whole game record must agree after every move, game overs and new deals included.
TEST(PlayMove, TheTurnAndTheRulesAlonePlayTheSameGames) {
    ResetDouble();
    SetRecording(false);
    std::mt19937 random(2026);
    static GameState clicked;
    static GameState alone;
    int32_t gameOvers = 0;
    int32_t moves = 0;
    for (int32_t game = 0; game < 3000; game++) {
        std::memset(&Game, 0, sizeof Game);
        Game.mode = game % 3;
        SeedRandom(static_cast<uint32_t>(random()));
        DealGame();
        clicked = Game;
        alone = Game;
        for (bool over = false; !over;) {
            int32_t from = 0;
            int32_t to = 0;
            Game = alone;
            if (!ChooseRandomMove(random, &from, &to)) {
                break; // no ball can move
            }
            Game = clicked;
            ClickCell(from % BoardSize, from / BoardSize);
            ClickCell(to % BoardSize, to / BoardSize);
            clicked = Game;

            Game = alone;
            SelectBall(from % BoardSize, from / BoardSize);
            MoveRecord move;
            ASSERT_TRUE(PlayMove(to % BoardSize, to / BoardSize, &move));
            if (move.gameOver) {
                DealGame();
                ScoreShapes(move.removed);
                over = true;
                gameOvers++;
            }
            alone = Game;
            moves++;
            ASSERT_EQ(std::memcmp(&clicked, &alone, sizeof Game), 0)
                << "game " << game << " move " << moves;
        }
    }
    SetRecording(true);
    EXPECT_GT(gameOvers, 2900);
    EXPECT_GT(moves, 3000 * 20);
}

} // namespace
