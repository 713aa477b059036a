// Board animations. The game state is final before they start; they only show the change
// (except the vanish, whose last step empties the marked cells).
#pragma once

#include <cstdint>

// sprite frame columns of the skin sheet
constexpr int32_t RestFrame = 0;
constexpr int32_t FirstVanishFrame = 7;
constexpr int32_t VanishedStep = 19; // the step after the last vanish frame empties the cells
constexpr int32_t FirstAppearFrame = 23;
constexpr int32_t LastAppearFrame = 19;
constexpr int32_t AnnouncedFrame = 24;

constexpr int32_t BounceCycle = 12;
extern const int8_t BounceFrames[BounceCycle];

void BounceStep();
void AnimateMove(int32_t colour);
void AnimateAppear();
void AnimateVanish();
