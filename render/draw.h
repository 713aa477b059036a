// Drawing primitives and screen composition. Each change is drawn into the back buffer
// and onto the window at once.
#pragma once

#include <cstdint>

void BlitFromSkin(int32_t x, int32_t y, int32_t width, int32_t height, int32_t sheetX,
                  int32_t sheetY);
void DrawBall(int32_t column, int32_t row, int32_t colour, int32_t frame);
void ClearCell(int32_t column, int32_t row);
void DrawScore();
void DrawAllBalls();
void DrawNextBalls();
void DrawWindowButton(int32_t index, bool highlighted);
void DrawModeButton(int32_t mode, bool hovered);
void RedrawScreen(bool full, bool leaders, bool modeMarker);
