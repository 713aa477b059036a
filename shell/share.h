// Sharing a game: the game in progress as a line with its code, a shared game taken in place
// of the game in progress once the player agrees, and today's deal.
#pragma once

#include <cstddef>
#include <cstdint>

// "Brimzo game, Squares, score 214: <code>", to paste in a chat.
void GameCodeLine(char* line, size_t size);
void GameCode(char* code); // GameCodeBufferSize bytes
// A pasted text, or the link the page was opened with: what is meant as a code in it (see
// FindGameCode) is taken or refused; any other text does nothing.
void TakeSharedText(const char* text);
// A text meant as a code: played after the player agrees, or refused with a message.
void TakeSharedCode(const char* code, int32_t length);
// Started without a question, as a mode button starts a game: a key with Control or a page
// control is never pressed by chance, and a daily deal left counts for its day anyway.
void DealTodaysGame();
