// The keyboard's focus: a frame around one board cell, drawn only once a key has been used
// and taken away when the mouse comes over the board, so a mouse player never sees it.
#pragma once

#include <cstdint>

extern bool FocusShown;
extern int32_t FocusColumn;
extern int32_t FocusRow;

void ShowFocus();
void MoveFocus(int32_t columnStep, int32_t rowStep); // the board's edge stops it
void HideFocus();
void RefreshFocus();                          // after the board was drawn anew around it
void PutFocusOn(int32_t column, int32_t row); // where it is shown
