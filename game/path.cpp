// Selection and the path-finding move. The path is the one the game has always chosen:
// the shortest, and among equally short ones the walk back from the target prefers the
// neighbour to the right, then left, then below, then above.
#include "game/game.h"

#include "game/cellset.h"

namespace {
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

// The cells the ball reaches in one more step than the cells before, as sets: layer k holds
// the cells numbered k + 1. The target is a sink: the spread stops when it is reached. Every
// cell numbered below the target is in its layer, which is all the walk back reads. The number
// of the target, or TargetUnreached.
static int32_t SpreadLayers(int32_t origin, int32_t target, CellSet layers[PathCapacity]) {
    BoardCells board;
    GatherCells(&board);
    CellSet targetCell = CellOf(target % BoardSize, target / BoardSize);
    layers[0] = CellOf(origin % BoardSize, origin / BoardSize);
    CellSet seen = layers[0];
    for (int32_t k = 1;; k++) {
        CellSet next = Without(Both(Beside(layers[k - 1]), board.slot[EmptySlot]), seen);
        if (IsEmpty(next)) {
            return TargetUnreached;
        }
        if (!IsEmpty(Both(next, targetCell))) {
            return k + 1;
        }
        layers[k] = next;
        seen = Either(seen, next);
    }
}

static void WalkBack(int32_t column, int32_t row, const CellSet layers[PathCapacity]) {
    for (int32_t number = Game.pathLength;; number--) {
        Game.pathColumn[number] = column;
        Game.pathRow[number] = row;
        if (number == 1) {
            return;
        }
        for (int32_t d = 0; d < 4; d++) {
            int32_t c = column + WalkColumnStep[d];
            int32_t r = row + WalkRowStep[d];
            if (CellOnBoard(c, r) && Holds(layers[number - 2], CellIndex(c, r))) {
                column = c;
                row = r;
                break;
            }
        }
    }
}

bool FindPath(int32_t column, int32_t row) {
    int32_t target = CellIndex(column, row);
    int32_t origin = CellIndex(Game.selectedColumn, Game.selectedRow);
    CellSet layers[PathCapacity];
    Game.pathLength = SpreadLayers(origin, target, layers);
    if (Game.pathLength == TargetUnreached) {
        return false;
    }
    WalkBack(column, row, layers);
    return true;
}
