// The computer player's choice, timed where a hint is chosen in the browser: games of each mode
// played by the player from fixed seeds, every choice timed. A line a mode, for the browser
// benchmark to read: "choice Lines median 1.23 p99 4.56 of 400".
#include <emscripten.h>

#include <algorithm>
#include <cstdio>

#include "game/daily.h"
#include "game/player.h"

namespace {
constexpr int32_t Choices = 400;
double Times[Choices];
} // namespace

static void TimeChoices(int32_t mode) {
    Game.mode = mode;
    SeedRandom(2026u + static_cast<uint32_t>(mode));
    DealGame();
    MoveRecord move;
    for (int32_t n = 0; n < Choices; n++) {
        BallMove choice;
        double start = emscripten_get_now();
        bool found = ChooseMove(&choice);
        Times[n] = emscripten_get_now() - start;
        if (!found) {
            DealGame();
            continue;
        }
        SelectBall(choice.fromColumn, choice.fromRow);
        PlayMove(choice.toColumn, choice.toRow, &move);
        if (move.gameOver) {
            DealGame();
        }
    }
    std::sort(Times, Times + Choices);
    std::printf("choice %s median %.2f p99 %.2f of %d\n", ModeName(mode), Times[Choices / 2],
                Times[Choices * 99 / 100], Choices);
}

int main() {
    for (int32_t mode = Lines; mode <= Groups; mode++) {
        TimeChoices(mode);
    }
    return 0;
}
