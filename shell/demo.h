// The demo: the computer plays games of the current mode on the screen, with the game's own
// animations and sounds at the animation speed, one move at a bounce's pace, and deals the
// next game after each game over. The player's game is held aside meanwhile, whole, and any
// click or key gives it back exactly as it was. A demo saves nothing, enters no leader table
// and counts no daily result.
#pragma once

bool DemoPlaying();
void StartDemo();
void EndDemo();
// A click or a key of the player's arrives: it ends a demo, and then does nothing more (true);
// otherwise it puts a hint away before it acts.
bool InputEndsDemo();
// The bounce timer's tick: the demo's next step while it plays, else the selected ball's
// bounce.
void TimerTick();
