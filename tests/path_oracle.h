// The path search as a literal depth-first relaxation and walk back over every shortest
// path. Slow, but it is the rule itself; the game's own search must agree with it.
#pragma once

#include <cstdint>

#include "game/game.h"

struct OraclePath {
    int32_t distance[CellCount];
    int32_t pathLength;
    int32_t pathColumn[PathCapacity];
    int32_t pathRow[PathCapacity];
    int64_t spreadCalls; // how much work the relaxation did
};

// True when the ball at the origin can reach the (empty) target.
bool OracleFindPath(const int8_t* board, int32_t originColumn, int32_t originRow,
                    int32_t targetColumn, int32_t targetRow, OraclePath* path);
