// Sound events and the pacing of animations.
#pragma once

#include <cstdint>

#include "store/settings.h"

// A slot's file, when its sound is on: the bounce and the failed move wait their turn (noStop),
// nothing else does.
void PlaySoundSlot(int32_t slot, bool noStop);
// The Options dialog's preview of a slot plays its file whether its sound is on or not.
void PreviewSoundSlot(int32_t slot);
void StartAnimationPacing(); // the pauses of an animation count from now
void AnimationPause(int32_t base);
uint32_t BounceTimerPeriod();
