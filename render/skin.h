// The skin sheet: one PNG picture that holds every pixel the game shows, in a fixed layout.
#pragma once

#include "shell/platform.h"

extern PixelBuffer SkinSheet;           // no pixels when no sheet is loaded
extern char* SkinDescription;           // the file's "AboutSkinner" text, or none
extern const PixelBuffer* SelectedSkin; // the sheet drawing copies from, or none

void LoadSkin();
// One file decoded into SkinSheet, with its description; false, with nothing made, when it
// cannot be read (render/skin_png.cpp, or the page in a browser).
bool LoadSkinFile(const char* name);
// What to tell the player when no sheet could be loaded; none while a sheet is there.
const char* SkinFailureMessage();
void FreeSkin();
void SelectSkin();
