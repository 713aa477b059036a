#include "game/cellset.h"

// The rows from `first` on, into one word per slot: a bit that runs on through the cells and
// skips each row's guard bit, with no branch on what a cell holds, which a random board would
// mispredict.
static void GatherRows(int32_t first, int32_t last, uint64_t words[CellSlots]) {
    for (int32_t slot = 0; slot < CellSlots; slot++) {
        words[slot] = 0;
    }
    uint64_t bit = 1;
    for (int32_t row = first; row < last; row++, bit <<= 1) {
        for (int32_t column = 0; column < BoardSize; column++, bit <<= 1) {
            uint32_t slot = static_cast<uint8_t>(Game.board[CellIndex(column, row)] + 1);
            words[slot < CellSlots - 1 ? slot : CellSlots - 1] |= bit;
        }
    }
}

void GatherCells(BoardCells* cells) {
    constexpr int32_t lowRows = CellSetLowBits / CellSetRowBits;
    uint64_t low[CellSlots];
    uint64_t high[CellSlots];
    GatherRows(0, lowRows, low);
    GatherRows(lowRows, BoardSize, high);
    for (int32_t slot = 0; slot < CellSlots; slot++) {
        cells->slot[slot] = {low[slot], high[slot]};
    }
}
