// The shape check as the rule states it, loop for loop: slow, but the rule itself; the game's
// own check, with its shortcuts, must agree with it on every board.
#pragma once

#include <cstdint>

#include "game/game.h"

// Marks (0, 1, or -1 for counted) and points of the board in the mode.
int32_t OracleCheckShapes(const int8_t* board, int32_t mode, int32_t marks[CellCount]);
