#include "shell/demo.h"

#include <cstdio>

#include "game/daily.h"
#include "game/player.h"
#include "game/turn.h"
#include "render/animate.h"
#include "render/draw.h"
#include "shell/assist.h"
#include "shell/focus.h"
#include "shell/platform.h"
#include "store/savegame.h"

namespace {
// A ball bounces once round before it moves; the board rests half as long before the next.
constexpr int32_t BounceTicks = BounceCycle;
constexpr int32_t RestTicks = BounceCycle / 2;

enum class DemoStep { Rest, Bounce };

bool Playing;
DemoStep Step;
int32_t TicksLeft;
BallMove Next;

// The leader list's place says what is on the board, in the skin's own font.
void DrawDemoPanel() {
    char play[16];
    std::snprintf(play, sizeof play, "plays %s.", ModeName(Game.mode));
    const char* const lines[PanelLineCount] = {"",
                                               "     DEMO",
                                               "",
                                               "The computer",
                                               play,
                                               "",
                                               "A click or a",
                                               "key gives you",
                                               "your game back",
                                               ""};
    DrawPanelText(lines);
}

void Rest() {
    Step = DemoStep::Rest;
    TicksLeft = RestTicks;
}

void DealDemoGame() {
    DealGame();
    RedrawScreen(false, false, false);
    DrawDemoPanel();
    Rest();
}

// A ball is picked up after the rest; one that no ball can follow, with every ball boxed in or
// none left, ends that game.
void AfterRest() {
    if (!ChooseMove(&Next)) {
        DealDemoGame();
        return;
    }
    ClickCell(Next.fromColumn, Next.fromRow);
    Step = DemoStep::Bounce;
    TicksLeft = BounceTicks;
}

void AfterBounce() {
    ClickCell(Next.toColumn, Next.toRow);
    DrawDemoPanel(); // a game over drew the leaders there
    Rest();
}
} // namespace

bool DemoPlaying() {
    return Playing;
}

// The demo's games come from a seed of their own: the player's generator, which holds the
// balls still to come in the player's game, is not touched.
void StartDemo() {
    HideHint();
    HoldPlayersGame();
    SeedRandom(MillisecondClock());
    Playing = true;
    DealDemoGame();
}

void EndDemo() {
    Playing = false;
    ReturnPlayersGame();
    RedrawScreen(false, true, true);
    RefreshFocus();
}

bool InputEndsDemo() {
    if (Playing) {
        EndDemo();
        return true;
    }
    HideHint();
    return false;
}

void TimerTick() {
    if (!Playing) {
        if (Game.ballSelected) {
            BounceStep();
        }
        return;
    }
    if (Step == DemoStep::Bounce) {
        BounceStep();
    }
    if (--TicksLeft > 0) {
        return;
    }
    if (Step == DemoStep::Rest) {
        AfterRest();
    } else {
        AfterBounce();
    }
}
