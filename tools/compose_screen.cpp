// Composes the screen from a game state exactly as the game draws it and writes it as a PNG.
// Usage: compose_screen <skin.png> <out.png> <start | playing>
#include <cstdio>
#include <cstring>
#include <vector>

#include "game/turn.h"
#include "render/animate.h"
#include "render/draw.h"
#include "render/skin.h"
#include "store/leaders.h"
#include "store/settings.h"
#include "tools/png_file.h"

namespace {

int32_t BallCount() {
    int32_t balls = 0;
    for (int8_t cell : Game.board) {
        balls += cell == EmptyCell ? 0 : 1;
    }
    return balls;
}

// Legal moves chosen in a fixed way, until the board is well filled and something has scored.
void PlaySomeMoves() {
    for (int turn = 0; turn < 5000 && (Game.score == 0 || BallCount() < 26); turn++) {
        bool moved = false;
        for (int n = 0; n < CellCount && !moved; n++) {
            int ball = (turn * 37 + n) % CellCount;
            if (Game.board[ball] == EmptyCell) {
                continue;
            }
            ClickCell(ball % 9, ball / 9);
            for (int to = 0; to < CellCount && !moved; to++) {
                int target = (to * 29 + turn) % CellCount;
                if (Game.board[target] == EmptyCell && FindPath(target % 9, target / 9)) {
                    ClickCell(target % 9, target / 9);
                    moved = true;
                }
            }
        }
    }
}

void FillLeaders() {
    const struct {
        const char* name;
        int32_t score;
    } leaders[] = {{"Ada", 412}, {"Lin", 318}, {"Grace", 230}, {"Kim", 150}};
    for (const auto& leader : leaders) {
        std::snprintf(LastLeaderName, sizeof LastLeaderName, "%s", leader.name);
        Game.score = leader.score;
        InsertLeader();
    }
    Game.score = 0;
}

bool WriteBackBuffer(const char* path) {
    std::vector<uint8_t> rgb;
    for (int32_t y = 0; y < BackBuffer.height; y++) {
        const uint8_t* row = BackBuffer.pixels + y * BackBuffer.stride;
        for (int32_t x = 0; x < BackBuffer.width; x++) {
            rgb.push_back(row[3 * x + 2]);
            rgb.push_back(row[3 * x + 1]);
            rgb.push_back(row[3 * x]);
        }
    }
    return WriteRgbPng(path, rgb.data(), BackBuffer.width, BackBuffer.height);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: compose_screen <skin.png> <out.png> <start|playing>\n");
        return 2;
    }
    ResetSettings();
    std::snprintf(Skin, sizeof Skin, "%s", argv[1]);
    ResetLeaderTables();
    NewGame();
    bool playing = std::strcmp(argv[3], "playing") == 0;
    if (playing) {
        Game.mode = Squares;
        FillLeaders();
        SeedRandom(20261206);
        NewGame();
        PlaySomeMoves();
    }
    LoadSkin();
    SelectSkin();
    if (!SelectedSkin) {
        std::fprintf(stderr, "compose_screen: cannot load %s\n", argv[1]);
        return 1;
    }
    CreateBackBuffer();
    RedrawScreen(true, true, true);
    if (playing) {
        for (int32_t i = 0; i < CellCount; i++) {
            if (Game.board[i] != EmptyCell) {
                SelectBall(i % 9, i / 9);
                break;
            }
        }
        BounceStep(); // the selected ball lifted in its bounce
        DrawModeButton(Groups, true);
        DrawWindowButton(5, true);
    }
    bool written = WriteBackBuffer(argv[2]);
    FreeBackBuffer();
    FreeSkin();
    return written ? 0 : 1;
}
