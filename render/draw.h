// Drawing primitives and screen composition. Every picture is copied out of the skin sheet;
// each change goes into the back buffer and onto the window at once.
#pragma once

#include <cstdint>

#include "game/game.h"
#include "shell/platform.h"

constexpr int32_t ScreenWidth = 640;
constexpr int32_t ScreenHeight = 480;
constexpr int32_t CellPixels = 40;
constexpr int32_t CellPitch = 45;
constexpr int32_t BoardLeft = 7;
constexpr int32_t BackgroundSheetY = 280; // the background lies this far down the sheet

// the buttons on the screen: six window buttons in two rows at the top right, and the three
// mode buttons side by side
constexpr int32_t WindowButtonX = 580;
constexpr int32_t WindowButtonSize = 20;
constexpr int32_t ModeButtonX = 434;
constexpr int32_t ModeButtonY = 110;
constexpr int32_t ModeButtonWidth = 60;
constexpr int32_t ModeButtonHeight = 25;

// sprite frame columns of the skin sheet
constexpr int32_t RestFrame = 0;
constexpr int32_t FirstVanishFrame = 7;
constexpr int32_t VanishedStep = 19; // the step after the last vanish frame empties the cells
constexpr int32_t FirstAppearFrame = 23;
constexpr int32_t LastAppearFrame = 19;
constexpr int32_t AnnouncedFrame = 24;

// The complete current picture of the screen, made when the window is created.
extern PixelBuffer BackBuffer;
bool CreateBackBuffer();
void FreeBackBuffer();

void BlitFromSkin(int32_t x, int32_t y, int32_t width, int32_t height, int32_t sheetX,
                  int32_t sheetY);
void DrawBall(int32_t column, int32_t row, int32_t colour, int32_t frame);
void ClearCell(int32_t column, int32_t row);
void DrawScore();
void DrawAllBalls();
void DrawNextBalls(const NextBall balls[NextBallCount]); // the announced marks
void DrawWindowButton(int32_t index, bool highlighted);
void DrawModeButton(int32_t mode, bool hovered);
void RedrawScreen(bool full, bool leaders, bool modeMarker);
void DrawCellFocus(int32_t column, int32_t row, bool shown); // the keyboard's focus
// Text in the leader list's place, in the skin's font: ten lines of up to 14 characters.
constexpr int32_t PanelLineCount = 10;
void DrawPanelText(const char* const lines[PanelLineCount]);

// The skin named by the setting replaces the one in use and the whole screen is drawn with it
// at once; its description, or an empty text, for the Options dialog to show.
const char* SwitchSkin();
