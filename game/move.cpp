// The whole move: everything a click on a free cell changes in the game, without a picture.
#include "game/game.h"

#include <cstring>

static int8_t StepAnnouncedBallAside(int32_t cell, int32_t to) {
    int8_t steppedAside = -1;
    for (int8_t i = 0; i < NextBallCount; i++) {
        NextBall& ball = Game.nextBalls[i];
        if (CellIndex(ball.column, ball.row) == to) {
            ball.column = static_cast<int8_t>(cell % BoardSize);
            ball.row = static_cast<int8_t>(cell / BoardSize);
            steppedAside = i;
        }
    }
    return steppedAside;
}

static int32_t CountEmptyCells() {
    int32_t empty = 0;
    for (int8_t cell : Game.board) {
        empty += cell == EmptyCell ? 1 : 0;
    }
    return empty;
}

// True when the announced balls leave fewer than three cells empty: the game is over.
static bool LandAnnouncedBalls() {
    for (const NextBall& ball : Game.nextBalls) {
        Game.board[CellIndex(ball.column, ball.row)] = ball.colour;
    }
    return CountEmptyCells() < GameOverEmptyCells;
}

void MoveAndLand(const BallMove& ball, MoveRecord* move) {
    int32_t from = CellIndex(ball.fromColumn, ball.fromRow);
    int32_t to = CellIndex(ball.toColumn, ball.toRow);
    move->steppedAside = StepAnnouncedBallAside(from, to);
    std::memcpy(move->announced, Game.nextBalls, sizeof move->announced);
    move->colour = Game.board[from];
    Game.board[to] = Game.board[from];
    Game.board[from] = EmptyCell;
    move->points = ScoreShapes(move->removed);
    move->landed = move->points == 0;
    move->gameOver = move->landed && LandAnnouncedBalls();
}

// The next balls are announced on the board as the landing left it, before its shapes go. A
// game that ends at the landing scores nothing more: the next check sees the next game's deal.
bool PlayMove(int32_t column, int32_t row, MoveRecord* move) {
    if (!FindPath(column, row)) {
        return false;
    }
    Game.ballSelected = false;
    MoveAndLand({Game.selectedColumn, Game.selectedRow, column, row}, move);
    if (move->landed && !move->gameOver) {
        ChooseNextBalls();
        move->points = ScoreShapes(move->removed);
    }
    return true;
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
