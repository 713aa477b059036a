// Draws a skin sheet of 1000 x 760 pixels in the game's fixed layout and writes it as a PNG.
// Usage: make_skin <theme: brimzo | meadow> <output.png> <font.ttf> <mono-font.ttf>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/canvas.h"
#include "tools/png_file.h"

namespace {

constexpr int SheetWidth = 1000;
constexpr int SheetHeight = 760;
constexpr int Background = 280; // the screen's background lies this far down the sheet

struct Theme {
    const char* name;
    Colour top, bottom; // the screen's background gradient
    Colour board, wellEdge, well;
    Colour panel, panelEdge; // score box, leader list, buttons
    Colour text, dimText, accent, quit;
    uint32_t balls[7];
    const char* about;
};

// Seven colours apart in hue and in lightness; each ball also carries its own mark.
const Theme Themes[] = {
    {"brimzo",
     Hex(0x222C52),
     Hex(0x0C1124),
     Hex(0x2B3660),
     Hex(0x121830),
     Hex(0x1C2444),
     Hex(0x141A33),
     Hex(0x3A4778),
     Hex(0xDCE2F5),
     Hex(0x8089AE),
     Hex(0xF4B63A),
     Hex(0xE0483E),
     {0xE23B3B, 0x3DBB4F, 0x2F6FE8, 0xF2D12E, 0xB346D6, 0x2CC8D8, 0xF08A24},
     nullptr},
    {"meadow",
     Hex(0xE8F1DC),
     Hex(0xB7D0A4),
     Hex(0x8DB07A),
     Hex(0x557A46),
     Hex(0x6E9860),
     Hex(0xF6F8EE),
     Hex(0x6E9860),
     Hex(0x22331C),
     Hex(0x6A7E60),
     Hex(0xB5462E),
     Hex(0xC0392B),
     {0xD7263D, 0x1B998B, 0x2E5EAA, 0xF4D35E, 0x8E44AD, 0x63C7E6, 0xEE7B30},
     "Meadow: a light green board for daytime play. Drawn from code for Brimzo."},
};

void DrawWell(Canvas& c, const Theme& t, int x, int y) {
    FillRect(c, x, y, 40, 40, t.board);
    FillRoundRect(c, static_cast<float>(x), static_cast<float>(y), 40, 40, 7, t.wellEdge);
    FillRoundRect(c, static_cast<float>(x) + 1.5f, static_cast<float>(y) + 2.5f, 37, 36.5f, 6,
                  t.well);
}

// The mark that tells the colours apart without their hue.
void DrawMark(Canvas& c, int colour, float cx, float cy, float scale, float alpha) {
    Colour white{1, 1, 1};
    float a = 0.62f * alpha;
    float s = 5.0f * scale;
    float w = 2.6f * scale;
    switch (colour) {
    case 0:
        FillEllipse(c, cx, cy, 3.4f * scale, 3.4f * scale, white, a);
        break;
    case 1:
        StrokeLine(c, cx - s, cy, cx + s, cy, w, white, a);
        break;
    case 2:
        StrokeLine(c, cx, cy - s, cx, cy + s, w, white, a);
        break;
    case 3:
        StrokeLine(c, cx - s, cy, cx + s, cy, w, white, a);
        StrokeLine(c, cx, cy - s, cx, cy + s, w, white, a);
        break;
    case 4:
        StrokeLine(c, cx - s * 0.8f, cy - s * 0.8f, cx + s * 0.8f, cy + s * 0.8f, w, white, a);
        StrokeLine(c, cx - s * 0.8f, cy + s * 0.8f, cx + s * 0.8f, cy - s * 0.8f, w, white, a);
        break;
    case 5:
        RingEllipse(c, cx, cy, s, s, 1.9f * scale, white, a);
        break;
    default:
        FillRoundRect(c, cx - s * 0.75f, cy - s * 0.75f, s * 1.5f, s * 1.5f, 1.0f, white, a);
        break;
    }
}

struct BallPose {
    float lift;   // pixels above the resting place
    float squash; // 0 round, more for flatter and wider
    float scale;  // size against the resting ball
    float alpha;
};

constexpr float Radius = 15.5f;
constexpr float Ground = 36.0f; // where the resting ball touches the well

void DrawBallSprite(Canvas& c, const Theme& t, int colour, int x, int y, BallPose pose) {
    DrawWell(c, t, x, y);
    float rx = Radius * pose.scale * (1 + pose.squash);
    float ry = Radius * pose.scale * (1 - pose.squash);
    float cx = static_cast<float>(x) + 20.0f;
    float cy = static_cast<float>(y) + Ground - ry - pose.lift;
    if (pose.scale < 1) {
        cy = static_cast<float>(y) + Ground - Radius; // grows and shrinks about its centre
    }
    float shadow = (12.0f - pose.lift * 0.8f) * pose.scale * (1 + pose.squash);
    FillEllipse(c, static_cast<float>(x) + 21.0f, static_cast<float>(y) + Ground - 0.5f, shadow,
                3.2f * pose.scale, Colour{0, 0, 0}, (0.4f - pose.lift * 0.03f) * pose.alpha);
    Colour base = Hex(t.balls[colour]);
    ShadedBall(c, cx, cy, rx, ry, base, pose.alpha);
    if (pose.scale >= 0.5f) {
        DrawMark(c, colour, cx + 0.5f, cy + 1.0f, pose.scale * (ry / rx + 1) / 2, pose.alpha);
    }
}

void DrawVanish(Canvas& c, const Theme& t, int colour, int x, int y, int step) {
    float progress = static_cast<float>(step + 1) / 13.0f; // 12 frames, shown 7 to 18
    DrawBallSprite(c, t, colour, x, y, BallPose{0, 0, 1 - progress, 1 - progress * 0.6f});
    Colour spark = Mix(Hex(t.balls[colour]), Colour{1, 1, 1}, 0.5f);
    float ring = 8 + 11 * progress;
    RingEllipse(c, static_cast<float>(x) + 20, static_cast<float>(y) + 20.5f, ring, ring, 1.6f,
                spark, 0.8f * (1 - progress));
}

void DrawAnnounced(Canvas& c, const Theme& t, int colour, int x, int y) {
    DrawWell(c, t, x, y);
    Colour base = Hex(t.balls[colour]);
    RingEllipse(c, static_cast<float>(x) + 20, static_cast<float>(y) + 20.5f, 11, 11, 1.5f, base,
                0.75f);
    ShadedBall(c, static_cast<float>(x) + 20, static_cast<float>(y) + 20.5f, 6.5f, 6.5f, base, 1);
}

// Frame columns: 0 rest, 1-6 bounce (1-3 lifted, 4-6 squashed), 7-18 vanish, 19-23 appear
// (23 smallest), 24 the announced mark.
void DrawBalls(Canvas& c, const Theme& t) {
    const float lifts[4] = {0, 7.5f, 4.5f, 1.8f};
    const float squashes[3] = {0.07f, 0.14f, 0.21f};
    const float growth[5] = {1.06f, 0.82f, 0.6f, 0.4f, 0.22f};
    for (int colour = 0; colour < 7; colour++) {
        int y = 40 * colour;
        for (int frame = 0; frame < 25; frame++) {
            int x = 40 * frame;
            if (frame <= 3) {
                DrawBallSprite(c, t, colour, x, y, BallPose{lifts[frame], 0, 1, 1});
            } else if (frame <= 6) {
                DrawBallSprite(c, t, colour, x, y, BallPose{0, squashes[frame - 4], 1, 1});
            } else if (frame <= 18) {
                DrawVanish(c, t, colour, x, y, frame - 7);
            } else if (frame <= 23) {
                float scale = growth[frame - 19];
                DrawBallSprite(c, t, colour, x, y, BallPose{0, 0, scale, 1});
            } else {
                DrawAnnounced(c, t, colour, x, y);
            }
        }
    }
}

void DrawCentred(Canvas& c, float cx, float baseline, const char* text, int size, Colour colour) {
    DrawText(c, cx - TextWidth(text, size) / 2, baseline, text, size, colour);
}

enum ButtonLook { Plain, Marked, Hovered };

void DrawModeButtonImage(Canvas& c, const Theme& t, int x, int y, const char* label,
                         ButtonLook look) {
    Colour fill = look == Marked ? t.accent : look == Hovered ? t.panelEdge : t.panel;
    FillRoundRect(c, static_cast<float>(x) + 2, static_cast<float>(y) + 2, 56, 21, 5,
                  look == Hovered ? t.accent : t.panelEdge);
    FillRoundRect(c, static_cast<float>(x) + 3, static_cast<float>(y) + 3, 54, 19, 4, fill);
    Colour text = look == Marked ? t.panel : look == Hovered ? t.text : t.dimText;
    UseFont(FontKind::Sans);
    int size = 12;
    while (size > 8 && TextWidth(label, size) > 50) {
        size--;
    }
    DrawCentred(c, static_cast<float>(x) + 30, static_cast<float>(y) + 17, label, size, text);
}

void DrawIcon(Canvas& c, int index, float x, float y, Colour colour) {
    switch (index) {
    case 0: // minimise
        StrokeLine(c, x + 5, y + 14, x + 15, y + 14, 2, colour);
        break;
    case 1: // full screen
        StrokeLine(c, x + 5, y + 5, x + 15, y + 5, 1.6f, colour);
        StrokeLine(c, x + 5, y + 15, x + 15, y + 15, 1.6f, colour);
        StrokeLine(c, x + 5, y + 5, x + 5, y + 15, 1.6f, colour);
        StrokeLine(c, x + 15, y + 5, x + 15, y + 15, 1.6f, colour);
        break;
    case 2: // quit
        StrokeLine(c, x + 5.5f, y + 5.5f, x + 14.5f, y + 14.5f, 2, colour);
        StrokeLine(c, x + 5.5f, y + 14.5f, x + 14.5f, y + 5.5f, 2, colour);
        break;
    case 3: // about
        FillEllipse(c, x + 10, y + 5.5f, 1.6f, 1.6f, colour);
        StrokeLine(c, x + 10, y + 9, x + 10, y + 15.5f, 2.2f, colour);
        break;
    case 4: // help
        UseFont(FontKind::Sans);
        DrawCentred(c, x + 10, y + 15.5f, "?", 15, colour);
        break;
    default: // options: three sliders
        for (int k = 0; k < 3; k++) {
            float ly = y + 5.5f + 4.5f * static_cast<float>(k);
            StrokeLine(c, x + 4.5f, ly, x + 15.5f, ly, 1.3f, colour);
            FillEllipse(c, x + 7 + 3.5f * static_cast<float>((k * 2) % 3), ly, 1.8f, 1.8f, colour);
        }
        break;
    }
}

void DrawWindowButtons(Canvas& c, const Theme& t) {
    for (int index = 0; index < 6; index++) {
        int column = index % 3;
        int row = index / 3;
        float x = 580.0f + 20.0f * static_cast<float>(column);
        float y = 20.0f * static_cast<float>(row);
        DrawIcon(c, index, x, y + Background, t.dimText);
        int litX = 640 + 20 * column;
        int litY = Background + 20 * row;
        CopyRect(c, static_cast<int>(x), static_cast<int>(y) + Background, 20, 20, litX, litY);
        FillRoundRect(c, static_cast<float>(litX) + 1, static_cast<float>(litY) + 1, 18, 18, 4,
                      index == 2 ? t.quit : t.accent);
        DrawIcon(c, index, static_cast<float>(litX), static_cast<float>(litY),
                 index == 2 ? Colour{1, 1, 1} : t.panel);
    }
}

void DrawScreenBackground(Canvas& c, const Theme& t) {
    VerticalGradient(c, 0, Background, 640, 480, t.top, t.bottom);
    FillRoundRect(c, 2, Background + 2, 411, 411, 9, t.board);
    for (int row = 0; row < 9; row++) {
        for (int column = 0; column < 9; column++) {
            DrawWell(c, t, 7 + 45 * column, Background + 7 + 45 * row);
        }
    }
    UseFont(FontKind::Sans);
    DrawText(c, 424, Background + 31, "Brimzo!", 27, t.accent);
    // score box: its inside is flat, so the digit cells fit it exactly
    FillRoundRect(c, 443, Background + 48, 172, 54, 8, t.panelEdge);
    FillRect(c, 446, Background + 51, 166, 48, t.panel);
    // leader list
    FillRoundRect(c, 413, Background + 148, 224, 263, 8, t.panelEdge);
    FillRect(c, 416, Background + 151, 218, 257, t.panel);
    const char* labels[3] = {"Lines", "Squares", "Groups"};
    for (int mode = 0; mode < 3; mode++) {
        // the lit images start from the plain background behind the button
        CopyRect(c, 434 + 60 * mode, Background + 110, 60, 25, 640 + 60 * mode, 470);
        CopyRect(c, 434 + 60 * mode, Background + 110, 60, 25, 640 + 60 * mode, 495);
        DrawModeButtonImage(c, t, 434 + 60 * mode, Background + 110, labels[mode], Plain);
        DrawModeButtonImage(c, t, 640 + 60 * mode, 470, labels[mode], Marked);
        DrawModeButtonImage(c, t, 640 + 60 * mode, 495, labels[mode], Hovered);
    }
    UseFont(FontKind::Sans);
    DrawText(c, 424, Background + 440, "Line up, square off, group up.", 11, t.dimText);
    DrawText(c, 424, Background + 458, "Right-drag anywhere to move.", 11, t.dimText);
    DrawWindowButtons(c, t);
}

void DrawDigits(Canvas& c, const Theme& t) {
    UseFont(FontKind::Mono);
    for (int digit = 0; digit < 10; digit++) {
        int x = 700 + 30 * digit;
        FillRect(c, x, Background, 30, 40, t.panel);
        char text[2] = {static_cast<char>('0' + digit), '\0'};
        DrawCentred(c, static_cast<float>(x) + 15, Background + 33, "8", 34,
                    Mix(t.panel, t.accent, 0.08f));
        DrawCentred(c, static_cast<float>(x) + 15, Background + 33, text, 34, t.accent);
    }
}

// Codes 32 to 127, sixteen to a row; 127 is drawn as a small box.
void DrawFont(Canvas& c, const Theme& t) {
    UseFont(FontKind::Mono);
    for (int code = 32; code < 128; code++) {
        int x = 640 + 15 * ((code - 32) % 16);
        int y = 320 + 25 * ((code - 32) / 16);
        FillRect(c, x, y, 15, 25, t.panel);
        if (code == 127) {
            RingEllipse(c, static_cast<float>(x) + 7.5f, static_cast<float>(y) + 12.5f, 4, 5, 1,
                        t.dimText);
            continue;
        }
        char text[2] = {static_cast<char>(code), '\0'};
        bool digit = code >= '0' && code <= '9';
        DrawCentred(c, static_cast<float>(x) + 7.5f, static_cast<float>(y) + 19, text, 19,
                    digit ? t.accent : t.text);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: make_skin <brimzo|meadow> <out.png> <font> <mono font>\n");
        return 2;
    }
    const Theme* theme = nullptr;
    for (const Theme& t : Themes) {
        theme = std::strcmp(t.name, argv[1]) == 0 ? &t : theme;
    }
    if (!theme || !OpenFonts(argv[3], argv[4])) {
        std::fprintf(stderr, "make_skin: unknown theme or font\n");
        return 2;
    }
    Canvas sheet = MakeCanvas(SheetWidth, SheetHeight, theme->bottom);
    DrawBalls(sheet, *theme);
    DrawScreenBackground(sheet, *theme);
    DrawDigits(sheet, *theme);
    DrawFont(sheet, *theme);
    CloseFonts();
    std::vector<uint8_t> rgb = ToRgb(sheet);
    PngText about{"AboutSkinner", theme->about, true};
    PngOptions options{PNG_COLOR_TYPE_RGB,
                       8,
                       theme->about ? &about : nullptr,
                       theme->about ? 1 : 0,
                       nullptr,
                       0,
                       false};
    if (!WritePng(argv[2], rgb.data(), SheetWidth, SheetHeight, options)) {
        std::fprintf(stderr, "make_skin: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
