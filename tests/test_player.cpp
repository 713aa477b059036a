// The computer player.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/daily.h"
#include "game/player.h"
#include "game/record.h"
#include "tests/board_text.h"

namespace {

void StartOn(const char* board, int32_t mode, const NextBall (&next)[NextBallCount]) {
    std::memset(&Game, 0, sizeof Game);
    SetBoardText(board);
    Game.mode = mode;
    std::memcpy(Game.nextBalls, next, sizeof Game.nextBalls);
}

std::string MoveText(const BallMove& move) {
    char text[RecordMoveSize];
    WriteRecordMove(text, move);
    return text;
}

bool Reaches(const BallMove& move) {
    static GameState before;
    before = Game;
    bool legal = Game.board[CellIndex(move.fromColumn, move.fromRow)] != EmptyCell &&
                 Game.board[CellIndex(move.toColumn, move.toRow)] == EmptyCell;
    if (legal) {
        SelectBall(move.fromColumn, move.fromRow);
        legal = FindPath(move.toColumn, move.toRow);
    }
    Game = before;
    return legal;
}

// Games of every mode, each choice checked as it is made: a ball that reaches its target,
// Game byte for byte as it was, and the same choice whatever the generator holds, since the
// player must not look at the balls to come.
TEST(ChooseMove, LegalLeavesGameAsItWasAndIgnoresTheRandomState) {
    static GameState before;
    for (int32_t mode = Lines; mode <= Groups; mode++) {
        SeedRandom(77u + static_cast<uint32_t>(mode));
        Game.mode = mode;
        DealGame();
        for (int32_t moves = 0; moves < 40; moves++) {
            before = Game;
            BallMove move;
            ASSERT_TRUE(ChooseMove(&move));
            ASSERT_EQ(std::memcmp(&before, &Game, sizeof Game), 0) << ModeName(mode) << moves;
            ASSERT_TRUE(Reaches(move)) << ModeName(mode) << MoveText(move);
            Game.randomState = ~before.randomState;
            BallMove again;
            ASSERT_TRUE(ChooseMove(&again));
            EXPECT_EQ(MoveText(again), MoveText(move)) << ModeName(mode) << moves;
            Game.randomState = before.randomState;
            SelectBall(move.fromColumn, move.fromRow);
            MoveRecord played;
            ASSERT_TRUE(PlayMove(move.toColumn, move.toRow, &played));
            if (played.gameOver) {
                break;
            }
        }
    }
}

TEST(ChooseMove, NoBallNoMove) {
    const NextBall next[NextBallCount] = {{0, 0, 1}, {1, 0, 2}, {2, 0, 3}};
    StartOn(std::string(CellCount, '.').c_str(), Lines, next);
    static GameState before;
    before = Game;
    BallMove move;
    EXPECT_FALSE(ChooseMove(&move));
    EXPECT_EQ(std::memcmp(&before, &Game, sizeof Game), 0);
}

// clang-format off
// One position per mode where one move plainly scores most, and the player makes it.
TEST(ChooseMove, TakesTheObviousShape) {
    const NextBall next[NextBallCount] = {{8, 0, 5}, {8, 1, 6}, {8, 2, 4}};
    struct Case { int32_t mode; const char* board; int32_t points; } cases[] = {
        // four 2s, and the fifth far away
        {Lines,
         "........." ".2222...." "........." "........." "........." "........." "........." "........." "........2",
         5},
        // two squares of 3s that one ball completes at once, and that ball far away
        {Squares,
         "........." "........." "...3.3..." "...333..." "........." "........." "........." "........." "3........",
         18},
        // two groups of five 1s that one cell would join, and a sixth ball
        {Groups,
         "........." "111......" "11.11...." "...111..." "........." "........." "........." "........." "........1",
         66},
    };
    for (const Case& c : cases) {
        StartOn(c.board, c.mode, next);
        BallMove move;
        ASSERT_TRUE(ChooseMove(&move));
        SelectBall(move.fromColumn, move.fromRow);
        MoveRecord played;
        ASSERT_TRUE(PlayMove(move.toColumn, move.toRow, &played));
        EXPECT_EQ(played.points, c.points) << ModeName(c.mode) << MoveText(move);
    }
}
// clang-format on

} // namespace
