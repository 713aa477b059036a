#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "game/game.h"
#include "tests/board_text.h"
#include "tests/double/double.h"
#include "tests/path_oracle.h"

namespace {

using Cells = std::vector<std::pair<int32_t, int32_t>>;

void EmptyBoardWithBall(int32_t column, int32_t row) {
    std::memset(&Game, 0, sizeof Game);
    ResetDouble();
    ClearBoard();
    Game.board[CellIndex(column, row)] = 3;
    SelectBall(column, row);
}

Cells FoundPath() {
    Cells cells;
    for (int32_t i = 1; i <= Game.pathLength; i++) {
        cells.emplace_back(Game.pathColumn[i], Game.pathRow[i]);
    }
    return cells;
}

TEST(FindPath, OpenBoardGoesVerticallyFirst) {
    EmptyBoardWithBall(0, 0);
    ASSERT_TRUE(FindPath(2, 2));
    EXPECT_EQ(Game.pathLength, 5);
    EXPECT_EQ(FoundPath(), (Cells{{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}}));

    EmptyBoardWithBall(4, 4);
    ASSERT_TRUE(FindPath(0, 0));
    EXPECT_EQ(FoundPath(),
              (Cells{{4, 4}, {4, 3}, {4, 2}, {4, 1}, {4, 0}, {3, 0}, {2, 0}, {1, 0}, {0, 0}}));

    EmptyBoardWithBall(8, 8);
    ASSERT_TRUE(FindPath(6, 6));
    EXPECT_EQ(FoundPath(), (Cells{{8, 8}, {8, 7}, {8, 6}, {7, 6}, {6, 6}}));

    EmptyBoardWithBall(3, 3);
    ASSERT_TRUE(FindPath(4, 3));
    EXPECT_EQ(FoundPath(), (Cells{{3, 3}, {4, 3}}));
    EXPECT_TRUE(CallLog().empty()); // the search draws nothing
}

// The game's search against the literal relaxation and walk back, on random boards of every
// density: the same reachability, length, path and numbers along the path.
TEST(FindPath, AgreesWithTheLiteralSearchOnRandomBoards) {
    std::mt19937 random(20261206);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    static OraclePath oracle;
    int32_t reachable = 0;
    const int32_t boards = 2000;
    for (int32_t n = 0; n < boards; n++) {
        double density = unit(random);
        std::vector<int32_t> empties;
        for (int32_t i = 0; i < CellCount; i++) {
            Game.board[i] = unit(random) < density ? static_cast<int8_t>(random() % 7) : EmptyCell;
        }
        int32_t origin = static_cast<int32_t>(random() % CellCount);
        Game.board[origin] = 5;
        for (int32_t i = 0; i < CellCount; i++) {
            if (Game.board[i] == EmptyCell) {
                empties.push_back(i);
            }
        }
        if (empties.empty()) {
            continue;
        }
        int32_t target = empties[random() % empties.size()];
        SelectBall(origin % 9, origin / 9);
        bool found = FindPath(target % 9, target / 9);
        bool expected =
            OracleFindPath(Game.board, origin % 9, origin / 9, target % 9, target / 9, &oracle);
        ASSERT_EQ(found, expected) << "board " << n << " " << BoardText();
        ASSERT_EQ(Game.pathLength, oracle.pathLength) << "board " << n;
        if (!found) {
            continue;
        }
        reachable++;
        for (int32_t i = 1; i <= Game.pathLength; i++) {
            ASSERT_EQ(Game.pathColumn[i], oracle.pathColumn[i]) << "board " << n << " step " << i;
            ASSERT_EQ(Game.pathRow[i], oracle.pathRow[i]) << "board " << n << " step " << i;
        }
    }
    EXPECT_GT(reachable, boards / 3); // both outcomes are well represented
    EXPECT_LT(reachable, boards);
}

} // namespace
