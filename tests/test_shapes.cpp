#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "game/game.h"
#include "tests/board_text.h"

namespace {

struct ShapeCase {
    const char* name;
    int32_t mode;
    const char* board;
    const char* marks;
    int32_t points;
};

void Check(const ShapeCase& c) {
    std::memset(&Game, 0, sizeof Game);
    Game.mode = c.mode;
    SetBoardText(c.board);
    EXPECT_EQ(CheckShapes(), c.points) << c.name;
    EXPECT_EQ(MarkText(), c.marks) << c.name;
    EXPECT_EQ(BoardText(), c.board) << c.name << ": the check changes no cell";
}

// clang-format off
TEST(CheckShapes, Lines) {
    const ShapeCase cases[] = {
        {"five in a row", Lines,
         "........." "........." "........." "........." "22222...." "........." "........." "........." ".........",
         "........." "........." "........." "........." "xxxxx...." "........." "........." "........." ".........",
         5},
        {"a full row", Lines,
         "........." "444444444" "........." "........." "........." "........." "........." "........." ".........",
         "........." "xxxxxxxxx" "........." "........." "........." "........." "........." "........." ".........",
         45},
        {"down-right diagonal", Lines,
         "1........" ".1......." "..1......" "...1....." "....1...." "........." "........." "........." ".........",
         "x........" ".x......." "..x......" "...x....." "....x...." "........." "........." "........." ".........",
         5},
        {"down-left diagonal", Lines,
         "........6" ".......6." "......6.." ".....6..." "....6...." "........." "........." "........." ".........",
         "........x" ".......x." "......x.." ".....x..." "....x...." "........." "........." "........." ".........",
         5},
        {"four are no line", Lines,
         "........." "........." "3333....." "........." "........." "........." "........." "........." ".........",
         "........." "........." "........." "........." "........." "........." "........." "........." ".........",
         0},
        {"a row and a column crossing in one cell", Lines,
         "..0......" "..0......" "00000...." "..0......" "..0......" "........." "........." "........." ".........",
         "..x......" "..x......" "xxxxx...." "..x......" "..x......" "........." "........." "........." ".........",
         45},
        {"of two lines in one direction only the longer", Lines,
         "........." "55555...." "........." "........." "........." "........." "...555555" "........." ".........",
         "........." "........." "........." "........." "........." "........." "...xxxxxx" "........." ".........",
         12},
        {"of two equal lines only the first", Lines,
         "........." "........." "11111...." "........." "........." "........." "....11111" "........." ".........",
         "........." "........." "xxxxx...." "........." "........." "........." "........." "........." ".........",
         5},
        {"lines of two colours both count", Lines,
         "22222...." "........." "........." "........." "........." "........." "........." "........." "....33333",
         "xxxxx...." "........." "........." "........." "........." "........." "........." "........." "....xxxxx",
         60},
        {"seven is one line, not its parts", Lines,
         "........." "........." "........." ".6666666." "........." "........." "........." "........." ".........",
         "........." "........." "........." ".xxxxxxx." "........." "........." "........." "........." ".........",
         21},
    };
    for (const ShapeCase& c : cases) {
        Check(c);
    }
}

TEST(CheckShapes, Squares) {
    const ShapeCase cases[] = {
        {"an L is no square", Squares,
         "........." ".00......" ".0......." "........." "........." "........." "........." "........." ".........",
         "........." "........." "........." "........." "........." "........." "........." "........." ".........",
         0},
        {"a block", Squares,
         "........." "........." "........." "........." "........." "........." "........." ".......44" ".......44",
         "........." "........." "........." "........." "........." "........." "........." ".......xx" ".......xx",
         4},
        {"a 2 x 3 block is two squares, six cells", Squares,
         "333......" "333......" "........." "........." "........." "........." "........." "........." ".........",
         "xxx......" "xxx......" "........." "........." "........." "........." "........." "........." ".........",
         18},
        {"a 3 x 3 block", Squares,
         "........." "........." "........." "...222..." "...222..." "...222..." "........." "........." ".........",
         "........." "........." "........." "...xxx..." "...xxx..." "...xxx..." "........." "........." ".........",
         54},
        {"mixed colours are no square", Squares,
         "01......." "10......." "........." "........." "........." "........." "........." "........." ".........",
         "........." "........." "........." "........." "........." "........." "........." "........." ".........",
         0},
    };
    for (const ShapeCase& c : cases) {
        Check(c);
    }
}

TEST(CheckShapes, Groups) {
    const ShapeCase cases[] = {
        {"a snake of six", Groups,
         "55......." ".5......." ".55......" "..5......" "........." "........." "........." "........." ".........",
         "xx......." ".x......." ".xx......" "..x......" "........." "........." "........." "........." ".........",
         6},
        {"a diagonal touch does not join", Groups,
         "11111...." ".....1..." "........." "........." "........." "........." "........." "........." ".........",
         "-----...." ".....-..." "........." "........." "........." "........." "........." "........." ".........",
         0},
        {"two groups of six", Groups,
         "222......" "222......" "........." "........." "........." "........." "......222" "......2.." "......22.",
         "xxx......" "xxx......" "........." "........." "........." "........." "......xxx" "......x.." "......xx.",
         84},
        {"small groups are counted, not removed", Groups,
         "0000000.." "0.....3.." "........." "33333...." "........." "........." "........." "........." ".........",
         "xxxxxxx.." "x.....-.." "........." "-----...." "........." "........." "........." "........." ".........",
         24},
    };
    for (const ShapeCase& c : cases) {
        Check(c);
    }
}

TEST(CheckShapes, UnknownModeMarksNothing) {
    for (int32_t mode : {-1, 3, 1000}) {
        Check({"unknown mode", mode,
               "00000...." "00000...." "........." "........." "........." "........." "........." "........." ".........",
               "........." "........." "........." "........." "........." "........." "........." "........." ".........",
               0});
    }
}

// clang-format on

TEST(CheckShapes, ScoreGrowsWithTheUnionOfCells) {
    // n marked cells score (n - t) x n
    std::memset(&Game, 0, sizeof Game);
    Game.mode = Groups;
    ClearBoard();
    const int32_t expected[] = {6, 14, 24, 36, 50};
    for (int32_t n = 6; n <= 10; n++) {
        for (int32_t i = 0; i < n; i++) {
            Game.board[i] = 4;
        }
        EXPECT_EQ(CheckShapes(), expected[n - 6]) << n;
    }
}

} // namespace

namespace {

// The line rule written out the long way: every length, every cell, every direction.
std::string LiteralLineMarks() {
    int32_t marks[CellCount] = {};
    const int32_t dx[4] = {1, 0, 1, -1};
    const int32_t dy[4] = {0, 1, 1, 1};
    for (int32_t colour = 0; colour < 7; colour++) {
        bool flags[4] = {true, true, true, true};
        for (int32_t length = 9; length >= 5; length--) {
            for (int32_t y = 0; y < 9; y++) {
                for (int32_t x = 0; x < 9; x++) {
                    for (int32_t d = 0; d < 4; d++) {
                        int32_t endX = x + dx[d] * (length - 1);
                        int32_t endY = y + dy[d] * (length - 1);
                        if (!flags[d] || endX < 0 || endX > 8 || endY > 8) {
                            continue;
                        }
                        bool whole = true;
                        for (int32_t i = 0; i < length; i++) {
                            whole = whole &&
                                    Game.board[CellIndex(x + dx[d] * i, y + dy[d] * i)] == colour;
                        }
                        for (int32_t i = 0; whole && i < length; i++) {
                            marks[CellIndex(x + dx[d] * i, y + dy[d] * i)] = 1;
                            flags[d] = false;
                        }
                    }
                }
            }
        }
    }
    std::string text;
    for (int32_t mark : marks) {
        text += mark == 1 ? 'x' : '.';
    }
    return text;
}

TEST(CheckShapes, LinesAgreeWithTheLiteralRuleOnRandomBoards) {
    std::mt19937 random(42);
    int32_t withLines = 0;
    for (int32_t n = 0; n < 20000; n++) {
        std::memset(&Game, 0, sizeof Game);
        Game.mode = Lines;
        // few colours on a crowded board make many lines, long ones and crossing ones
        int32_t colours = 1 + static_cast<int32_t>(random() % 3);
        uint32_t emptyPercent = static_cast<uint32_t>(random() % 40);
        for (int8_t& cell : Game.board) {
            cell = random() % 100 < emptyPercent
                       ? EmptyCell
                       : static_cast<int8_t>(random() % static_cast<uint32_t>(colours));
        }
        int32_t points = CheckShapes();
        std::string expected = LiteralLineMarks();
        ASSERT_EQ(MarkText(), expected) << BoardText();
        int32_t n5 = static_cast<int32_t>(std::count(expected.begin(), expected.end(), 'x'));
        ASSERT_EQ(points, n5 > 4 ? (n5 - 4) * n5 : 0);
        withLines += points > 0 ? 1 : 0;
    }
    EXPECT_GT(withLines, 10000);
}

} // namespace
