// Draws the program's icon from code: 32 x 32 pixels in 16 colours, a 4 x 4 corner of the
// board with a few balls. The browser version's app icons are the same picture in PNG files,
// each pixel a square of a whole number of pixels; a maskable one leaves the picture inside
// the circle that every mask keeps. Usage: make_icon <out.ico> [<out.png> <size> [maskable]]...
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tools/binary_file.h"
#include "tools/png_file.h"

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

// The picture on the board's navy, centred; a mask keeps at least the circle of four fifths of
// the side around the centre, and a square inside it.
bool WritePngIcon(const char* path, const std::vector<uint8_t>& pixels, int size, bool maskable) {
    int scale = (maskable ? size * 4 / 5 * 707 / 1000 : size) / 32;
    int margin = (size - 32 * scale) / 2;
    std::vector<uint8_t> rgb(static_cast<size_t>(size * size * 3));
    for (int y = 0; y < size; y++) {
        for (int x = 0; x < size; x++) {
            int px = (x - margin) / scale, py = (y - margin) / scale;
            bool inside = x >= margin && y >= margin && px < 32 && py < 32;
            int index = inside ? pixels[static_cast<size_t>(py * 32 + px)] : int{Navy};
            const uint8_t* colour = Palette[index];
            std::memcpy(&rgb[static_cast<size_t>((y * size + x) * 3)], colour, 3);
        }
    }
    PngOptions options = {PNG_COLOR_TYPE_PALETTE, 8, nullptr, 0, nullptr, 0, false};
    return WritePng(path, rgb.data(), size, size, options);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_icon <out.ico> [<out.png> <size> [maskable]]...\n");
        return 2;
    }
    std::vector<uint8_t> pixels = DrawIcon();
    for (int arg = 2; arg < argc;) {
        const char* path = argv[arg++];
        int size = arg < argc ? std::atoi(argv[arg++]) : 0;
        bool maskable = arg < argc && std::strcmp(argv[arg], "maskable") == 0;
        arg += maskable ? 1 : 0;
        if (size < 32 || !WritePngIcon(path, pixels, size, maskable)) {
            std::fprintf(stderr, "make_icon: cannot write %s\n", path);
            return 1;
        }
    }
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
