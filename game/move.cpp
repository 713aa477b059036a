// The whole move: everything a click on a free cell changes in the game, without a picture.
#include "game/game.h"

#include <cstring>

namespace {
constexpr int32_t GameOverEmptyCells = 3;
}

static int8_t StepAnnouncedBallAside(int32_t column, int32_t row) {
    int8_t steppedAside = -1;
    for (int8_t i = 0; i < NextBallCount; i++) {
        NextBall& ball = Game.nextBalls[i];
        if (ball.column == column && ball.row == row) {
            ball.column = Game.selectedColumn;
            ball.row = Game.selectedRow;
            steppedAside = i;
        }
    }
    return steppedAside;
}

bool PlayMove(int32_t column, int32_t row, MoveRecord* move) {
    if (!FindPath(column, row)) {
        return false;
    }
    move->steppedAside = StepAnnouncedBallAside(column, row);
    std::memcpy(move->announced, Game.nextBalls, sizeof move->announced);
    Game.ballSelected = false;
    move->colour = MoveBallAlongPath();
    move->landed = false;
    move->gameOver = false;
    move->points = ScoreShapes(move->removed);
    if (move->points == 0) {
        move->landed = true;
        move->gameOver = SpawnNextBalls();
        // a game that ends here scores nothing more: the next check sees the next game's deal
        if (!move->gameOver) {
            move->points = ScoreShapes(move->removed);
        }
    }
    return true;
}

static int32_t CountEmptyCells() {
    int32_t empty = 0;
    for (int8_t cell : Game.board) {
        empty += cell == EmptyCell ? 1 : 0;
    }
    return empty;
}

bool SpawnNextBalls() {
    for (const NextBall& ball : Game.nextBalls) {
        Game.board[CellIndex(ball.column, ball.row)] = ball.colour;
    }
    if (CountEmptyCells() < GameOverEmptyCells) {
        return true;
    }
    ChooseNextBalls();
    return false;
}

// A score stops at the largest value its type holds: beyond it would turn negative, and a
// saved game with a negative score is refused at the next start.
int32_t ScoreShapes(int8_t removed[CellCount]) {
    int32_t points = CheckShapes();
    for (int32_t cell = 0; cell < CellCount; cell++) {
        bool marked = points > 0 && Game.removalMark[cell] == 1;
        removed[cell] = marked ? Game.board[cell] : EmptyCell;
        Game.board[cell] = marked ? EmptyCell : Game.board[cell];
    }
    Game.score = points > INT32_MAX - Game.score ? INT32_MAX : Game.score + points;
    return points;
}
