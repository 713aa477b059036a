#include "game/turn.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "dialogs/resources.h"
#include "dialogs/rules.h"
#include "render/animate.h"
#include "render/draw.h"
#include "render/sound.h"
#include "shell/platform.h"
#include "store/daily.h"
#include "store/leaders.h"
#include "store/settings.h"

namespace {
constexpr int32_t GameOverEmptyCells = 3;
bool AskingLeaderName;
char NameBeforeAsking[LeaderNameBufferSize]; // the name the dialog offered
} // namespace

void NewGame() {
    if (Game.ballSelected) {
        DeselectBall();
    }
    EndDailyDeal();
    DealGame();
}

void DeselectBall() {
    DrawBall(Game.selectedColumn, Game.selectedRow, Game.selectedColour, 0);
    Game.ballSelected = false;
}

void MoveBall() {
    AnimateMove(MoveBallAlongPath());
}

static void MoveAnnouncedBallOffTarget(int32_t column, int32_t row) {
    for (NextBall& ball : Game.nextBalls) {
        if (ball.column == column && ball.row == row) {
            ball.column = Game.selectedColumn;
            ball.row = Game.selectedRow;
            ClearCell(column, row);
        }
    }
}

static void EndGame() {
    if (LeaderQualifies()) {
        std::memcpy(NameBeforeAsking, LastLeaderName, sizeof NameBeforeAsking);
        AskingLeaderName = true;
        RunModalDialog(NameDialogTemplate);
        AskingLeaderName = false;
        InsertLeader();
    }
    NewGame();
    RedrawScreen(false, true, true);
}

// A score stops at the largest value its type holds: beyond it would turn negative, and a
// saved game with a negative score is refused at the next start.
static void ScoreAndRemove(int32_t points) {
    Game.score = points > INT32_MAX - Game.score ? INT32_MAX : Game.score + points;
    DrawScore();
    RemoveMarkedBalls();
}

void ClickCell(int32_t column, int32_t row) {
    if (Game.board[CellIndex(column, row)] != EmptyCell) {
        if (Game.ballSelected) {
            DeselectBall();
        }
        SelectBall(column, row);
        return;
    }
    if (!Game.ballSelected) {
        return;
    }
    if (!FindPath(column, row)) {
        PlaySoundSlot(RefusedMoveSlot, true);
        return;
    }
    MoveAnnouncedBallOffTarget(column, row);
    DeselectBall();
    MoveBall();
    int32_t points = CheckShapes();
    if (points == 0) {
        if (SpawnNextBalls()) {
            EndGame();
        }
        // after a game over this sees the board just dealt
        points = CheckShapes();
        if (points == 0) {
            return;
        }
    }
    ScoreAndRemove(points);
}

static int32_t CountEmptyCells() {
    int32_t empty = 0;
    for (int8_t cell : Game.board) {
        empty += cell == EmptyCell ? 1 : 0;
    }
    return empty;
}

bool SpawnNextBalls() {
    for (const NextBall& ball : Game.nextBalls) {
        Game.board[CellIndex(ball.column, ball.row)] = ball.colour;
    }
    AnimateAppear();
    if (CountEmptyCells() < GameOverEmptyCells) {
        return true;
    }
    ChooseNextBalls();
    DrawNextBalls();
    return false;
}

void RemoveMarkedBalls() {
    PlaySoundSlot(RemovalSoundSlot, false);
    AnimateVanish();
}

// The session ends while the name is being asked for: the score still takes its place, under
// the name typed so far when it would pass, else the name the dialog offered, and what is
// saved is the next game rather than the finished board.
void SettleInterruptedGameOver(const char* typedName) {
    if (!AskingLeaderName) {
        return;
    }
    AskingLeaderName = false;
    const char* name = CheckLeaderName(typedName) == NameVerdict::Accepted ? typedName
                       : CheckLeaderName(NameBeforeAsking) == NameVerdict::Accepted
                           ? NameBeforeAsking
                           : "";
    std::snprintf(LastLeaderName, sizeof LastLeaderName, "%s", name);
    InsertLeader();
    NewGame();
}
