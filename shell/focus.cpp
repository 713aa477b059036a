#include "shell/focus.h"

#include "game/game.h"
#include "render/draw.h"

bool FocusShown = false;
int32_t FocusColumn = BoardSize / 2;
int32_t FocusRow = BoardSize / 2;

void ShowFocus() {
    FocusShown = true;
    DrawCellFocus(FocusColumn, FocusRow, true);
}

void MoveFocus(int32_t columnStep, int32_t rowStep) {
    int32_t column = FocusColumn + columnStep;
    int32_t row = FocusRow + rowStep;
    if (column < 0 || column >= BoardSize || row < 0 || row >= BoardSize) {
        return;
    }
    DrawCellFocus(FocusColumn, FocusRow, false);
    FocusColumn = column;
    FocusRow = row;
    DrawCellFocus(FocusColumn, FocusRow, true);
}

void HideFocus() {
    if (FocusShown) {
        FocusShown = false;
        DrawCellFocus(FocusColumn, FocusRow, false);
    }
}

void PutFocusOn(int32_t column, int32_t row) {
    if (FocusShown) {
        DrawCellFocus(FocusColumn, FocusRow, false);
    }
    FocusColumn = column;
    FocusRow = row;
    RefreshFocus();
}

void RefreshFocus() {
    if (FocusShown) {
        DrawCellFocus(FocusColumn, FocusRow, true);
    }
}
