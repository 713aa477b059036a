#include "tests/shapes_oracle.h"

namespace {

const int8_t* Board;
int32_t* Marks;

int8_t At(int32_t column, int32_t row) {
    return Board[column + BoardSize * row];
}

void Mark(int32_t column, int32_t row, bool* flag) {
    Marks[column + BoardSize * row] = 1;
    *flag = false;
}

bool Run(int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t length, int32_t colour) {
    for (int32_t i = 0; i < length; i++) {
        if (At(x + dx * i, y + dy * i) != colour) {
            return false;
        }
    }
    return true;
}

void MarkRun(int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t length, bool* flag) {
    for (int32_t i = 0; i < length; i++) {
        Mark(x + dx * i, y + dy * i, flag);
    }
}

void MarkLines() {
    for (int32_t k = 0; k < 7; k++) {
        bool horizontal = true, vertical = true, downRight = true, downLeft = true;
        for (int32_t length = 9; length >= 5; length--) {
            for (int32_t y = 0; y <= 8; y++) {
                for (int32_t x = 0; x <= 8; x++) {
                    if (x + length <= 9 && horizontal && Run(x, y, 1, 0, length, k)) {
                        MarkRun(x, y, 1, 0, length, &horizontal);
                    }
                    if (y + length <= 9 && vertical && Run(x, y, 0, 1, length, k)) {
                        MarkRun(x, y, 0, 1, length, &vertical);
                    }
                    if (y + length <= 9 && x + length <= 9 && downRight &&
                        Run(x, y, 1, 1, length, k)) {
                        MarkRun(x, y, 1, 1, length, &downRight);
                    }
                    if (y + length <= 9 && x >= length - 1 && downLeft &&
                        Run(x, y, -1, 1, length, k)) {
                        MarkRun(x, y, -1, 1, length, &downLeft);
                    }
                }
            }
        }
    }
}

void MarkSquares() {
    for (int32_t k = 0; k < 7; k++) {
        for (int32_t y = 0; y <= 7; y++) {
            for (int32_t x = 0; x <= 7; x++) {
                if (At(x, y) == k && At(x + 1, y) == k && At(x, y + 1) == k &&
                    At(x + 1, y + 1) == k) {
                    Marks[x + 9 * y] = Marks[x + 1 + 9 * y] = 1;
                    Marks[x + 9 * (y + 1)] = Marks[x + 1 + 9 * (y + 1)] = 1;
                }
            }
        }
    }
}

int32_t CountGroup(int32_t row, int32_t column, int32_t colour) {
    if (Marks[column + 9 * row] == -1) {
        return 0;
    }
    Marks[column + 9 * row] = -1;
    int32_t count = 1;
    if (column < 8 && At(column + 1, row) == colour) {
        count += CountGroup(row, column + 1, colour);
    }
    if (row < 8 && At(column, row + 1) == colour) {
        count += CountGroup(row + 1, column, colour);
    }
    if (column > 0 && At(column - 1, row) == colour) {
        count += CountGroup(row, column - 1, colour);
    }
    if (row > 0 && At(column, row - 1) == colour) {
        count += CountGroup(row - 1, column, colour);
    }
    return count;
}

void MarkGroup(int32_t row, int32_t column, int32_t colour) {
    if (Marks[column + 9 * row] == 1) {
        return;
    }
    Marks[column + 9 * row] = 1;
    if (column < 8 && At(column + 1, row) == colour) {
        MarkGroup(row, column + 1, colour);
    }
    if (row < 8 && At(column, row + 1) == colour) {
        MarkGroup(row + 1, column, colour);
    }
    if (column > 0 && At(column - 1, row) == colour) {
        MarkGroup(row, column - 1, colour);
    }
    if (row > 0 && At(column, row - 1) == colour) {
        MarkGroup(row - 1, column, colour);
    }
}

void MarkGroups() {
    for (int32_t k = 0; k < 7; k++) {
        for (int32_t y = 0; y <= 8; y++) {
            for (int32_t x = 0; x <= 8; x++) {
                if (At(x, y) == k && CountGroup(y, x, k) > 5) {
                    MarkGroup(y, x, k);
                }
            }
        }
    }
}

} // namespace

int32_t OracleCheckShapes(const int8_t* board, int32_t mode, int32_t marks[CellCount]) {
    Board = board;
    Marks = marks;
    for (int32_t i = 0; i < CellCount; i++) {
        marks[i] = 0;
    }
    const int32_t thresholds[3] = {4, 3, 5};
    if (mode == 0) {
        MarkLines();
    } else if (mode == 1) {
        MarkSquares();
    } else if (mode == 2) {
        MarkGroups();
    } else {
        return 0;
    }
    int32_t n = 0;
    for (int32_t i = 0; i < CellCount; i++) {
        n += marks[i] == 1 ? 1 : 0;
    }
    return n > thresholds[mode] ? (n - thresholds[mode]) * n : 0;
}
