// The skin sheet: one PNG picture that holds every pixel the game shows, in a fixed layout.
#pragma once

#include "shell/platform.h"

extern PixelBuffer SkinSheet;           // no pixels when no sheet is loaded
extern char* SkinDescription;           // the file's "AboutSkinner" text, or none
extern const PixelBuffer* SelectedSkin; // the sheet drawing copies from, or none

void LoadSkin();
void FreeSkin();
void SelectSkin();
