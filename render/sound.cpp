#include "render/sound.h"

#include "shell/platform.h"
#include "store/settings.h"

void PlaySoundSlot(int32_t slot, bool noStop) {
    int32_t played = slot;
    if (slot < PreviewSlotOffset) {
        if (slot < 0 || slot >= SoundSlotCount || SoundEnabled[slot] == 0) {
            return;
        }
    } else {
        played = slot - PreviewSlotOffset;
        if (played >= SoundSlotCount) {
            return;
        }
    }
    PlayWaveFile(SoundFile[played], noStop ? SoundFlagsYield : SoundFlagsCutOff);
}

namespace {
uint32_t PauseDeadline;
}

void StartAnimationPacing() {
    PauseDeadline = MillisecondClock();
}

// Each pause ends a nominal length after the one before, not after the drawing in between:
// slow drawing and a sleep that overruns do not add up over an animation.
void AnimationPause(int32_t base) {
    PauseDeadline += static_cast<uint32_t>(base * 100 / AnimationSpeed);
    auto remaining = static_cast<int32_t>(PauseDeadline - MillisecondClock());
    if (remaining > 0) {
        SleepMilliseconds(static_cast<uint32_t>(remaining));
    }
}

uint32_t BounceTimerPeriod() {
    return static_cast<uint32_t>(6000 / AnimationSpeed);
}
