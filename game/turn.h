// The turn: the rules played out on the screen. A click changes the game state first, through
// the rules' whole move; the drawing, the animations, the sounds and the name dialog then show
// what it did, and a game over enters the leader table and deals the next game.
#pragma once

#include <cstdint>

#include "game/game.h"

void NewGame();      // puts the selected ball down on the screen, then deals
void DeselectBall(); // the selected ball comes to rest where it lies

// What a click on a cell came to: nothing, a ball picked up, a move refused, a move played,
// or a move that ended the game (the next one is dealt by then).
enum class ClickOutcome { Nothing, Selected, Refused, Moved, GameOver };
ClickOutcome ClickCell(int32_t column, int32_t row);
void RemoveMarkedBalls(const int8_t removed[CellCount]); // with their sound, as they vanish
void SettleInterruptedGameOver(const char* typedName);   // the teardown, during name entry

constexpr const char* AssistedGameOverMessage =
    "Your score would have earned a place among the leaders, but this game had help (a hint or "
    "a move taken back): it enters no leader table, so no name is asked.";
