// Marking completed shapes of the current mode and scoring the union of marked cells.
#include "game/game.h"

#include "game/cellset.h"

namespace {
constexpr int32_t Threshold[3] = {4, 3, 5}; // Lines, Squares, Groups
} // namespace

void MarkCell(int32_t column, int32_t row, bool* flag) {
    Game.removalMark[CellIndex(column, row)] = 1;
    *flag = false;
}

// For every cell and direction, how many balls of the cell's colour run from it onward.
// Every next cell lies later in board order, so one backward pass fills the table.
static void MeasureRuns(int8_t runs[LineDirections][CellCount]) {
    for (int32_t cell = CellCount - 1; cell >= 0; cell--) {
        int32_t column = cell % BoardSize;
        int32_t row = cell / BoardSize;
        for (int32_t d = 0; d < LineDirections; d++) {
            int32_t nextColumn = column + LineColumnStep[d];
            int32_t nextRow = row + LineRowStep[d];
            int8_t run = Game.board[cell] == EmptyCell ? 0 : 1;
            if (run == 1 && nextColumn >= 0 && nextColumn < BoardSize && nextRow < BoardSize) {
                int32_t next = CellIndex(nextColumn, nextRow);
                if (Game.board[next] == Game.board[cell]) {
                    run = static_cast<int8_t>(runs[d][next] + 1);
                }
            }
            runs[d][cell] = run;
        }
    }
}

static void CountColours(int32_t* counts) {
    for (int32_t colour = 0; colour < ColourCount; colour++) {
        counts[colour] = 0;
    }
    for (int8_t cell : Game.board) {
        if (cell >= 0 && cell < ColourCount) {
            counts[cell]++;
        }
    }
}

// Per colour and direction one line at most: the longest, and among equals the first found.
static void MarkLines() {
    int32_t counts[ColourCount];
    CountColours(counts);
    int8_t runs[LineDirections][CellCount];
    MeasureRuns(runs);
    for (int32_t colour = 0; colour < ColourCount; colour++) {
        if (counts[colour] < MinLineLength) {
            continue;
        }
        bool flags[LineDirections] = {true, true, true, true};
        for (int32_t length = BoardSize; length >= MinLineLength; length--) {
            for (int32_t cell = 0; cell < CellCount; cell++) {
                if (Game.board[cell] != colour) {
                    continue;
                }
                int32_t x = cell % BoardSize;
                int32_t y = cell / BoardSize;
                for (int32_t d = 0; d < LineDirections; d++) {
                    if (!flags[d] || runs[d][cell] < length) {
                        continue;
                    }
                    for (int32_t i = 0; i < length; i++) {
                        MarkCell(x + LineColumnStep[d] * i, y + LineRowStep[d] * i, &flags[d]);
                    }
                }
            }
        }
    }
}

static void MarkSquares() {
    for (int32_t colour = 0; colour < ColourCount; colour++) {
        for (int32_t y = 0; y < BoardSize - 1; y++) {
            for (int32_t x = 0; x < BoardSize - 1; x++) {
                int32_t corner = CellIndex(x, y);
                const int32_t block[4] = {corner, corner + 1, corner + BoardSize,
                                          corner + BoardSize + 1};
                bool whole = true;
                for (int32_t cell : block) {
                    whole = whole && Game.board[cell] == colour;
                }
                if (whole) {
                    for (int32_t cell : block) {
                        Game.removalMark[cell] = 1;
                    }
                }
            }
        }
    }
}

int32_t CountGroup(int32_t row, int32_t column, int32_t colour) {
    int32_t& mark = Game.removalMark[CellIndex(column, row)];
    if (mark == -1) {
        return 0;
    }
    mark = -1;
    int32_t count = 1;
    if (column < BoardSize - 1 && Game.board[CellIndex(column + 1, row)] == colour) {
        count += CountGroup(row, column + 1, colour);
    }
    if (row < BoardSize - 1 && Game.board[CellIndex(column, row + 1)] == colour) {
        count += CountGroup(row + 1, column, colour);
    }
    if (column > 0 && Game.board[CellIndex(column - 1, row)] == colour) {
        count += CountGroup(row, column - 1, colour);
    }
    if (row > 0 && Game.board[CellIndex(column, row - 1)] == colour) {
        count += CountGroup(row - 1, column, colour);
    }
    return count;
}

void MarkGroup(int32_t row, int32_t column, int32_t colour) {
    int32_t& mark = Game.removalMark[CellIndex(column, row)];
    if (mark == 1) {
        return;
    }
    mark = 1;
    if (column < BoardSize - 1 && Game.board[CellIndex(column + 1, row)] == colour) {
        MarkGroup(row, column + 1, colour);
    }
    if (row < BoardSize - 1 && Game.board[CellIndex(column, row + 1)] == colour) {
        MarkGroup(row + 1, column, colour);
    }
    if (column > 0 && Game.board[CellIndex(column - 1, row)] == colour) {
        MarkGroup(row, column - 1, colour);
    }
    if (row > 0 && Game.board[CellIndex(column, row - 1)] == colour) {
        MarkGroup(row - 1, column, colour);
    }
}

static void MarkGroups() {
    for (int32_t colour = 0; colour < ColourCount; colour++) {
        for (int32_t y = 0; y < BoardSize; y++) {
            for (int32_t x = 0; x < BoardSize; x++) {
                if (Game.board[CellIndex(x, y)] == colour &&
                    CountGroup(y, x, colour) >= MinGroupSize) {
                    MarkGroup(y, x, colour);
                }
            }
        }
    }
}

// Most checks find nothing. Whether a shape lies anywhere on the board is told at once from
// the cells of each colour as bits; only then are the shapes marked one by one.

// Five in a row along steps of `step` bits: pairs, then fours, then fives.
static bool HasRunOfFive(CellSet cells, int32_t step) {
    CellSet pairs = Both(cells, Behind(cells, step));
    CellSet fours = Both(pairs, Behind(pairs, 2 * step));
    return !IsEmpty(Both(fours, Behind(cells, 4 * step)));
}

static bool AnyLine(CellSet cells) {
    const int32_t steps[4] = {1, CellSetRowBits, CellSetRowBits + 1, CellSetRowBits - 1};
    if (CountCells(cells) < MinLineLength) {
        return false;
    }
    for (int32_t step : steps) {
        if (HasRunOfFive(cells, step)) {
            return true;
        }
    }
    return false;
}

static bool AnySquare(CellSet cells) {
    CellSet pairs = Both(cells, Behind(cells, 1));
    return !IsEmpty(Both(pairs, Behind(pairs, CellSetRowBits)));
}

// A ball with no neighbour of its colour is in no group; the others are grown into groups.
static bool AnyGroup(CellSet cells) {
    CellSet left = Both(cells, Beside(cells));
    while (CountCells(left) >= MinGroupSize) {
        CellSet group = GrowWithin(LowestCell(left), left);
        if (CountCells(group) >= MinGroupSize) {
            return true;
        }
        left = Without(left, group);
    }
    return false;
}

static bool AnyShape() {
    bool (*const tests[3])(CellSet) = {AnyLine, AnySquare, AnyGroup};
    if (Game.mode < Lines || Game.mode > Groups) {
        return false;
    }
    BoardCells board;
    GatherCells(&board);
    for (int32_t colour = 0; colour < ColourCount; colour++) {
        if (tests[Game.mode](board.slot[colour + 1])) {
            return true;
        }
    }
    return false;
}

// The marks a check that finds nothing leaves: in Groups every ball has been counted.
static void MarkNothing() {
    int32_t counted = Game.mode == Groups ? -1 : 0;
    for (int32_t cell = 0; cell < CellCount; cell++) {
        Game.removalMark[cell] = Game.board[cell] != EmptyCell ? counted : 0;
    }
}

int32_t CheckShapes() {
    if (!AnyShape()) {
        MarkNothing();
        return 0;
    }
    for (int32_t& mark : Game.removalMark) {
        mark = 0;
    }
    switch (Game.mode) {
    case Lines:
        MarkLines();
        break;
    case Squares:
        MarkSquares();
        break;
    case Groups:
        MarkGroups();
        break;
    default:
        return 0;
    }
    int32_t marked = 0;
    for (int32_t mark : Game.removalMark) {
        marked += mark == 1 ? 1 : 0;
    }
    int32_t threshold = Threshold[Game.mode];
    return marked > threshold ? (marked - threshold) * marked : 0;
}
