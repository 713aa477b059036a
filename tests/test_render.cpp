#include <fcntl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/game.h"
#include "render/draw.h"
#include "render/skin.h"
#include "store/leaders.h"
#include "store/settings.h"
#include "tests/board_text.h"
#include "tests/double/double.h"
#include "tools/png_file.h"

namespace {

// Every pixel of the test sheet names its own place: red and green the low bytes of x and y,
// blue their high bits. A pixel on screen thus tells where in the sheet it was copied from.
std::vector<uint8_t> CodedPicture(int width, int height) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            rgb.push_back(static_cast<uint8_t>(x));
            rgb.push_back(static_cast<uint8_t>(y));
            rgb.push_back(static_cast<uint8_t>((x >> 8) | (y >> 8) << 4));
        }
    }
    return rgb;
}

struct Source {
    int x, y;
};

Source ScreenSource(int x, int y) {
    const uint8_t* p = BackBuffer.pixels + y * BackBuffer.stride + 3 * x; // blue, green, red
    return Source{p[2] | (p[0] & 15) << 8, p[1] | (p[0] >> 4) << 8};
}

class Folder : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/brimzo-render-XXXXXX";
        folder = mkdtemp(pattern);
        ASSERT_EQ(getcwd(home, sizeof home), home);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        std::memset(&Game, 0, sizeof Game);
        ResetDouble();
        ClearBoard();
        ASSERT_TRUE(CreateBackBuffer());
    }
    void TearDown() override {
        FreeSkin();
        FreeBackBuffer();
        EXPECT_EQ(LivePixelBuffers, 0);
        EXPECT_EQ(chdir(home), 0);
        std::string remove = "rm -rf " + folder;
        EXPECT_EQ(std::system(remove.c_str()), 0);
    }
    void Load(const char* file) {
        std::snprintf(Skin, sizeof Skin, "%s", file);
        LoadSkin();
        SelectSkin();
    }
    std::string folder;
    char home[4096];
};

using Composition = Folder;

// Where each screen pixel comes from, by the sheet's layout, for the state the test sets up.
Source Expected(int x, int y) {
    int cx = (x - 7) % 45, cy = (y - 7) % 45;
    int column = (x - 7) / 45, row = (y - 7) / 45;
    if (x >= 7 && y >= 7 && x < 412 && y < 412 && cx < 40 && cy < 40) {
        int8_t colour = Game.board[CellIndex(column, row)];
        for (const NextBall& ball : Game.nextBalls) {
            if (ball.column == column && ball.row == row) {
                return Source{40 * 24 + cx, 40 * ball.colour + cy};
            }
        }
        if (colour != EmptyCell) {
            return Source{cx, 40 * colour + cy};
        }
    }
    if (y >= 55 && y < 95 && x >= 450 && (x - 450) % 32 < 30 && x < 450 + 4 * 32 + 30) {
        int k = (x - 450) / 32;
        const uint32_t place[5] = {10000, 1000, 100, 10, 1};
        int digit = static_cast<int>(static_cast<uint32_t>(Game.score) / place[k] % 10);
        return Source{700 + 30 * digit + (x - 450) % 32, 280 + y - 55};
    }
    if (y >= 110 && y < 135 && x >= 434 && x < 614) {
        int mode = (x - 434) / 60;
        if (mode == Game.mode) {
            return Source{640 + 60 * mode + (x - 434) % 60, 470 + y - 110};
        }
    }
    if (x >= 420 && x < 630 && y >= 155 && y < 405) {
        int code = static_cast<unsigned char>(LeaderLineAt((y - 155) / 25)[(x - 420) / 15]);
        return Source{640 + 15 * ((code - 32) % 16) + (x - 420) % 15,
                      320 + 25 * ((code - 32) / 16) + (y - 155) % 25};
    }
    return Source{x, y + 280};
}

TEST_F(Composition, RedrawScreenShowsEveryRegionFromItsPlaceInTheSheet) {
    std::vector<uint8_t> sheet = CodedPicture(1000, 760);
    ASSERT_TRUE(WriteRgbPng("coded.png", sheet.data(), 1000, 760));
    Load("coded.png");
    ASSERT_NE(SelectedSkin, nullptr);
    SetBoardText("0.......6"
                 ".1......."
                 "..2......"
                 "...3....."
                 "....4...."
                 ".....5..."
                 "......6.."
                 "........."
                 "5.......1");
    Game.nextBalls[0] = {1, 0, 3};
    Game.nextBalls[1] = {7, 7, 6};
    Game.nextBalls[2] = {8, 2, 0};
    Game.mode = Squares;
    std::strcpy(LastLeaderName, "Zoe~\x7F{}");
    for (int32_t score : {0, 90210, 1234567}) {
        Game.score = score;
        InsertLeader();
        RedrawScreen(true, true, true);
        for (int y = 0; y < 480; y++) {
            for (int x = 0; x < 640; x++) {
                Source got = ScreenSource(x, y);
                Source want = Expected(x, y);
                ASSERT_TRUE(got.x == want.x && got.y == want.y)
                    << "score " << score << " at (" << x << ", " << y << "): from (" << got.x
                    << ", " << got.y << "), expected (" << want.x << ", " << want.y << ")";
            }
        }
    }
    // lit buttons show their images, and drawn unlit again they are the background
    for (int32_t button = 0; button < 6; button++) {
        int x = 580 + 20 * (button % 3) + 7;
        int y = 20 * (button / 3) + 11;
        DrawWindowButton(button, true);
        EXPECT_EQ(ScreenSource(x, y).x, 640 + 20 * (button % 3) + 7) << button;
        EXPECT_EQ(ScreenSource(x, y).y, 280 + 20 * (button / 3) + 11) << button;
        DrawWindowButton(button, false);
        EXPECT_EQ(ScreenSource(x, y).x, x) << button;
        EXPECT_EQ(ScreenSource(x, y).y, y + 280) << button;
    }
    DrawModeButton(Groups, true);
    EXPECT_EQ(ScreenSource(434 + 120 + 50, 112).x, 640 + 120 + 50);
    EXPECT_EQ(ScreenSource(434 + 120 + 9, 112).x, 640 + 120 + 9);
    EXPECT_EQ(ScreenSource(434 + 120 + 9, 112).y, 495 + 2);
    DrawModeButton(Groups, false);
    EXPECT_EQ(ScreenSource(434 + 120 + 9, 112).y, 112 + 280);
}

TEST_F(Composition, BoardOnlyRedrawLeavesTheRestAndEmptiedCellsShowTheBackground) {
    std::vector<uint8_t> sheet = CodedPicture(1000, 760);
    ASSERT_TRUE(WriteRgbPng("coded.png", sheet.data(), 1000, 760));
    Load("coded.png");
    std::memset(BackBuffer.pixels, 0xEE, static_cast<size_t>(BackBuffer.stride) * 480);
    Game.board[CellIndex(5, 2)] = 2;
    Game.nextBalls[0] = {0, 0, 1};
    Game.nextBalls[1] = {8, 8, 1};
    Game.nextBalls[2] = {5, 5, 1};
    RedrawScreen(false, false, false);
    EXPECT_EQ(ScreenSource(5, 5).y, 285);                  // the board area is drawn
    EXPECT_EQ(ScreenSource(7 + 45 * 5, 7 + 45 * 2).y, 80); // a ball of colour 2
    const uint8_t* leaders = BackBuffer.pixels + 200 * BackBuffer.stride + 3 * 500;
    EXPECT_EQ(leaders[0], 0xEE); // the leader list is untouched
    const uint8_t* mode = BackBuffer.pixels + 120 * BackBuffer.stride + 3 * 440;
    EXPECT_EQ(mode[0], 0xEE);
    ClearCell(5, 2);
    EXPECT_EQ(ScreenSource(7 + 45 * 5 + 3, 7 + 45 * 2 + 5).x, 7 + 45 * 5 + 3);
    EXPECT_EQ(ScreenSource(7 + 45 * 5 + 3, 7 + 45 * 2 + 5).y, 7 + 45 * 2 + 5 + 280);
    // every copy went into the back buffer and onto the window, in the same rectangle
    EXPECT_EQ(CallLog().back(), "Present 232 97 40 40");
}

TEST_F(Composition, ASmallSheetDrawsOnlyWhatItHolds) {
    std::vector<uint8_t> sheet = CodedPicture(300, 200);
    ASSERT_TRUE(WriteRgbPng("small.png", sheet.data(), 300, 200));
    Load("small.png");
    ASSERT_NE(SelectedSkin, nullptr);
    std::memset(BackBuffer.pixels, 0xEE, static_cast<size_t>(BackBuffer.stride) * 480);
    DrawBall(0, 0, 0, 24); // frame 24 lies beyond x = 300: nothing to copy
    EXPECT_EQ(BackBuffer.pixels[7 * BackBuffer.stride + 3 * 7], 0xEE);
    BlitFromSkin(10, 10, 40, 40, 280, 190); // only a 20 x 10 corner lies inside
    EXPECT_EQ(ScreenSource(10, 10).x, 280);
    EXPECT_EQ(ScreenSource(29, 19).y, 199);
    EXPECT_EQ(BackBuffer.pixels[20 * BackBuffer.stride + 3 * 10], 0xEE);
    EXPECT_EQ(BackBuffer.pixels[10 * BackBuffer.stride + 3 * 30], 0xEE);
    EXPECT_EQ(CallLog().back(), "Present 10 10 20 10");
}

// The focus frame shows on any background, and moving or hiding it leaves the screen exactly
// as it was without it.
TEST_F(Composition, TheKeyboardFocusLeavesTheScreenAsItWas) {
    std::vector<uint8_t> sheet = CodedPicture(1000, 760);
    ASSERT_TRUE(WriteRgbPng("coded.png", sheet.data(), 1000, 760));
    Load("coded.png");
    Game.board[CellIndex(0, 8)] = 4;
    RedrawScreen(true, true, true);
    const size_t bytes = static_cast<size_t>(BackBuffer.stride) * 480;
    std::vector<uint8_t> plain(BackBuffer.pixels, BackBuffer.pixels + bytes);
    auto differing = [&] {
        std::vector<int> places;
        for (size_t i = 0; i < bytes; i++) {
            if (BackBuffer.pixels[i] != plain[i]) {
                EXPECT_EQ(BackBuffer.pixels[i], plain[i] ^ 0x80);
                places.push_back(static_cast<int>(i));
            }
        }
        return places;
    };
    ClearCallLog();
    DrawCellFocus(0, 8, true);
    EXPECT_EQ(CountCalls("Present 47 367 2 40"), 2); // restored, then shown on the window
    std::vector<int> frame = differing();
    std::vector<int> around; // a frame 2 wide around the cell at (7, 367)
    for (int y = 365; y < 409; y++) {
        for (int x = 5; x < 49; x++) {
            for (int c = 0; c < 3 && (x < 7 || x >= 47 || y < 367 || y >= 407); c++) {
                around.push_back(y * BackBuffer.stride + 3 * x + c);
            }
        }
    }
    EXPECT_EQ(frame, around);
    EXPECT_EQ(ScreenSource(6, 7 + 45 * 8 + 20).x, 6 ^ 0x80); // left of the cell...
    EXPECT_EQ(ScreenSource(7, 7 + 45 * 8 + 20).x, 0);        // ...and not on its ball
    DrawCellFocus(0, 8, false);
    DrawCellFocus(1, 8, true);
    EXPECT_EQ(differing().size(), frame.size());
    DrawCellFocus(1, 8, true); // drawn again where it is: the same frame
    EXPECT_EQ(differing().size(), frame.size());
    DrawCellFocus(1, 8, false);
    EXPECT_TRUE(differing().empty());
}

using SkinFiles = Folder;

bool SheetEquals(const std::vector<uint8_t>& rgb, int width, int height) {
    if (!SkinSheet.pixels || SkinSheet.width != width || SkinSheet.height != height ||
        SkinSheet.stride % 4 != 0) {
        return false;
    }
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            const uint8_t* p = SkinSheet.pixels + y * SkinSheet.stride + 3 * x;
            const uint8_t* q = rgb.data() + 3 * (y * width + x);
            if (p[0] != q[2] || p[1] != q[1] || p[2] != q[0]) {
                return false;
            }
        }
    }
    return true;
}

TEST_F(SkinFiles, EveryPixelFormatLoadsAsItsTruecolourPicture) {
    const int width = 1001; // rows of 3003 bytes start at multiples of 4
    const int height = 40;
    std::vector<uint8_t> rgb = CodedPicture(width, height);
    const struct {
        const char* file;
        int colourType;
        int bitDepth;
        bool interlaced;
    } formats[] = {{"rgb8.png", PNG_COLOR_TYPE_RGB, 8, false},
                   {"rgba16.png", PNG_COLOR_TYPE_RGB_ALPHA, 16, false},
                   {"rgba8.png", PNG_COLOR_TYPE_RGB_ALPHA, 8, true},
                   {"rgb16.png", PNG_COLOR_TYPE_RGB, 16, true}};
    for (const auto& format : formats) {
        PngOptions options{format.colourType, format.bitDepth, nullptr, 0, nullptr, 0,
                           format.interlaced};
        ASSERT_TRUE(WritePng(format.file, rgb.data(), width, height, options));
        Load(format.file);
        EXPECT_TRUE(SheetEquals(rgb, width, height)) << format.file;
        FreeSkin();
    }
    // grey and palette pictures: few colours, all grey for the grey file
    std::vector<uint8_t> grey(3 * 37 * 11);
    for (size_t i = 0; i < grey.size(); i++) {
        grey[i] = static_cast<uint8_t>((i / 3) * 7 % 256);
    }
    ASSERT_TRUE(WritePng("grey.png", grey.data(), 37, 11,
                         PngOptions{PNG_COLOR_TYPE_GRAY, 8, nullptr, 0, nullptr, 0, false}));
    Load("grey.png");
    EXPECT_TRUE(SheetEquals(grey, 37, 11));
    FreeSkin();
    std::vector<uint8_t> few = CodedPicture(9, 13); // taller than wide
    ASSERT_TRUE(WritePng("palette.png", few.data(), 9, 13,
                         PngOptions{PNG_COLOR_TYPE_PALETTE, 8, nullptr, 0, nullptr, 0, true}));
    Load("palette.png");
    EXPECT_TRUE(SheetEquals(few, 9, 13));
}

void WriteBytes(const char* file, const std::string& bytes) {
    std::FILE* out = std::fopen(file, "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
}

std::string ReadBytes(const char* file) {
    std::string bytes;
    std::FILE* in = std::fopen(file, "rb");
    for (int c; (c = std::fgetc(in)) != EOF;) {
        bytes += static_cast<char>(c);
    }
    std::fclose(in);
    return bytes;
}

// A PNG file of a header alone: a signature, then IHDR claiming the given size, then IEND.
std::string HeaderOnlyPng(uint32_t width, uint32_t height) {
    auto chunk = [](const char* type, std::string data) {
        std::string body = type + data;
        auto crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
        auto big = [](uint32_t v) {
            return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                               static_cast<char>(v >> 8), static_cast<char>(v)};
        };
        return big(static_cast<uint32_t>(data.size())) + body + big(crc);
    };
    std::string size;
    for (uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            size += static_cast<char>(v >> shift);
        }
    }
    return std::string("\x89PNG\r\n\x1a\n", 8) +
           chunk("IHDR", size + std::string("\x08\x02\0\0\0", 5)) + chunk("IEND", "");
}

// Whatever keeps a skin from loading, the game turns to brimzo.png; when that fails too, the
// player is told which files could not be loaded.
TEST_F(SkinFiles, ASkinThatCannotBeReadGivesWayToTheDefault) {
    std::vector<uint8_t> rgb = CodedPicture(64, 64);
    PngText about{"AboutSkinner", "the skin's own words", false};
    ASSERT_TRUE(WritePng("good.png", rgb.data(), 64, 64,
                         PngOptions{PNG_COLOR_TYPE_RGB, 8, &about, 1, nullptr, 0, false}));
    std::string good = ReadBytes("good.png");
    std::string damaged = good;
    damaged[good.size() / 2] ^= 0x5A; // inside the image data
    WriteBytes("damaged.png", damaged);
    WriteBytes("truncated.png", good.substr(0, good.size() / 2));
    WriteBytes("text.png", "not a picture at all\n");
    WriteBytes("empty.png", "");
    WriteBytes("huge.png", HeaderOnlyPng(1000000, 1000000)); // refused before any row is made
    std::vector<uint8_t> wide = CodedPicture(4097, 1);
    ASSERT_TRUE(WriteRgbPng("wide.png", wide.data(), 4097, 1));
    ASSERT_EQ(mkfifo("pipe.png", 0600), 0); // opens, and would never send a byte
    ASSERT_EQ(mkdir("folder.png", 0700), 0);
    const char* broken[] = {"damaged.png", "truncated.png", "text.png",   "empty.png",  "huge.png",
                            "wide.png",    "pipe.png",      "folder.png", "missing.png"};
    for (const char* file : broken) {
        Load(file);
        EXPECT_EQ(SkinSheet.pixels, nullptr) << file;
        EXPECT_EQ(SelectedSkin, nullptr) << file;
        EXPECT_EQ(SkinDescription, nullptr) << file;
        EXPECT_EQ(LivePixelBuffers, 1) << file; // the back buffer alone
        BlitFromSkin(0, 0, 640, 480, 0, 0);     // draws nothing, and does not crash
        EXPECT_EQ(std::string(SkinFailureMessage()),
                  "Neither the skin " + std::string(file) +
                      " nor brimzo.png could be loaded: the game has no pictures to show!");
        FreeSkin();
    }
    Load("brimzo.png");
    EXPECT_STREQ(SkinFailureMessage(),
                 "The skin brimzo.png could not be loaded: the game has no pictures to show!");
    FreeSkin();

    std::vector<uint8_t> widest = CodedPicture(4096, 1);
    ASSERT_TRUE(WriteRgbPng("brimzo.png", widest.data(), 4096, 1));
    Load("good.png"); // a good skin is not passed over for the default
    EXPECT_TRUE(SheetEquals(rgb, 64, 64));
    EXPECT_STREQ(SkinDescription, "the skin's own words");
    FreeSkin();
    auto openFiles = [] { // a skin's file is closed however its load ends
        int count = 0;
        for (int descriptor = 0; descriptor < 1024; descriptor++) {
            count += fcntl(descriptor, F_GETFD) != -1 ? 1 : 0;
        }
        return count;
    };
    int filesBefore = openFiles();
    for (const char* file : broken) {
        Load(file);
        EXPECT_TRUE(SheetEquals(widest, 4096, 1)) << file;
        EXPECT_EQ(SkinFailureMessage(), nullptr);
        EXPECT_STREQ(Skin, file); // the setting keeps the name it had
        FreeSkin();
    }
    EXPECT_EQ(openFiles(), filesBefore);
}

TEST_F(SkinFiles, DescriptionIsTheLastAboutSkinnerText) {
    std::vector<uint8_t> rgb = CodedPicture(8, 8);
    PngText before[] = {{"Title", "a title", false}, {"AboutSkinner", "first words", false}};
    PngText after[] = {{"AboutSkinner", "last words, compressed", true},
                       {"aboutskinner", "another key", false}};
    ASSERT_TRUE(WritePng("texts.png", rgb.data(), 8, 8,
                         PngOptions{PNG_COLOR_TYPE_RGB, 8, before, 2, after, 2, false}));
    Load("texts.png");
    ASSERT_NE(SkinDescription, nullptr);
    EXPECT_STREQ(SkinDescription, "last words, compressed");
    FreeSkin();
    EXPECT_EQ(SkinDescription, nullptr);
    ASSERT_TRUE(WriteRgbPng("plain.png", rgb.data(), 8, 8));
    Load("plain.png");
    EXPECT_EQ(SkinDescription, nullptr);
    std::vector<uint8_t> sheet = CodedPicture(1000, 760);
    ASSERT_TRUE(WriteRgbPng("coded.png", sheet.data(), 1000, 760));
    std::snprintf(Skin, sizeof Skin, "coded.png"); // as Options switches to the next skin
    EXPECT_STREQ(SwitchSkin(), "");
    EXPECT_EQ(SelectedSkin, &SkinSheet);
    EXPECT_EQ(ScreenSource(0, 0).y, 280); // the screen drawn anew from it at once
}

} // namespace
