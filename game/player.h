// The computer player: chooses a move for the game in progress from what a player sees (the
// board, the announced balls with their places and colours, the mode). It never reads the
// game's random state, so it cannot see the balls to come, and it leaves Game as it found it.
#pragma once

#include "game/game.h"

// A legal move: a ball, and an empty cell it can reach. False when no ball can move (every
// ball boxed in, or no ball left on the board).
bool ChooseMove(BallMove* choice);
