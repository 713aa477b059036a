// Draws the program's icon from code: 32 x 32 pixels in 16 colours, a 4 x 4 corner of the
// board with a few balls. Usage: make_icon <out.ico>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "tools/binary_file.h"

namespace {

// The sixteen standard colours, as red, green, blue.
const uint8_t Palette[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
enum {
    Black = 0,
    Navy = 4,
    Grey = 8,
    Red = 9,
    Lime = 10,
    Yellow = 11,
    Blue = 12,
    Aqua = 14,
    White = 15
};

// Each cell is 7 x 7 with a 1-pixel gap; a ball is a disc with a white glint.
std::vector<uint8_t> DrawIcon() {
    std::vector<uint8_t> pixels(32 * 32, Navy);
    const int balls[4][4] = {
        {Red, 0, 0, Lime}, {0, Yellow, 0, 0}, {0, 0, Blue, 0}, {Aqua, 0, 0, Red}};
    for (int y = 0; y < 32; y++) {
        for (int x = 0; x < 32; x++) {
            int cx = x % 8, cy = y % 8;
            if (cx == 0 || cy == 0) {
                continue;
            }
            uint8_t colour = Black;
            int ball = balls[y / 8][x / 8];
            int dx = 2 * cx - 8, dy = 2 * cy - 8; // twice the offset from the cell's centre
            if (ball != 0 && dx * dx + dy * dy <= 26) {
                colour = static_cast<uint8_t>(ball);
                if (cx == 3 && cy == 3) {
                    colour = White;
                }
            } else if (cx == 7 || cy == 7) {
                colour = Grey;
            }
            pixels[static_cast<size_t>(y * 32 + x)] = colour;
        }
    }
    return pixels;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon <out.ico>\n");
        return 2;
    }
    std::vector<uint8_t> pixels = DrawIcon();
    std::vector<uint8_t> ico;
    PutIconHeader(ico, IconImage{1, 16, 4, 1, 4}); // an icon: 1 plane, 4 bits a pixel
    for (const auto& colour : Palette) {
        ico.push_back(colour[2]);
        ico.push_back(colour[1]);
        ico.push_back(colour[0]);
        ico.push_back(0);
    }
    for (int y = 31; y >= 0; y--) { // bottom row first
        for (int x = 0; x < 32; x += 2) {
            ico.push_back(static_cast<uint8_t>(pixels[static_cast<size_t>(y * 32 + x)] << 4 |
                                               pixels[static_cast<size_t>(y * 32 + x + 1)]));
        }
    }
    ico.insert(ico.end(), 32 * 4, 0); // the mask: all opaque
    if (!WriteBinaryFile(argv[1], ico)) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
