#include "tests/random_play.h"

#include "game/cellset.h"

// The set's cell that comes `skip` cells after its first, alone.
static CellSet NthCell(CellSet cells, uint32_t skip) {
    for (; skip > 0; skip--) {
        cells = Without(cells, LowestCell(cells));
    }
    return LowestCell(cells);
}

bool ChooseRandomMove(std::mt19937& random, int32_t* from, int32_t* to) {
    BoardCells board;
    GatherCells(&board);
    CellSet balls = {0, 0};
    for (int32_t colour = 0; colour < ColourCount; colour++) {
        balls = Either(balls, board.slot[EmptySlot + 1 + colour]);
    }
    for (uint32_t count = static_cast<uint32_t>(CountCells(balls)); count > 0; count--) {
        CellSet ball = NthCell(balls, static_cast<uint32_t>(random() % count));
        CellSet reached = GrowWithin(ball, board.slot[EmptySlot]);
        uint32_t targets = static_cast<uint32_t>(CountCells(reached));
        if (targets > 0) {
            *from = FirstCell(ball);
            *to = FirstCell(NthCell(reached, static_cast<uint32_t>(random() % targets)));
            return true;
        }
        balls = Without(balls, ball); // boxed in: never again this move
    }
    return false;
}
