// The rules link alone: a demo player built from the rules only, with no drawing, sound, store
// or platform beside them. It plays a fixed game to its end through the rules' whole move and
// prints the moves, the score and the balls left, which the test compares.
#include <cstdio>

#include "game/game.h"

// True when a ball of this colour, other than the one at `from`, lies beside the cell.
static bool BesideSameColour(int32_t cell, int32_t from, int8_t colour) {
    const int32_t steps[4] = {-1, 1, -BoardSize, BoardSize};
    for (int32_t step : steps) {
        int32_t next = cell + step;
        bool wraps = (step == -1 && cell % BoardSize == 0) ||
                     (step == 1 && cell % BoardSize == BoardSize - 1);
        if (!wraps && next >= 0 && next < CellCount && next != from && Game.board[next] == colour) {
            return true;
        }
    }
    return false;
}

// The first ball, in board order, that can reach an empty cell beside a ball of its colour;
// false when none can.
static bool ChooseMove() {
    for (int32_t from = 0; from < CellCount; from++) {
        if (Game.board[from] == EmptyCell) {
            continue;
        }
        SelectBall(from % BoardSize, from / BoardSize);
        for (int32_t to = 0; to < CellCount; to++) {
            if (Game.board[to] == EmptyCell && BesideSameColour(to, from, Game.board[from]) &&
                FindPath(to % BoardSize, to / BoardSize)) {
                return true;
            }
        }
    }
    return false;
}

static int32_t CountBalls() {
    int32_t balls = 0;
    for (int8_t cell : Game.board) {
        balls += cell == EmptyCell ? 0 : 1;
    }
    return balls;
}

int main() {
    SeedRandom(2026);
    Game.mode = Squares;
    DealGame();
    int32_t moves = 0;
    MoveRecord move = {};
    while (!move.gameOver && ChooseMove()) {
        PlayMove(Game.pathColumn[Game.pathLength], Game.pathRow[Game.pathLength], &move);
        moves++;
    }
    std::printf("moves %d score %d balls %d\n", moves, Game.score, CountBalls());
    return 0;
}
