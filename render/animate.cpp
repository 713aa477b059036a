#include "render/animate.h"

#include "game/game.h"
#include "render/draw.h"
#include "render/sound.h"

namespace {
constexpr int32_t MovePause = 20;
constexpr int32_t AppearPause = 50;
constexpr int32_t VanishPause = 50;
constexpr int32_t BounceSoundFrame = 8;
} // namespace

const int8_t BounceFrames[BounceCycle] = {0, 3, 2, 1, 2, 3, 0, 4, 5, 6, 5, 4};

void BounceStep() {
    Game.bounceFrame++;
    if (Game.bounceFrame == BounceCycle) {
        Game.bounceFrame = 0;
    }
    if (Game.bounceFrame == BounceSoundFrame) {
        PlaySoundSlot(BounceSoundSlot, true);
    }
    DrawBall(Game.selectedColumn, Game.selectedRow, Game.selectedColour,
             BounceFrames[Game.bounceFrame]);
}

// Wiping a cell the ball has left also wipes an announced mark on it, so the marks are laid
// again before every step and once after the last.
void AnimateMove(int32_t colour, const NextBall announced[NextBallCount]) {
    StartAnimationPacing();
    PlaySoundSlot(MoveSoundSlot, false);
    for (int32_t k = 1; k < Game.pathLength; k++) {
        DrawNextBalls(announced);
        DrawBall(Game.pathColumn[k + 1], Game.pathRow[k + 1], colour, RestFrame);
        ClearCell(Game.pathColumn[k], Game.pathRow[k]);
        AnimationPause(MovePause);
    }
    DrawNextBalls(announced);
}

static void DrawLandingBalls(const NextBall landed[NextBallCount], int32_t frame) {
    for (int32_t i = 0; i < NextBallCount; i++) {
        DrawBall(landed[i].column, landed[i].row, landed[i].colour, frame);
    }
}

void AnimateAppear(const NextBall landed[NextBallCount]) {
    StartAnimationPacing();
    for (int32_t frame = FirstAppearFrame; frame >= LastAppearFrame; frame--) {
        AnimationPause(AppearPause);
        DrawLandingBalls(landed, frame);
    }
    AnimationPause(AppearPause);
    DrawLandingBalls(landed, RestFrame);
}

static void VanishStep(const int8_t removed[CellCount], int32_t step) {
    for (int32_t row = 0; row < BoardSize; row++) {
        for (int32_t column = 0; column < BoardSize; column++) {
            int8_t colour = removed[CellIndex(column, row)];
            if (colour == EmptyCell) {
                continue;
            }
            if (step < VanishedStep) {
                DrawBall(column, row, colour, step);
            } else {
                ClearCell(column, row);
            }
        }
    }
}

void AnimateVanish(const int8_t removed[CellCount]) {
    StartAnimationPacing();
    for (int32_t step = FirstVanishFrame; step <= VanishedStep; step++) {
        VanishStep(removed, step);
        AnimationPause(VanishPause);
    }
}
