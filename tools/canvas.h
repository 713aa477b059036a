// A small floating-point RGB canvas for drawing the game's artwork from code: antialiased
// shapes by supersampling, shaded balls, and text rendered with FreeType.
#pragma once

#include <cstdint>
#include <vector>

struct Colour {
    float r, g, b;
};

Colour Mix(Colour a, Colour b, float t);
Colour Scale(Colour c, float k);
Colour Hex(uint32_t rgb);

struct Canvas {
    int width;
    int height;
    std::vector<Colour> pixels;
};

Canvas MakeCanvas(int width, int height, Colour fill);
void Blend(Canvas& canvas, int x, int y, Colour colour, float alpha);
void FillRect(Canvas& canvas, int x, int y, int width, int height, Colour colour);
void VerticalGradient(Canvas& canvas, int x, int y, int width, int height, Colour top,
                      Colour bottom);
// Coverage-antialiased rounded rectangle; a radius of 0 gives sharp corners.
void FillRoundRect(Canvas& canvas, float x, float y, float width, float height, float radius,
                   Colour colour, float alpha = 1);
void FillEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, Colour colour,
                 float alpha = 1);
void StrokeLine(Canvas& canvas, float x0, float y0, float x1, float y1, float thickness,
                Colour colour, float alpha = 1);
void RingEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, float thickness,
                 Colour colour, float alpha = 1);
// A lit sphere squashed to an ellipse, light from the upper left.
void ShadedBall(Canvas& canvas, float cx, float cy, float rx, float ry, Colour base, float alpha);
void CopyRect(Canvas& canvas, int x, int y, int width, int height, int toX, int toY);
std::vector<uint8_t> ToRgb(const Canvas& canvas);

// Text drawn with the font file's glyphs at a pixel size; x is the pen start, baseline the
// line the glyphs stand on. Returns the advance.
enum class FontKind { Sans, Mono };
bool OpenFonts(const char* sans, const char* mono); // both opened once; Sans is in use
void UseFont(FontKind kind);
void CloseFonts();
float TextWidth(const char* text, int pixelSize);
float DrawText(Canvas& canvas, float x, float baseline, const char* text, int pixelSize,
               Colour colour, float alpha = 1);
