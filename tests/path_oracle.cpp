#include "tests/path_oracle.h"

namespace {
OraclePath* Path;

void SpreadDistance(int32_t row, int32_t column, int32_t step) {
    Path->spreadCalls++;
    if (row < 0 || row > 8 || column < 0 || column > 8) {
        return;
    }
    int32_t& here = Path->distance[CellIndex(column, row)];
    if (here == 1000) {
        here = step;
        return;
    }
    here = step;
    if (row > 0 && Path->distance[CellIndex(column, row - 1)] > step) {
        SpreadDistance(row - 1, column, step + 1);
    }
    if (row < 8 && Path->distance[CellIndex(column, row + 1)] > step) {
        SpreadDistance(row + 1, column, step + 1);
    }
    if (column > 0 && Path->distance[CellIndex(column - 1, row)] > step) {
        SpreadDistance(row, column - 1, step + 1);
    }
    if (column < 8 && Path->distance[CellIndex(column + 1, row)] > step) {
        SpreadDistance(row, column + 1, step + 1);
    }
}

void TracePath(int32_t row, int32_t column, int32_t number) {
    if (row < 0 || row > 8 || column < 0 || column > 8) {
        return;
    }
    Path->pathColumn[number] = column;
    Path->pathRow[number] = row;
    if (Path->distance[CellIndex(column, row)] == 1) {
        return;
    }
    if (row > 0 && Path->distance[CellIndex(column, row - 1)] == number - 1) {
        TracePath(row - 1, column, number - 1);
    }
    if (row < 8 && Path->distance[CellIndex(column, row + 1)] == number - 1) {
        TracePath(row + 1, column, number - 1);
    }
    if (column > 0 && Path->distance[CellIndex(column - 1, row)] == number - 1) {
        TracePath(row, column - 1, number - 1);
    }
    if (column < 8 && Path->distance[CellIndex(column + 1, row)] == number - 1) {
        TracePath(row, column + 1, number - 1);
    }
}
} // namespace

bool OracleFindPath(const int8_t* board, int32_t originColumn, int32_t originRow,
                    int32_t targetColumn, int32_t targetRow, OraclePath* path) {
    Path = path;
    path->spreadCalls = 0;
    for (int32_t i = 0; i < CellCount; i++) {
        path->distance[i] = board[i] == EmptyCell ? 100 : 0;
    }
    path->distance[CellIndex(targetColumn, targetRow)] = 1000;
    path->distance[CellIndex(originColumn, originRow)] = 1;
    SpreadDistance(originRow, originColumn, 1);
    path->pathLength = path->distance[CellIndex(targetColumn, targetRow)];
    if (path->pathLength == 1000) {
        return false;
    }
    TracePath(targetRow, targetColumn, path->pathLength);
    return true;
}
