#include "shell/assist.h"

#include "game/player.h"
#include "render/animate.h"
#include "render/draw.h"
#include "render/sound.h"
#include "shell/focus.h"
#include "shell/platform.h"
#include "store/daily.h"
#include "store/savegame.h"

namespace {
constexpr const char* NoMoveMessage = "No ball can move: there is no move to suggest.";
constexpr int32_t HintBlinkPause = 120;

// The games before each move, in a ring: the oldest give way once it is full.
SavedGame Earlier[UndoDepth];
int32_t EarlierCount;
int32_t NextEarlier;

bool HintShown;
BallMove Hint;

void FrameHint(bool shown) {
    DrawCellFocus(Hint.fromColumn, Hint.fromRow, shown);
    DrawCellFocus(Hint.toColumn, Hint.toRow, shown);
}

void Remember(const SavedGame& game) {
    Earlier[NextEarlier] = game;
    NextEarlier = (NextEarlier + 1) % UndoDepth;
    EarlierCount += EarlierCount < UndoDepth ? 1 : 0;
}

// Only the cells whose ball or announced mark changed, the marks, and a changed score.
void ShowTakenBack(const SavedGame& shown) {
    for (int32_t cell = 0; cell < CellCount; cell++) {
        bool marked = false;
        for (const NextBall& ball : shown.nextBalls) {
            marked = marked || CellIndex(ball.column, ball.row) == cell;
        }
        if (!marked && shown.board[cell] == Game.board[cell]) {
            continue;
        }
        if (Game.board[cell] == EmptyCell) {
            ClearCell(cell % BoardSize, cell / BoardSize);
        } else {
            DrawBall(cell % BoardSize, cell / BoardSize, Game.board[cell], RestFrame);
        }
    }
    DrawNextBalls(Game.nextBalls);
    if (shown.score != Game.score) {
        DrawScore();
    }
}
} // namespace

ClickOutcome PlayerClicksCell(int32_t column, int32_t row) {
    SavedGame before = GameInProgress();
    ClickOutcome outcome = ClickCell(column, row);
    if (outcome == ClickOutcome::Moved) {
        Remember(before);
    } else if (outcome == ClickOutcome::GameOver) {
        ForgetMoves();
    }
    return outcome;
}

// A short blink of both frames first, so that the eye finds them; the focus of the keys goes
// to the ball, where Space picks it up.
void ShowHint() {
    HideHint();
    if (!ChooseMove(&Hint)) {
        ShowStopMessage(NoMoveMessage, "Brimzo!");
        return;
    }
    MarkGameAssisted();
    HintShown = true;
    StartAnimationPacing();
    FrameHint(true);
    AnimationPause(HintBlinkPause);
    FrameHint(false);
    AnimationPause(HintBlinkPause);
    FrameHint(true);
    PutFocusOn(Hint.fromColumn, Hint.fromRow);
}

void HideHint() {
    if (!HintShown) {
        return;
    }
    HintShown = false;
    FrameHint(false);
    RefreshFocus();
}

// The move before is undone exactly, generator and all: the same move again brings the same
// balls. With nothing to take back, the refusal sounds.
void TakeBackMove() {
    if (EarlierCount == 0) {
        PlaySoundSlot(RefusedMoveSlot, true);
        return;
    }
    if (Game.ballSelected) {
        DeselectBall();
    }
    MarkGameAssisted();
    SavedGame shown = GameInProgress();
    NextEarlier = (NextEarlier + UndoDepth - 1) % UndoDepth;
    EarlierCount--;
    PlaySavedGame(Earlier[NextEarlier]);
    GameAssisted = true;
    ShowTakenBack(shown);
    RefreshFocus();
}

void ForgetMoves() {
    EarlierCount = 0;
    NextEarlier = 0;
}
