// The game in progress and the rules that change it. The rules know nothing else: drawing,
// sounds, pauses and dialogs belong to the turn (game/turn.h) and the layers above.
#pragma once

#include <cstdint>

enum GameMode : int32_t { Lines = 0, Squares = 1, Groups = 2 };

constexpr int32_t BoardSize = 9;
constexpr int32_t CellCount = BoardSize * BoardSize;
constexpr int8_t EmptyCell = -1;
constexpr int32_t ColourCount = 7;
constexpr int32_t NextBallCount = 3;
constexpr int32_t PathCapacity = 100;
constexpr int32_t GameOverEmptyCells = 3; // a landing that leaves fewer ends the game
constexpr int32_t MinLineLength = 5; // Lines: this many of a colour in a row, column or diagonal
constexpr int32_t MinGroupSize = 6;  // Groups: this many of a colour joined side by side

// The ways a line runs, each cell's next one later in board order: right, down, down-right,
// down-left.
constexpr int32_t LineDirections = 4;
constexpr int32_t LineColumnStep[LineDirections] = {1, 0, 1, -1};
constexpr int32_t LineRowStep[LineDirections] = {0, 1, 1, 1};

struct NextBall {
    int8_t column;
    int8_t row;
    int8_t colour;
};

// A move as a player makes it: the ball's cell and the empty cell it is sent to.
struct BallMove {
    int32_t fromColumn;
    int32_t fromRow;
    int32_t toColumn;
    int32_t toRow;
};

struct GameState {
    int8_t board[CellCount]; // column + 9 * row; -1 empty, 0..6 a ball of that colour
    NextBall nextBalls[NextBallCount];
    int32_t score;
    int32_t mode;
    uint32_t randomState;
    bool ballSelected;
    int8_t selectedColumn;
    int8_t selectedRow;
    int8_t selectedColour;
    int32_t bounceFrame; // 0..11, position in the bounce cycle
    int32_t pathLength;
    int32_t pathColumn[PathCapacity]; // entry 1 is the origin, entry pathLength the target
    int32_t pathRow[PathCapacity];
    int32_t removalMark[CellCount]; // 0 unmarked, 1 to be removed, -1 counted by CountGroup
};

extern GameState Game;

constexpr int32_t CellIndex(int32_t column, int32_t row) {
    return column + BoardSize * row;
}

constexpr bool CellOnBoard(int32_t column, int32_t row) {
    return column >= 0 && column < BoardSize && row >= 0 && row < BoardSize;
}

// random numbers and dealing
int32_t NextRandom();
int32_t RandomBelow(int32_t n);
void SeedRandom(uint32_t value);
void ClearBoard();
void ChooseNextBalls();
void DealGame(); // a new board and announced balls, score 0, nothing selected

// selection and moving
void SelectBall(int32_t column, int32_t row);
bool FindPath(int32_t column, int32_t row);

// shapes
int32_t CheckShapes();
void MarkCell(int32_t column, int32_t row, bool* flag);
int32_t CountGroup(int32_t row, int32_t column, int32_t colour);
void MarkGroup(int32_t row, int32_t column, int32_t colour);

// What one move did, left behind by PlayMove for the turn to show and for players and checks
// to read. The path it took is Game's (pathLength, pathColumn, pathRow).
struct MoveRecord {
    int8_t colour;                     // of the ball that moved
    int8_t steppedAside;               // the announced ball that made way for it, or -1
    NextBall announced[NextBallCount]; // the announced balls while it moved
    bool landed;                       // it completed no shape: those balls landed
    bool gameOver;                     // and left fewer than three empty cells
    int32_t points;                    // scored by the move, or else by the landing
    int8_t removed[CellCount];         // the colour of each ball taken off, EmptyCell elsewhere
};

// The whole move of the selected ball to the empty cell (column, row), in Game alone, as a
// click plays it: the announced ball on that cell steps aside to the cell the ball leaves, the
// ball moves, the shapes it completes score and go, or else the announced balls land, the
// shapes they complete score and go, and three more are announced. A game over is only
// reported. False, and nothing but the search's work arrays changed, when no path leads there.
bool PlayMove(int32_t column, int32_t row, MoveRecord* move);
// The move's rules once a path is known to lead there, in Game: the announced ball on the
// target steps aside, the ball moves, its shapes score and go, or else the announced balls
// land, and fewer than three empty cells end the game. It stops there, the landing's shapes on
// the board: PlayMove announces the next balls first and then takes them, as the game always
// has; a player judging moves takes them alone, as it must not draw the balls to come.
void MoveAndLand(const BallMove& ball, MoveRecord* move);
// The shapes on the board scored (the score stops at its type's largest value) and taken off;
// their points, 0 when there are none.
int32_t ScoreShapes(int8_t removed[CellCount]);
