// The rules link alone: the computer player plays a fixed game through the rules' whole move,
// with no drawing, sound, store or platform beside them, writes it as a game record and
// replays it. It prints the moves, the score, the balls left and whether the replay came to
// the same score and board, which the test compares.
#include <cstdio>
#include <cstring>

#include "game/player.h"
#include "game/record.h"

namespace {
constexpr int32_t MoveCap = 60;
char Record[RecordHeadSize + MoveCap * RecordMoveSize];
} // namespace

static int32_t CountBalls() {
    int32_t balls = 0;
    for (int8_t cell : Game.board) {
        balls += cell == EmptyCell ? 0 : 1;
    }
    return balls;
}

int main() {
    const uint32_t seed = 2026;
    SeedRandom(seed);
    Game.mode = Squares;
    DealGame();
    char moves[MoveCap * RecordMoveSize] = "";
    int32_t played = 0;
    MoveRecord move = {};
    BallMove choice;
    while (played < MoveCap && !move.gameOver && ChooseMove(&choice)) {
        SelectBall(choice.fromColumn, choice.fromRow);
        PlayMove(choice.toColumn, choice.toRow, &move);
        WriteRecordMove(moves + std::strlen(moves), choice);
        played++;
    }
    int32_t score = Game.score;
    int8_t board[CellCount];
    std::memcpy(board, Game.board, sizeof board);
    WriteRecordHead(Record, Game.mode, seed, score);
    std::strcat(Record, moves);
    bool replayed = ReplayRecord(Record) == ReplayVerdict::Replayed &&
                    std::memcmp(board, Game.board, sizeof board) == 0;
    std::printf("moves %d score %d balls %d replayed %s\n", played, score, CountBalls(),
                replayed ? "yes" : "no");
    return 0;
}
