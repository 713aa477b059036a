#include "render/draw.h"

#include <cstring>

#include "game/game.h"
#include "render/skin.h"
#include "store/leaders.h"

PixelBuffer BackBuffer;

namespace {
constexpr int32_t ScoreDigits = 5;
constexpr int32_t ScoreX = 450;
constexpr int32_t ScoreY = 55;
constexpr int32_t ScoreDigitPitch = 32;
constexpr int32_t DigitWidth = 30;
constexpr int32_t DigitHeight = 40;
constexpr int32_t DigitSheetX = 700;

constexpr int32_t WindowButtonSheetX = 640;
constexpr int32_t ModeSheetX = 640;
constexpr int32_t ModeMarkerSheetY = 470;
constexpr int32_t ModeHoverSheetY = 495;

constexpr int32_t BoardAreaLeft = 5; // the board with its frame, restored by a board-only redraw
constexpr int32_t BoardAreaSize = 405;

constexpr int32_t FocusWidth = 2; // of the gap of 5 around a cell

constexpr int32_t LeaderX = 420;
constexpr int32_t LeaderY = 155;
constexpr int32_t GlyphWidth = 15;
constexpr int32_t GlyphHeight = 25;
constexpr int32_t FontSheetX = 640;
constexpr int32_t FontSheetY = 320;

int32_t CellX(int32_t column) {
    return BoardLeft + CellPitch * column;
}

// Narrows [start, start + length) to [low, high) and moves the other axis by the same amount.
void Clip(int32_t* start, int32_t* other, int32_t* length, int32_t low, int32_t high) {
    if (*start < low) {
        *length -= low - *start;
        *other += low - *start;
        *start = low;
    }
    if (*start + *length > high) {
        *length = high - *start;
    }
}

// A line of the leader list's place, blanks after the text's end.
void DrawPanelLine(int32_t index, const char* line) {
    bool ended = false;
    for (int32_t k = 0; k < LeaderLineLength; k++) {
        ended = ended || line[k] == '\0';
        int32_t code = ended ? ' ' : static_cast<unsigned char>(line[k]);
        if (code < 32 || code > 127) {
            code = ' '; // the font has glyphs for 32..127 only
        }
        BlitFromSkin(LeaderX + GlyphWidth * k, LeaderY + GlyphHeight * index, GlyphWidth,
                     GlyphHeight, FontSheetX + GlyphWidth * ((code - 32) % 16),
                     FontSheetY + GlyphHeight * ((code - 32) / 16));
    }
}

void DrawLeaderList() {
    for (int32_t i = 0; i < LeaderLineCount; i++) {
        DrawPanelLine(i, LeaderLineAt(i));
    }
}
} // namespace

bool CreateBackBuffer() {
    return CreatePixelBuffer(&BackBuffer, ScreenWidth, ScreenHeight);
}

void FreeBackBuffer() {
    FreePixelBuffer(&BackBuffer);
}

void BlitFromSkin(int32_t x, int32_t y, int32_t width, int32_t height, int32_t sheetX,
                  int32_t sheetY) {
    const PixelBuffer* sheet = SelectedSkin;
    if (!sheet || !sheet->pixels || !BackBuffer.pixels) {
        return;
    }
    Clip(&sheetX, &x, &width, 0, sheet->width);
    Clip(&sheetY, &y, &height, 0, sheet->height);
    Clip(&x, &sheetX, &width, 0, BackBuffer.width);
    Clip(&y, &sheetY, &height, 0, BackBuffer.height);
    if (width <= 0 || height <= 0) {
        return;
    }
    const uint8_t* from = PixelAt(*sheet, sheetX, sheetY);
    uint8_t* to = PixelAt(BackBuffer, x, y);
    for (int32_t row = 0; row < height; row++) {
        std::memcpy(to, from, static_cast<size_t>(width) * 3);
        from += sheet->stride;
        to += BackBuffer.stride;
    }
    PresentRect(x, y, width, height);
}

void DrawBall(int32_t column, int32_t row, int32_t colour, int32_t frame) {
    BlitFromSkin(CellX(column), CellX(row), CellPixels, CellPixels, CellPixels * frame,
                 CellPixels * colour);
}

void ClearCell(int32_t column, int32_t row) {
    int32_t x = CellX(column);
    int32_t y = CellX(row);
    BlitFromSkin(x, y, CellPixels, CellPixels, x, y + BackgroundSheetY);
}

// Five digits, least significant first; a larger score shows its last five.
void DrawScore() {
    auto score = static_cast<uint32_t>(Game.score);
    for (int32_t k = ScoreDigits - 1; k >= 0; k--) {
        auto digit = static_cast<int32_t>(score % 10);
        BlitFromSkin(ScoreX + ScoreDigitPitch * k, ScoreY, DigitWidth, DigitHeight,
                     DigitSheetX + DigitWidth * digit, BackgroundSheetY);
        score /= 10;
    }
}

void DrawAllBalls() {
    for (int32_t row = 0; row < BoardSize; row++) {
        for (int32_t column = 0; column < BoardSize; column++) {
            int8_t colour = Game.board[CellIndex(column, row)];
            if (colour != EmptyCell) {
                DrawBall(column, row, colour, RestFrame);
            }
        }
    }
}

void DrawNextBalls(const NextBall balls[NextBallCount]) {
    for (int32_t i = 0; i < NextBallCount; i++) {
        DrawBall(balls[i].column, balls[i].row, balls[i].colour, AnnouncedFrame);
    }
}

void DrawWindowButton(int32_t index, bool highlighted) {
    int32_t column = index % 3;
    int32_t row = index / 3;
    int32_t x = WindowButtonX + WindowButtonSize * column;
    int32_t y = WindowButtonSize * row;
    if (highlighted) {
        BlitFromSkin(x, y, WindowButtonSize, WindowButtonSize,
                     WindowButtonSheetX + WindowButtonSize * column, BackgroundSheetY + y);
    } else {
        BlitFromSkin(x, y, WindowButtonSize, WindowButtonSize, x, BackgroundSheetY + y);
    }
}

void DrawModeButton(int32_t mode, bool hovered) {
    int32_t x = ModeButtonX + ModeButtonWidth * mode;
    int32_t sheetX = ModeSheetX + ModeButtonWidth * mode;
    if (hovered) {
        BlitFromSkin(x, ModeButtonY, ModeButtonWidth, ModeButtonHeight, sheetX, ModeHoverSheetY);
    } else if (mode == Game.mode) {
        BlitFromSkin(x, ModeButtonY, ModeButtonWidth, ModeButtonHeight, sheetX, ModeMarkerSheetY);
    } else {
        BlitFromSkin(x, ModeButtonY, ModeButtonWidth, ModeButtonHeight, x,
                     BackgroundSheetY + ModeButtonY);
    }
}

void RedrawScreen(bool full, bool leaders, bool modeMarker) {
    if (full) {
        BlitFromSkin(0, 0, ScreenWidth, ScreenHeight, 0, BackgroundSheetY);
    } else {
        BlitFromSkin(BoardAreaLeft, BoardAreaLeft, BoardAreaSize, BoardAreaSize, BoardAreaLeft,
                     BoardAreaLeft + BackgroundSheetY);
    }
    DrawScore();
    DrawAllBalls();
    DrawNextBalls(Game.nextBalls);
    if (modeMarker) {
        DrawModeButton(Game.mode, false);
    }
    if (leaders) {
        DrawLeaderList();
    }
}

// The keyboard's focus: a frame in the gap around the cell, every sample moved by half its
// range, so that it shows on any skin. Nothing but the background is ever drawn in the gap,
// so taking the frame away is drawing the background there again.
static_assert(PanelLineCount == LeaderLineCount, "the panel is the leader list's place");

void DrawPanelText(const char* const lines[PanelLineCount]) {
    for (int32_t i = 0; i < PanelLineCount; i++) {
        DrawPanelLine(i, lines[i]);
    }
}

void DrawCellFocus(int32_t column, int32_t row, bool shown) {
    int32_t x = CellX(column) - FocusWidth;
    int32_t y = CellX(row) - FocusWidth;
    int32_t size = CellPixels + 2 * FocusWidth;
    int32_t inner = size - 2 * FocusWidth;
    const int32_t strips[4][4] = {{x, y, size, FocusWidth},
                                  {x, y + size - FocusWidth, size, FocusWidth},
                                  {x, y + FocusWidth, FocusWidth, inner},
                                  {x + size - FocusWidth, y + FocusWidth, FocusWidth, inner}};
    for (const int32_t* strip : strips) {
        BlitFromSkin(strip[0], strip[1], strip[2], strip[3], strip[0], strip[1] + BackgroundSheetY);
        if (!shown || !BackBuffer.pixels) {
            continue;
        }
        for (int32_t line = 0; line < strip[3]; line++) {
            uint8_t* pixel = PixelAt(BackBuffer, strip[0], strip[1] + line);
            for (int32_t sample = 0; sample < strip[2] * 3; sample++) {
                pixel[sample] ^= 0x80;
            }
        }
        PresentRect(strip[0], strip[1], strip[2], strip[3]);
    }
}

const char* SwitchSkin() {
    FreeSkin();
    LoadSkin();
    SelectSkin();
    RedrawScreen(true, true, true);
    return SkinDescription ? SkinDescription : "";
}
