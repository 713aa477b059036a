#include "tools/canvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <functional>

namespace {
constexpr int Samples = 4; // per axis, for antialiasing

FT_Library Library;
FT_Face Faces[2]; // sans, mono
FT_Face Face;     // the one in use

uint8_t ToByte(float value) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

// Blends colour into every pixel of the box by the share of its subsamples that lie inside.
void Cover(Canvas& canvas, float x0, float y0, float x1, float y1, Colour colour, float alpha,
           const std::function<bool(float, float)>& inside) {
    int left = std::max(0, static_cast<int>(std::floor(x0)));
    int top = std::max(0, static_cast<int>(std::floor(y0)));
    int right = std::min(canvas.width, static_cast<int>(std::ceil(x1)));
    int bottom = std::min(canvas.height, static_cast<int>(std::ceil(y1)));
    for (int y = top; y < bottom; y++) {
        for (int x = left; x < right; x++) {
            int hits = 0;
            for (int sy = 0; sy < Samples; sy++) {
                for (int sx = 0; sx < Samples; sx++) {
                    float px = static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / Samples;
                    float py = static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / Samples;
                    hits += inside(px, py) ? 1 : 0;
                }
            }
            if (hits > 0) {
                Blend(canvas, x, y, colour, alpha * static_cast<float>(hits) / (Samples * Samples));
            }
        }
    }
}
} // namespace

Colour Mix(Colour a, Colour b, float t) {
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, float k) {
    return Colour{c.r * k, c.g * k, c.b * k};
}

Colour Hex(uint32_t rgb) {
    return Colour{static_cast<float>((rgb >> 16) & 255) / 255.0f,
                  static_cast<float>((rgb >> 8) & 255) / 255.0f,
                  static_cast<float>(rgb & 255) / 255.0f};
}

Canvas MakeCanvas(int width, int height, Colour fill) {
    return Canvas{width, height, std::vector<Colour>(static_cast<size_t>(width * height), fill)};
}

void Blend(Canvas& canvas, int x, int y, Colour colour, float alpha) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) {
        return;
    }
    Colour& pixel = canvas.pixels[static_cast<size_t>(y * canvas.width + x)];
    pixel = Mix(pixel, colour, std::clamp(alpha, 0.0f, 1.0f));
}

void FillRect(Canvas& canvas, int x, int y, int width, int height, Colour colour) {
    for (int row = y; row < y + height; row++) {
        for (int column = x; column < x + width; column++) {
            Blend(canvas, column, row, colour, 1);
        }
    }
}

void VerticalGradient(Canvas& canvas, int x, int y, int width, int height, Colour top,
                      Colour bottom) {
    for (int row = 0; row < height; row++) {
        Colour colour = Mix(top, bottom, static_cast<float>(row) / static_cast<float>(height - 1));
        FillRect(canvas, x, y + row, width, 1, colour);
    }
}

void FillRoundRect(Canvas& canvas, float x, float y, float width, float height, float radius,
                   Colour colour, float alpha) {
    Cover(canvas, x, y, x + width, y + height, colour, alpha, [=](float px, float py) {
        float dx = std::max({x + radius - px, 0.0f, px - (x + width - radius)});
        float dy = std::max({y + radius - py, 0.0f, py - (y + height - radius)});
        return px >= x && px <= x + width && py >= y && py <= y + height &&
               dx * dx + dy * dy <= radius * radius;
    });
}

void FillEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, Colour colour,
                 float alpha) {
    Cover(canvas, cx - rx, cy - ry, cx + rx, cy + ry, colour, alpha, [=](float px, float py) {
        float u = (px - cx) / rx;
        float v = (py - cy) / ry;
        return u * u + v * v <= 1;
    });
}

void RingEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, float thickness,
                 Colour colour, float alpha) {
    Cover(canvas, cx - rx, cy - ry, cx + rx, cy + ry, colour, alpha, [=](float px, float py) {
        float u = (px - cx) / rx;
        float v = (py - cy) / ry;
        float iu = (px - cx) / (rx - thickness);
        float iv = (py - cy) / (ry - thickness);
        return u * u + v * v <= 1 && iu * iu + iv * iv > 1;
    });
}

void StrokeLine(Canvas& canvas, float x0, float y0, float x1, float y1, float thickness,
                Colour colour, float alpha) {
    float half = thickness / 2;
    Cover(canvas, std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half,
          std::max(y0, y1) + half, colour, alpha, [=](float px, float py) {
              float dx = x1 - x0;
              float dy = y1 - y0;
              float length = dx * dx + dy * dy;
              float t = length > 0 ? ((px - x0) * dx + (py - y0) * dy) / length : 0;
              t = std::clamp(t, 0.0f, 1.0f);
              float ex = px - (x0 + t * dx);
              float ey = py - (y0 + t * dy);
              return ex * ex + ey * ey <= half * half;
          });
}

void ShadedBall(Canvas& canvas, float cx, float cy, float rx, float ry, Colour base, float alpha) {
    const float lx = -0.45f, ly = -0.6f, lz = 0.66f; // towards the light
    int left = static_cast<int>(std::floor(cx - rx));
    int top = static_cast<int>(std::floor(cy - ry));
    for (int y = top; y <= static_cast<int>(std::ceil(cy + ry)); y++) {
        for (int x = left; x <= static_cast<int>(std::ceil(cx + rx)); x++) {
            Colour sum{0, 0, 0};
            int hits = 0;
            for (int sy = 0; sy < Samples; sy++) {
                for (int sx = 0; sx < Samples; sx++) {
                    float u =
                        (static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / Samples - cx) /
                        rx;
                    float v =
                        (static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / Samples - cy) /
                        ry;
                    float d = u * u + v * v;
                    if (d > 1) {
                        continue;
                    }
                    float z = std::sqrt(1 - d);
                    float diffuse = std::max(0.0f, u * lx + v * ly + z * lz);
                    float rim = std::pow(1 - z, 3.0f) * 0.25f;
                    float hx = u - lx * 0.55f, hy = v - ly * 0.55f;
                    float specular = std::exp(-(hx * hx + hy * hy) * 14) * 0.75f;
                    Colour lit = Scale(base, 0.28f + 0.85f * diffuse);
                    lit = Mix(lit, Colour{1, 1, 1}, specular);
                    lit = Mix(lit, Scale(base, 0.5f), rim);
                    sum = Colour{sum.r + lit.r, sum.g + lit.g, sum.b + lit.b};
                    hits++;
                }
            }
            if (hits > 0) {
                Colour mean = Scale(sum, 1.0f / static_cast<float>(hits));
                Blend(canvas, x, y, mean, alpha * static_cast<float>(hits) / (Samples * Samples));
            }
        }
    }
}

void CopyRect(Canvas& canvas, int x, int y, int width, int height, int toX, int toY) {
    std::vector<Colour> block;
    for (int row = 0; row < height; row++) {
        for (int column = 0; column < width; column++) {
            block.push_back(
                canvas.pixels[static_cast<size_t>((y + row) * canvas.width + x + column)]);
        }
    }
    for (int row = 0; row < height; row++) {
        for (int column = 0; column < width; column++) {
            canvas.pixels[static_cast<size_t>((toY + row) * canvas.width + toX + column)] =
                block[static_cast<size_t>(row * width + column)];
        }
    }
}

std::vector<uint8_t> ToRgb(const Canvas& canvas) {
    std::vector<uint8_t> rgb;
    rgb.reserve(canvas.pixels.size() * 3);
    for (const Colour& c : canvas.pixels) {
        rgb.push_back(ToByte(c.r));
        rgb.push_back(ToByte(c.g));
        rgb.push_back(ToByte(c.b));
    }
    return rgb;
}

bool OpenFonts(const char* sans, const char* mono) {
    bool opened = FT_Init_FreeType(&Library) == 0 &&
                  FT_New_Face(Library, sans, 0, &Faces[0]) == 0 &&
                  FT_New_Face(Library, mono, 0, &Faces[1]) == 0;
    Face = Faces[0];
    return opened;
}

void UseFont(FontKind kind) {
    Face = Faces[kind == FontKind::Sans ? 0 : 1];
}

void CloseFonts() {
    for (FT_Face& face : Faces) {
        if (face) {
            FT_Done_Face(face);
            face = nullptr;
        }
    }
    FT_Done_FreeType(Library);
}

float TextWidth(const char* text, int pixelSize) {
    FT_Set_Pixel_Sizes(Face, 0, static_cast<FT_UInt>(pixelSize));
    float width = 0;
    for (const char* c = text; *c; c++) {
        if (FT_Load_Char(Face, static_cast<unsigned char>(*c), FT_LOAD_DEFAULT) == 0) {
            width += static_cast<float>(Face->glyph->advance.x) / 64.0f;
        }
    }
    return width;
}

float DrawText(Canvas& canvas, float x, float baseline, const char* text, int pixelSize,
               Colour colour, float alpha) {
    FT_Set_Pixel_Sizes(Face, 0, static_cast<FT_UInt>(pixelSize));
    float pen = x;
    for (const char* c = text; *c; c++) {
        if (FT_Load_Char(Face, static_cast<unsigned char>(*c), FT_LOAD_RENDER) != 0) {
            continue;
        }
        FT_GlyphSlot glyph = Face->glyph;
        int left = static_cast<int>(std::lround(pen)) + glyph->bitmap_left;
        int top = static_cast<int>(std::lround(baseline)) - glyph->bitmap_top;
        for (unsigned row = 0; row < glyph->bitmap.rows; row++) {
            for (unsigned column = 0; column < glyph->bitmap.width; column++) {
                uint8_t coverage =
                    glyph->bitmap.buffer[row * static_cast<unsigned>(glyph->bitmap.pitch) + column];
                Blend(canvas, left + static_cast<int>(column), top + static_cast<int>(row), colour,
                      alpha * static_cast<float>(coverage) / 255.0f);
            }
        }
        pen += static_cast<float>(glyph->advance.x) / 64.0f;
    }
    return pen - x;
}
