// Draws the pointing hand of the About dialog's links: a 32 x 32 monochrome cursor with its
// hot spot at the fingertip, (6, 2). Usage: make_cursor <out.cur>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

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

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

char PixelAt(int x, int y) {
    return y < HandRows ? Hand[y][x] : ' ';
}

// One mask row of 32 bits, leftmost pixel in the highest bit.
void PutMaskRow(std::vector<uint8_t>& out, int y, bool (*bit)(char)) {
    uint32_t row = 0;
    for (int x = 0; x < 32; x++) {
        row = row << 1 | (bit(PixelAt(x, y)) ? 1u : 0u);
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
    const uint32_t maskBytes = 32 * 4;
    const uint32_t imageBytes = 40 + 2 * 4 + 2 * maskBytes;
    std::vector<uint8_t> cur;
    Put(cur, 0, 2);
    Put(cur, 2, 2); // a cursor
    Put(cur, 1, 2);
    cur.push_back(32);
    cur.push_back(32);
    cur.push_back(2);
    cur.push_back(0);
    Put(cur, 6, 2); // hot spot x
    Put(cur, 2, 2); // hot spot y
    Put(cur, imageBytes, 4);
    Put(cur, 22, 4);
    Put(cur, 40, 4);
    Put(cur, 32, 4);
    Put(cur, 64, 4); // the colour and the mask bitmap
    Put(cur, 1, 2);
    Put(cur, 1, 2);
    Put(cur, 0, 4);
    Put(cur, 2 * maskBytes, 4);
    for (int i = 0; i < 4; i++) {
        Put(cur, 0, 4);
    }
    Put(cur, 0x000000, 4);          // black
    Put(cur, 0xFFFFFF, 4);          // white
    for (int y = 31; y >= 0; y--) { // colour: white where '.', bottom row first
        PutMaskRow(cur, y, [](char c) { return c == '.'; });
    }
    for (int y = 31; y >= 0; y--) { // mask: transparent where ' '
        PutMaskRow(cur, y, [](char c) { return c == ' '; });
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file || std::fwrite(cur.data(), 1, cur.size(), file) != cur.size()) {
        std::fprintf(stderr, "make_cursor: cannot write %s\n", argv[1]);
        return 1;
    }
    return std::fclose(file) == 0 ? 0 : 1;
}
