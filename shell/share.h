// Sharing a game: the game in progress as a line with its code, a shared game taken in place
// of the game in progress once the player agrees, and today's deal.
#pragma once

#include <cstddef>
#include <cstdint>

// "Brimzo game, Squares, score 214: <code>", to paste in a chat.
void GameCodeLine(char* line, size_t size);
void GameCode(char* code); // GameCodeBufferSize bytes
// A pasted text: a code in it (a whole line or a link) is taken; any other text does nothing.
void TakeSharedText(const char* text);
// What a link carries after its '#' is meant as a code, whatever it holds.
void TakeSharedCode(const char* code, int32_t length);
// Started without a question, as a mode button starts a game: a key with Control or a page
// control is never pressed by chance, and a daily deal left counts for its day anyway.
void DealTodaysGame();
