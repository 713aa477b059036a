#include "render/sound.h"

#include "shell/platform.h"
#include "store/settings.h"

const SoundSlotInfo SoundSlots[SoundSlotCount] = {
    {"SelectedBall", "jump.wav"},
    {"ShapeComplete", "cantmove.wav"},
    {"BallMovement", "move.wav"},
    {"WrongMove", "destroy.wav"},
};

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

void AnimationPause(int32_t base) {
    SleepMilliseconds(static_cast<uint32_t>(base * 100 / AnimationSpeed));
}

uint32_t BounceTimerPeriod() {
    return static_cast<uint32_t>(6000 / AnimationSpeed);
}
