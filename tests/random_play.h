// Random legal moves, for games played to their end by the tests and the benchmarks.
#pragma once

#include <cstdint>
#include <random>

// A ball that can move, and an empty cell it reaches, each at random among its kind; false
// when no ball can move at all. Game is left as it was.
bool ChooseRandomMove(std::mt19937& random, int32_t* from, int32_t* to);
