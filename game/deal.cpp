// The generator and the deal. The order of the draws fixes the game that follows from a
// random state, and the saved game relies on it: keep it exactly as it is.
#include "game/game.h"

GameState Game;

int32_t NextRandom() {
    Game.randomState = Game.randomState * 22695477u + 1u;
    return static_cast<int32_t>((Game.randomState >> 16) & 0x7FFFu);
}

int32_t RandomBelow(int32_t n) {
    return NextRandom() * n / 32768;
}

void SeedRandom(uint32_t value) {
    Game.randomState = value;
}

void ClearBoard() {
    for (int8_t& cell : Game.board) {
        cell = EmptyCell;
    }
}

static void PlaceStartingBalls() {
    int32_t placed = 0;
    while (placed < 5) {
        int32_t column = RandomBelow(BoardSize);
        int32_t row = RandomBelow(BoardSize);
        int8_t& cell = Game.board[CellIndex(column, row)];
        if (cell == EmptyCell) {
            cell = static_cast<int8_t>(RandomBelow(ColourCount));
            placed++;
        }
    }
}

static bool IsAnnouncedBefore(int32_t entry, int32_t column, int32_t row) {
    for (int32_t i = 0; i < entry; i++) {
        if (Game.nextBalls[i].column == column && Game.nextBalls[i].row == row) {
            return true;
        }
    }
    return false;
}

// Needs three empty cells; the turn sequence ends a game before the board gets fuller.
void ChooseNextBalls() {
    for (int32_t i = 0; i < NextBallCount; i++) {
        NextBall& ball = Game.nextBalls[i];
        for (;;) {
            ball.column = static_cast<int8_t>(RandomBelow(BoardSize));
            ball.row = static_cast<int8_t>(RandomBelow(BoardSize));
            bool free = Game.board[CellIndex(ball.column, ball.row)] == EmptyCell;
            if (free && !IsAnnouncedBefore(i, ball.column, ball.row)) {
                break;
            }
        }
        ball.colour = static_cast<int8_t>(RandomBelow(ColourCount));
    }
}

void DealGame() {
    Game.ballSelected = false;
    ClearBoard();
    PlaceStartingBalls();
    ChooseNextBalls();
    Game.score = 0;
}
