// A game as one line of text, for anyone to replay through the rules: the mode, the seed its
// deal was made from, the final score, then every move from a ball's cell to the cell it went
// to, columns before rows, all separated by single spaces:
//     Squares 1001 38 4,5>3,2 0,0>8,8 ...
// Replayed, the seed goes to SeedRandom, the mode is set and DealGame deals; then each move is
// played as a click would play it.
#pragma once

#include <cstdint>

#include "game/game.h"

constexpr int32_t RecordHeadSize = 40; // room for the longest head and its end
constexpr int32_t RecordMoveSize = 12; // " c,r>c,r" and its end

void WriteRecordHead(char* text, int32_t mode, uint32_t seed, int32_t score);
void WriteRecordMove(char* text, const BallMove& move); // with the space before it

enum class ReplayVerdict { Replayed, Malformed, IllegalMove, WrongScore };

// Plays the line's game in Game: Replayed when every field is well formed, every move legal
// (no move after a game over) and the score reached is the one recorded; Game then holds the
// final position. A line may end in a newline.
ReplayVerdict ReplayRecord(const char* line);
