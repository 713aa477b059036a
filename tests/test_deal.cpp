#include <gtest/gtest.h>

#include <cstring>

#include "game/turn.h"
#include "tests/board_text.h"
#include "tests/double/double.h"

namespace {

void FreshProcess() {
    std::memset(&Game, 0, sizeof Game);
    ResetDouble();
}

TEST(Random, SequenceFromStateZeroAndTheLargestDraw) {
    FreshProcess();
    const int32_t expected[] = {0, 346, 130, 10982, 1090, 11656};
    for (int32_t value : expected) {
        EXPECT_EQ(NextRandom(), value);
    }
    SeedRandom(1119742947u); // the next draw is 32767, the largest: still below n
    EXPECT_EQ(RandomBelow(9), 8);
    SeedRandom(67890147u); // the next draw is 18725: 18725 x 7 / 32768 is just above 4
    EXPECT_EQ(RandomBelow(7), 4);
}

TEST(NewGame, FirstDealFromStateZero) {
    FreshProcess();
    NewGame();
    EXPECT_EQ(BoardText(), "0..2....."
                           "........."
                           "........."
                           "........."
                           ".1......."
                           "......0.."
                           "........."
                           "........."
                           "......1..");
    const NextBall expected[3] = {{1, 7, 4}, {6, 7, 6}, {1, 3, 6}};
    for (int32_t i = 0; i < 3; i++) {
        EXPECT_EQ(Game.nextBalls[i].column, expected[i].column) << i;
        EXPECT_EQ(Game.nextBalls[i].row, expected[i].row) << i;
        EXPECT_EQ(Game.nextBalls[i].colour, expected[i].colour) << i;
    }
    EXPECT_EQ(Game.score, 0);
    EXPECT_TRUE(CallLog().empty()); // dealing draws nothing
}

TEST(NewGame, KeepsModeResetsScoreAndPutsTheSelectionDown) {
    FreshProcess();
    Game.mode = Groups;
    NewGame();
    Game.score = 1234;
    SelectBall(0, 0);
    uint32_t stateBefore = Game.randomState;
    NewGame();
    EXPECT_EQ(Game.mode, Groups);
    EXPECT_EQ(Game.score, 0);
    EXPECT_FALSE(Game.ballSelected);
    EXPECT_NE(Game.randomState, stateBefore); // the generator runs on from game to game
    ASSERT_EQ(CallLog().size(), 1u);
    EXPECT_EQ(CallLog()[0], "DrawBall 0 0 0 0");
    SelectBall(0, 0);
    DealGame(); // the rules alone put it down too
    EXPECT_FALSE(Game.ballSelected);
}

// Pairs on a ball or on a cell chosen before are drawn again, and a colour is drawn only for
// a pair that is taken: three free cells, and the draws that find them.
TEST(ChooseNextBalls, RedrawsTakenCellsAndDrawsColourOnlyForTakenPairs) {
    FreshProcess();
    FillShapeless();
    for (int32_t cell : {CellIndex(2, 3), CellIndex(7, 0), CellIndex(4, 8)}) {
        Game.board[cell] = EmptyCell;
    }
    SeedRandom(77);
    ChooseNextBalls();
    const NextBall expected[3] = {{7, 0, 3}, {4, 8, 0}, {2, 3, 2}};
    for (int32_t i = 0; i < 3; i++) {
        EXPECT_EQ(Game.nextBalls[i].column, expected[i].column) << i;
        EXPECT_EQ(Game.nextBalls[i].row, expected[i].row) << i;
        EXPECT_EQ(Game.nextBalls[i].colour, expected[i].colour) << i;
    }
    EXPECT_EQ(Game.randomState, 718956170u); // no draw more or less
}

} // namespace
