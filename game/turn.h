// The turn: the rules played out on the screen. A click changes the game state first; the
// drawing, the animations, the sounds and the name dialog then show the change.
#pragma once

#include <cstdint>

#include "game/game.h"

void NewGame();      // puts the selected ball down on the screen, then deals
void DeselectBall(); // the selected ball comes to rest where it lies
void MoveBall();     // along the path found, animated
void ClickCell(int32_t column, int32_t row);
bool SpawnNextBalls();
void RemoveMarkedBalls();
void SettleInterruptedGameOver(const char* typedName); // the teardown, during name entry
