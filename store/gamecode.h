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

// What a pasted text or a link holds that is meant as a game code, and its length; nullptr for
// any other text. Meant so are: the line that Ctrl+C writes ("Brimzo game, ...: " and the word
// after it, whatever that holds); a link whose part after '#' is made of code characters only
// and of about a code's length; and such a run of code characters standing alone as a word.
// About a code's length is within CodeLengthSlack of it, so that a code cut short or with a
// character too many is still refused with a message, while ordinary links and words are not.
constexpr int32_t CodeLengthSlack = 6;
constexpr const char* CodeLineStart = "Brimzo game, "; // the line of GameCodeLine
const char* FindGameCode(const char* text, int32_t* length);
