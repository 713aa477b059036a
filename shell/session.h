// The run as every platform has it: its start, a different game in place of the one in
// progress, and its end. Each platform's entry point calls these in turn and adds only its own
// steps between them: loading the skin and making the window, keeping the settings.
#pragma once

#include <cstdint>

#include "store/savegame.h"

// Before the window: a new game is dealt, the settings are read over it (the saved game and
// the leaders with them) and full screen is settled against the display.
void BeginSession();
// Once the skin is loaded and the window made: the sheet selected, the whole screen drawn, and
// full screen entered where the settings ask for it.
void ShowFirstScreen();
// A different game, dealt in the mode from the generator as it stands, or the given one: the
// game in progress ends as at a mode button (its moves can no longer be taken back), and the
// screen shows the new one at once.
void StartGame(int32_t mode, const SavedGame* given);
// The teardown before the settings are kept: the pictures freed, and a name being asked for
// settled under the name typed so far.
void EndSession(const char* typedName);
// After the settings are kept: the desktop's own display mode again.
void LeaveSession();
