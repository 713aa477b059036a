#include <gtest/gtest.h>

#include <cstring>

#include "game/game.h"
#include "tests/board_text.h"
#include "tests/double/double.h"

namespace {

void FreshProcess() {
    std::memset(&Game, 0, sizeof Game);
    ResetDouble();
}

TEST(Random, SequenceFromStateZero) {
    FreshProcess();
    const int32_t expected[] = {0, 346, 130, 10982, 1090, 11656};
    for (int32_t value : expected) {
        EXPECT_EQ(NextRandom(), value);
    }
}

TEST(Random, BelowStaysInRangeAndWraps) {
    FreshProcess();
    SeedRandom(0xFFFFFFFFu); // the multiplication wraps
    EXPECT_EQ(NextRandom(), static_cast<int32_t>(((0xFFFFFFFFu * 22695477u + 1u) >> 16) & 0x7FFF));
    int32_t seen[9] = {};
    for (int32_t i = 0; i < 20000; i++) {
        int32_t value = RandomBelow(9);
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 9);
        seen[value]++;
    }
    for (int32_t count : seen) {
        EXPECT_GT(count, 1800); // every value comes up
    }
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
}

TEST(NewGame, SameStateDealsSameGame) {
    FreshProcess();
    SeedRandom(987654321u);
    NewGame();
    std::string first = BoardText();
    NextBall firstNext = Game.nextBalls[2];
    SeedRandom(987654321u);
    NewGame();
    EXPECT_EQ(BoardText(), first);
    EXPECT_EQ(Game.nextBalls[2].colour, firstNext.colour);
    EXPECT_EQ(Game.nextBalls[2].column, firstNext.column);
}

// Replays the draws by the rule: a pair is drawn until it hits a free cell not chosen before,
// and only then its colour.
TEST(ChooseNextBalls, RedrawsTakenCellsAndDrawsColourOnlyForTakenPairs) {
    FreshProcess();
    FillShapeless();
    const int32_t freeCells[3][2] = {{2, 3}, {7, 0}, {4, 8}};
    for (const auto& cell : freeCells) {
        Game.board[CellIndex(cell[0], cell[1])] = EmptyCell;
    }
    for (uint32_t seed : {1u, 77u, 123456u}) {
        SeedRandom(seed);
        ChooseNextBalls();
        NextBall chosen[3];
        std::memcpy(chosen, Game.nextBalls, sizeof chosen);
        uint32_t stateAfter = Game.randomState;

        SeedRandom(seed);
        int32_t taken[3][2];
        for (int32_t i = 0; i < 3; i++) {
            for (;;) {
                int32_t column = RandomBelow(9);
                int32_t row = RandomBelow(9);
                bool free = Game.board[CellIndex(column, row)] == EmptyCell;
                for (int32_t j = 0; j < i; j++) {
                    free = free && !(taken[j][0] == column && taken[j][1] == row);
                }
                if (free) {
                    taken[i][0] = column;
                    taken[i][1] = row;
                    break;
                }
            }
            int32_t colour = RandomBelow(7);
            EXPECT_EQ(chosen[i].column, taken[i][0]);
            EXPECT_EQ(chosen[i].row, taken[i][1]);
            EXPECT_EQ(chosen[i].colour, colour);
        }
        EXPECT_EQ(Game.randomState, stateAfter); // no draw more or less than the rule makes
        // all three free cells taken, each once
        int32_t hits = 0;
        for (const NextBall& ball : chosen) {
            for (const auto& cell : freeCells) {
                hits += ball.column == cell[0] && ball.row == cell[1] ? 1 : 0;
            }
        }
        EXPECT_EQ(hits, 3);
    }
}

} // namespace
