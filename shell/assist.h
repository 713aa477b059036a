// Help a player may ask for: the computer player's move shown as a hint, and moves taken back.
// A game in which either was used is assisted from then on (GameAssisted): its score enters
// no leader table.
#pragma once

#include <cstdint>

#include "game/turn.h"

constexpr int32_t UndoDepth = 4096; // moves a game can take back, the latest first

// A click on a cell by the player, as the mouse and the keys make it: a move played can then
// be taken back, until the game ends or another begins.
ClickOutcome PlayerClicksCell(int32_t column, int32_t row);
void ShowHint(); // frames the ball and the cell the computer would send it to
void HideHint(); // at the next click or key
void TakeBackMove();
void ForgetMoves(); // another game: nothing to take back
