// Sound events and the pacing of animations.
#pragma once

#include <cstdint>

#include "store/settings.h"

constexpr int32_t PreviewSlotOffset = 10; // slots 10..13 play whatever the flags say

constexpr uint32_t SoundFlagsCutOff = 0x20001; // SND_FILENAME | SND_ASYNC
constexpr uint32_t SoundFlagsYield = 0x20011;  // ... | SND_NOSTOP

void PlaySoundSlot(int32_t slot, bool noStop);
void StartAnimationPacing(); // the pauses of an animation count from now
void AnimationPause(int32_t base);
uint32_t BounceTimerPeriod();
