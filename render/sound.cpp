#include "render/sound.h"

#include "shell/platform.h"
#include "store/settings.h"

namespace {
void PlaySlotFile(int32_t slot, bool mayCutShort) {
    PlayWaveFile(SoundFile[slot], SoundSlots[slot].defaultFile, mayCutShort);
}
} // namespace

void PlaySoundSlot(int32_t slot, bool noStop) {
    if (slot >= 0 && slot < SoundSlotCount && SoundEnabled[slot] != 0) {
        PlaySlotFile(slot, !noStop);
    }
}

void PreviewSoundSlot(int32_t slot) {
    if (slot >= 0 && slot < SoundSlotCount) {
        PlaySlotFile(slot, true);
    }
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
