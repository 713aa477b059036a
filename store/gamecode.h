// The game in progress as a code short enough for a chat or a link: the saved game's fields,
// packed to the bit, with a check, in the 64 characters that a link carries as they are
// (letters, digits, '-' and '_').
#pragma once

#include <cstdint>

#include "store/savegame.h"

constexpr int32_t GameCodeLength = 62;
constexpr int32_t GameCodeBufferSize = GameCodeLength + 1;

enum class CodeVerdict { Taken, WrongLength, WrongCharacter, WrongCheck, Unplayable };

void EncodeGameCode(const SavedGame& game, char* code); // GameCodeBufferSize bytes
// The game a code holds, refused as a saved game is when the rules could not go on with it.
CodeVerdict DecodeGameCode(const char* code, int32_t length, SavedGame* game);
const char* CodeRefusal(CodeVerdict verdict); // what to tell the player

// A text that holds a code, as a line pasted from a chat or a link: the longest run of code
// characters in it, and its length, when the run is long enough to be meant as a code (half a
// code or more); nullptr otherwise.
const char* FindGameCode(const char* text, int32_t* length);
