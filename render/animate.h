// Board animations. The game state is final before they start; they only show the change.
#pragma once

#include <cstdint>

#include "game/game.h"

constexpr int32_t BounceCycle = 12;
extern const int8_t BounceFrames[BounceCycle];

void BounceStep();
// The ball moves along Game's path, past the announced balls as they were meanwhile.
void AnimateMove(int32_t colour, const NextBall announced[NextBallCount]);
void AnimateAppear(const NextBall landed[NextBallCount]);
void AnimateVanish(const int8_t removed[CellCount]); // the colour of each ball, or EmptyCell
