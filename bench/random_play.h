// Random legal moves, for games played to their end by the tests and the benchmarks.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

// Plays one move: a ball that can reach an empty cell, sent to one it reaches. False when no
// ball can move at all. The two lists are work space, kept by the caller between moves.
bool PlayRandomMove(std::mt19937& random, std::vector<int32_t>& balls,
                    std::vector<int32_t>& empties);
