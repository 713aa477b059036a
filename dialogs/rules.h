// What the dialogs accept, apart from any window: a leader's name and an animation speed; and
// the sound slot of each row of Options.
#pragma once

#include <cstdint>

#include "store/settings.h"

enum class NameVerdict { Accepted, TooLong, NotLatin };

// At most 8 characters, each a printable 7-bit byte from 32 to 127; the length is judged first.
NameVerdict CheckLeaderName(const char* name);
const char* NameWarning(NameVerdict verdict);

// The speed field as the dialog reads it, unsigned; what is below 1 taken as signed is 100.
int32_t SpeedFromField(uint32_t field);

// The sound slot of each row of Options, in order.
constexpr int32_t OptionsRowSlot[4] = {BounceSoundSlot, RemovalSoundSlot, MoveSoundSlot,
                                       RefusedMoveSlot};
