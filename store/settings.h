// The settings values kept between runs in "brimzo.ini"; loading and saving them orchestrates
// the saved game and the leader tables too.
#pragma once

#include <cstdint>

#include "store/profile.h"

constexpr int32_t SoundFileBufferSize = 1024;
constexpr int32_t DefaultAnimationSpeed = 100;
constexpr const char* DefaultSkin = "brimzo.png";

enum SoundSlot : int32_t {
    BounceSoundSlot = 0,  // once per bounce cycle of the selected ball
    RefusedMoveSlot = 1,  // the selected ball cannot reach the clicked cell
    MoveSoundSlot = 2,    // a move starts
    RemovalSoundSlot = 3, // completed shapes start to vanish
};
constexpr int32_t SoundSlotCount = 4;

// The settings keys do not follow the events for slots 1 and 3; stored files rely on this
// pairing, so it stays.
struct SoundSlotInfo {
    const char* key;
    const char* defaultFile;
};
extern const SoundSlotInfo SoundSlots[SoundSlotCount];

extern int32_t PosX;
extern int32_t PosY;
extern int32_t FullScreen;
extern int32_t AnimationSpeed; // percent, never below 1
extern int32_t SoundEnabled[SoundSlotCount];
extern char Skin[PathBufferSize];
extern char SoundFile[SoundSlotCount][SoundFileBufferSize];

void ResetSettings(); // the values a first start has, and no settings path
void LoadSettings();  // forms the settings path first
bool SaveSettings();  // false when the file could not be written: it is then left as it was
