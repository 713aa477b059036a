// Draws the pointing hand of the About dialog's links: a 32 x 32 monochrome cursor with its
// hot spot at the fingertip, (6, 2). Usage: make_cursor <out.cur>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tools/binary_file.h"

namespace {

// '#' black, '.' white, ' ' transparent
const char* const Hand[] = {
    "                                ", "     ##                         ",
    "    #..#                        ", "    #..#                        ",
    "    #..#                        ", "    #..#                        ",
    "    #..###                      ", "    #..#..###                   ",
    "    #..#..#..##                 ", "    #..#..#..#.#                ",
    " ## #..#..#..#..#               ", "#..##........#..#               ",
    "#...#...........#               ", " #..#...........#               ",
    "  #.............#               ", "  #.............#               ",
    "   #...........#                ", "   #...........#                ",
    "    #.........#                 ", "    #.........#                 ",
    "    ###########                 ",
};
constexpr int HandRows = sizeof Hand / sizeof Hand[0];

char PixelAt(int x, int y) {
    return y < HandRows ? Hand[y][x] : ' ';
}

// One bitmap row of 32 bits, leftmost pixel in the highest bit, set where the hand has `set`.
void PutBitRow(std::vector<uint8_t>& out, int y, char set) {
    uint32_t row = 0;
    for (int x = 0; x < 32; x++) {
        row = row << 1 | (PixelAt(x, y) == set ? 1u : 0u);
    }
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(row >> shift));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cursor <out.cur>\n");
        return 2;
    }
    std::vector<uint8_t> cur;
    PutIconHeader(cur, IconImage{2, 2, 1, 6, 2}); // a cursor, hot spot (6, 2)
    PutLittleEndian(cur, 0x000000, 4);            // black
    PutLittleEndian(cur, 0xFFFFFF, 4);            // white
    for (int y = 31; y >= 0; y--) {               // colour: white where '.', bottom row first
        PutBitRow(cur, y, '.');
    }
    for (int y = 31; y >= 0; y--) { // mask: transparent where ' '
        PutBitRow(cur, y, ' ');
    }
    if (!WriteBinaryFile(argv[1], cur)) {
        std::fprintf(stderr, "make_cursor: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
