// Sets of board cells as bits, for questions about the whole board at once. Ten bits a row, the
// tenth always clear, so that a step off the board's left or right edge lands on a clear bit:
// rows 0 to 5 in `low`, rows 6 to 8 in `high`. Two words rather than one wide integer, which
// the 32-bit Windows compiler lacks.
#pragma once

#include <cstdint>

#include "game/game.h"

struct CellSet {
    uint64_t low;
    uint64_t high;
};

constexpr int32_t CellSetRowBits = 10;
constexpr int32_t CellSetLowBits = 60;
constexpr uint64_t CellSetLowMask = (uint64_t{1} << CellSetLowBits) - 1;
constexpr uint64_t CellSetHighMask = (uint64_t{1} << 30) - 1;

inline CellSet CellOf(int32_t column, int32_t row) {
    int32_t bit = column + CellSetRowBits * row;
    return bit < CellSetLowBits ? CellSet{uint64_t{1} << bit, 0}
                                : CellSet{0, uint64_t{1} << (bit - CellSetLowBits)};
}

inline CellSet Both(CellSet a, CellSet b) {
    return {a.low & b.low, a.high & b.high};
}

inline CellSet Either(CellSet a, CellSet b) {
    return {a.low | b.low, a.high | b.high};
}

inline CellSet Without(CellSet a, CellSet b) {
    return {a.low & ~b.low, a.high & ~b.high};
}

inline bool IsEmpty(CellSet a) {
    return (a.low | a.high) == 0;
}

inline bool SameCells(CellSet a, CellSet b) {
    return a.low == b.low && a.high == b.high;
}

// Counted in the word itself: a popcount instruction is not in every processor the game runs
// on, and the library call that stands in for it costs more than this.
inline int32_t CountBits(uint64_t bits) {
    bits -= (bits >> 1) & 0x5555555555555555u;
    bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int32_t>((bits * 0x0101010101010101u) >> 56);
}

inline int32_t CountCells(CellSet a) {
    return CountBits(a.low) + CountBits(a.high);
}

// Every cell moved `steps` bits on (0 < steps < 60): a row down is ten, a column right one.
inline CellSet Ahead(CellSet a, int32_t steps) {
    return {(a.low << steps) & CellSetLowMask,
            ((a.high << steps) | (a.low >> (CellSetLowBits - steps))) & CellSetHighMask};
}

// Every cell moved `steps` bits back: the cell `steps` bits on from each cell, seen from it.
inline CellSet Behind(CellSet a, int32_t steps) {
    return {((a.low >> steps) | (a.high << (CellSetLowBits - steps))) & CellSetLowMask,
            a.high >> steps};
}

inline CellSet LowestCell(CellSet a) {
    return a.low != 0 ? CellSet{a.low & (~a.low + 1), 0} : CellSet{0, a.high & (~a.high + 1)};
}

inline bool Holds(CellSet a, int32_t cell) {
    int32_t bit = cell + cell / BoardSize;
    return bit < CellSetLowBits ? (a.low >> bit & 1) != 0
                                : (a.high >> (bit - CellSetLowBits) & 1) != 0;
}

// The board's cell of the set's first bit.
inline int32_t FirstCell(CellSet a) {
    int32_t bit = a.low != 0 ? __builtin_ctzll(a.low) : CellSetLowBits + __builtin_ctzll(a.high);
    return bit - bit / CellSetRowBits;
}

// The cells beside any cell of the set.
inline CellSet Beside(CellSet a) {
    CellSet across = Either(Ahead(a, 1), Behind(a, 1));
    return Either(across, Either(Ahead(a, CellSetRowBits), Behind(a, CellSetRowBits)));
}

// The board's cells by what they hold: slot 0 the empty cells, slot 1 + c the balls of colour
// c, and the last slot anything else, which no sound board holds.
constexpr int32_t EmptySlot = 0;
constexpr int32_t CellSlots = ColourCount + 2;
struct BoardCells {
    CellSet slot[CellSlots];
};
void GatherCells(BoardCells* cells);

// The cells of `within` joined to `seed` through side neighbours (the seed's own cells only
// where they lie within).
inline CellSet GrowWithin(CellSet seed, CellSet within) {
    for (;;) {
        CellSet grown = Both(Either(seed, Beside(seed)), within);
        if (SameCells(grown, seed)) {
            return seed;
        }
        seed = grown;
    }
}
