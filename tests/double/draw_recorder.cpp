// Records the drawing primitives by name, for the tests of the game rules: they see which
// cells, balls and frames a click draws, in order, without any pixels; and the steps of the
// pictures' life at the start and end of a run.
#include <string>

#include "game/game.h"
#include "render/draw.h"
#include "render/skin.h"
#include "tests/double/double.h"

void DrawBall(int32_t column, int32_t row, int32_t colour, int32_t frame) {
    Record("DrawBall %d %d %d %d", column, row, colour, frame);
    ChargeDrawingTime();
}

void ClearCell(int32_t column, int32_t row) {
    Record("ClearCell %d %d", column, row);
    ChargeDrawingTime();
}

void DrawScore() {
    Record("DrawScore %d", Game.score);
}

void DrawAllBalls() {
    Record("DrawAllBalls");
}

// The line is made only when it is kept: the benchmarks play with the recording off.
void DrawNextBalls(const NextBall* balls) {
    if (RecordingOn()) {
        Record("%s", NextBallsCall(balls).c_str());
    }
    ChargeDrawingTime();
}

void DrawWindowButton(int32_t index, bool highlighted) {
    Record("DrawWindowButton %d %d", index, highlighted ? 1 : 0);
}

void DrawModeButton(int32_t mode, bool hovered) {
    Record("DrawModeButton %d %d", mode, hovered ? 1 : 0);
}

void RedrawScreen(bool full, bool leaders, bool modeMarker) {
    Record("RedrawScreen %d %d %d", full ? 1 : 0, leaders ? 1 : 0, modeMarker ? 1 : 0);
}

// The lines joined by '|', blanks at their ends left out.
void DrawPanelText(const char* const lines[PanelLineCount]) {
    std::string text;
    for (int32_t i = 0; i < PanelLineCount; i++) {
        text += (i > 0 ? "|" : "") + std::string(lines[i]);
    }
    Record("DrawPanelText %s", text.c_str());
}

void DrawCellFocus(int32_t column, int32_t row, bool shown) {
    Record("DrawCellFocus %d %d %d", column, row, shown ? 1 : 0);
}

void SelectSkin() {
    Record("SelectSkin");
}

void FreeSkin() {
    Record("FreeSkin");
}

void FreeBackBuffer() {
    Record("FreeBackBuffer");
}
