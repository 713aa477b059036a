#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <vector>

#include "game/game.h"
#include "tests/double/double.h"
#include "tests/random_play.h"

namespace {

void ExpectSoundState() {
    std::set<int> announced;
    for (int8_t cell : Game.board) {
        ASSERT_TRUE(cell >= -1 && cell <= 6);
    }
    for (const NextBall& ball : Game.nextBalls) {
        ASSERT_TRUE(ball.colour >= 0 && ball.colour <= 6);
        ASSERT_EQ(Game.board[CellIndex(ball.column, ball.row)], EmptyCell);
        announced.insert(CellIndex(ball.column, ball.row));
    }
    ASSERT_EQ(announced.size(), 3u);
    ASSERT_GE(Game.score, 0);
}

// Random games run to their end and on into the next game, in every mode, with every state
// along the way a sound one.
TEST(RandomGames, RunToGameOverAndIntoTheNextGame) {
    for (int32_t mode : {Lines, Squares, Groups}) {
        std::memset(&Game, 0, sizeof Game);
        ResetDouble();
        Game.mode = mode;
        NewGame();
        std::mt19937 random(static_cast<uint32_t>(100 + mode));
        int32_t gamesOver = 0;
        int32_t turns = 0;
        int32_t bestScore = 0;
        std::vector<int32_t> balls;
        std::vector<int32_t> empties;
        while ((gamesOver < 3 || bestScore == 0) && turns < 20000) {
            ClearCallLog();
            int32_t scoreBefore = Game.score;
            if (!PlayRandomMove(random, balls, empties)) {
                NewGame(); // boxed in: the player would start again with a mode button
                continue;
            }
            turns++;
            ExpectSoundState();
            if (CountCalls("RedrawScreen 0 1 1") == 1) {
                gamesOver++;
            } else {
                ASSERT_GE(Game.score, scoreBefore);
            }
            bestScore = std::max(bestScore, Game.score);
            ASSERT_EQ(Game.mode, mode);
        }
        EXPECT_GE(gamesOver, 3) << "mode " << mode;
        EXPECT_GT(bestScore, 0) << "mode " << mode << ": some shape was completed";
    }
}

} // namespace
