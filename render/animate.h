// Board animations. The game state is final before they start; they only show the change
// (except the vanish, whose last step empties the marked cells).
#pragma once

#include <cstdint>

constexpr int32_t BounceCycle = 12;
extern const int8_t BounceFrames[BounceCycle];

void BounceStep();
void AnimateMove(int32_t colour);
void AnimateAppear();
void AnimateVanish();
