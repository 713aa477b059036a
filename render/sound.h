// Sound events and the pacing of animations.
#pragma once

#include <cstdint>

enum SoundSlot : int32_t {
    BounceSoundSlot = 0,  // once per bounce cycle of the selected ball
    RefusedMoveSlot = 1,  // the selected ball cannot reach the clicked cell
    MoveSoundSlot = 2,    // a move starts
    RemovalSoundSlot = 3, // completed shapes start to vanish
};
constexpr int32_t SoundSlotCount = 4;
constexpr int32_t PreviewSlotOffset = 10; // slots 10..13 play whatever the flags say

// The settings keys do not follow the events for slots 1 and 3; stored files rely on this
// pairing, so it stays.
struct SoundSlotInfo {
    const char* key;
    const char* defaultFile;
};
extern const SoundSlotInfo SoundSlots[SoundSlotCount];

constexpr uint32_t SoundFlagsCutOff = 0x20001; // SND_FILENAME | SND_ASYNC
constexpr uint32_t SoundFlagsYield = 0x20011;  // ... | SND_NOSTOP

void PlaySoundSlot(int32_t slot, bool noStop);
void StartAnimationPacing(); // the pauses of an animation count from now
void AnimationPause(int32_t base);
uint32_t BounceTimerPeriod();
