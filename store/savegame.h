// The game in progress, kept between runs as two strings of letters "A" to "P".
#pragma once

#include <cstdint>

#include "game/game.h"

constexpr int32_t SavedRecordSize = 106;
constexpr int32_t SavedPayloadSize = 102;
constexpr int32_t SavedTextBufferSize = SavedRecordSize + 1;

// The part of the game state that the record carries, and whether the game had help.
struct SavedGame {
    int32_t mode;
    uint32_t randomState;
    int32_t score;
    int8_t board[CellCount];
    NextBall nextBalls[NextBallCount];
    bool assisted; // kept beside the record, not in it
};

// A hint or a move taken back was used in the game in progress: its score enters no leader
// table. Kept with the saved game, and in a game's code.
extern bool GameAssisted;

void EncodeSavedGame(const SavedGame& game, char* first, char* second);
// True when both strings hold a record that passes its check and describes a game in
// progress that the rules can go on with.
bool DecodeSavedGame(const char* first, const char* second, SavedGame* game);
bool SavedGameIsPlayable(const SavedGame& game);

SavedGame GameInProgress();                // the player's, also while a demo holds it aside
void PlaySavedGame(const SavedGame& game); // in place of the game in progress, nothing selected

// While the computer plays in its place, the player's game is held aside whole, selection and
// all: saves, codes and the daily result count it, and it comes back as it was.
void HoldPlayersGame();
void ReturnPlayersGame();
bool PlayersGameHeld();

void SaveGame();
bool LoadSavedGame(); // true when the saved game came back
