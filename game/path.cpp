// Selection and the path-finding move. The path is the one the game has always chosen:
// the shortest, and among equally short ones the walk back from the target prefers the
// neighbour to the right, then left, then below, then above.
#include "game/game.h"

namespace {
constexpr int32_t Blocked = 0;
constexpr int32_t Unreached = 100;
constexpr int32_t TargetUnreached = 1000;

// the walk back's preference: right, left, below, above
constexpr int32_t WalkColumnStep[4] = {1, -1, 0, 0};
constexpr int32_t WalkRowStep[4] = {0, 0, 1, -1};
} // namespace

void SelectBall(int32_t column, int32_t row) {
    Game.bounceFrame = 0;
    Game.selectedColumn = static_cast<int8_t>(column);
    Game.selectedRow = static_cast<int8_t>(row);
    Game.ballSelected = true;
    Game.selectedColour = Game.board[CellIndex(column, row)];
}

static bool OnBoard(int32_t column, int32_t row) {
    return column >= 0 && column < BoardSize && row >= 0 && row < BoardSize;
}

// Breadth-first numbering from the selected ball. The target is a sink: it takes its number
// and the search stops, so every cell numbered below the target holds its exact distance,
// which is all the walk back reads.
static void NumberCells(int32_t target) {
    int16_t queue[CellCount];
    int32_t head = 0;
    int32_t tail = 0;
    queue[tail++] = static_cast<int16_t>(CellIndex(Game.selectedColumn, Game.selectedRow));
    while (head < tail) {
        int32_t cell = queue[head++];
        int32_t column = cell % BoardSize;
        int32_t row = cell / BoardSize;
        int32_t next = Game.distance[cell] + 1;
        for (int32_t d = 0; d < 4; d++) {
            int32_t c = column + WalkColumnStep[d];
            int32_t r = row + WalkRowStep[d];
            if (!OnBoard(c, r)) {
                continue;
            }
            int32_t neighbour = CellIndex(c, r);
            if (neighbour == target) {
                Game.distance[target] = next;
                return;
            }
            if (Game.distance[neighbour] == Unreached) {
                Game.distance[neighbour] = next;
                queue[tail++] = static_cast<int16_t>(neighbour);
            }
        }
    }
}

static void WalkBack(int32_t column, int32_t row) {
    for (int32_t number = Game.pathLength;; number--) {
        Game.pathColumn[number] = column;
        Game.pathRow[number] = row;
        if (number == 1) {
            return;
        }
        for (int32_t d = 0; d < 4; d++) {
            int32_t c = column + WalkColumnStep[d];
            int32_t r = row + WalkRowStep[d];
            if (OnBoard(c, r) && Game.distance[CellIndex(c, r)] == number - 1) {
                column = c;
                row = r;
                break;
            }
        }
    }
}

bool FindPath(int32_t column, int32_t row) {
    for (int32_t i = 0; i < CellCount; i++) {
        Game.distance[i] = Game.board[i] == EmptyCell ? Unreached : Blocked;
    }
    int32_t target = CellIndex(column, row);
    Game.distance[target] = TargetUnreached;
    Game.distance[CellIndex(Game.selectedColumn, Game.selectedRow)] = 1;
    NumberCells(target);
    Game.pathLength = Game.distance[target];
    if (Game.pathLength == TargetUnreached) {
        return false;
    }
    WalkBack(column, row);
    return true;
}

int8_t MoveBallAlongPath() {
    int32_t origin = CellIndex(Game.pathColumn[1], Game.pathRow[1]);
    int32_t target = CellIndex(Game.pathColumn[Game.pathLength], Game.pathRow[Game.pathLength]);
    int8_t colour = Game.board[origin];
    Game.board[target] = colour;
    Game.board[origin] = EmptyCell;
    return colour;
}
