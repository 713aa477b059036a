// What the dialogs accept, apart from any window: a leader's name and an animation speed; and
// the sound slot of each row of Options.
#pragma once

#include <cstdint>

#include "render/sound.h"

enum class NameVerdict { Accepted, TooLong, NotLatin };

// At most 8 characters, each a printable 7-bit byte from 32 to 127; the length is judged first.
NameVerdict CheckLeaderName(const char* name);
const char* NameWarning(NameVerdict verdict);

// The speed field as the dialog reads it, unsigned; what is below 1 taken as signed is 100.
int32_t SpeedFromField(uint32_t field);

// Controls of the dialog templates that both platforms' dialogs address by id.
constexpr int32_t NameEdit = 401;
constexpr int32_t SpeedEdit = 501;
constexpr int32_t PreviousSkin = 601;
constexpr int32_t NextSkin = 602;
constexpr int32_t SkinText = 701;

// The rows of Options in order: check box 101 + row, preview 201 + row, Change 301 + row.
constexpr int32_t OptionsRowSlot[4] = {BounceSoundSlot, RemovalSoundSlot, MoveSoundSlot,
                                       RefusedMoveSlot};
