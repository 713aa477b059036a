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
#include "store/savegame.h"
#include "store/settings.h"

namespace {
bool AskingLeaderName;
char NameBeforeAsking[LeaderNameBufferSize]; // the name the dialog offered
} // namespace

void NewGame() {
    if (Game.ballSelected) {
        DeselectBall();
    }
    EndDailyDeal();
    DealGame();
    GameAssisted = false;
}

void DeselectBall() {
    DrawBall(Game.selectedColumn, Game.selectedRow, Game.selectedColour, 0);
    Game.ballSelected = false;
}

// An assisted game earns no place: the player is told why no name is asked.
static void EnterLeader() {
    if (!LeaderQualifies()) {
        return;
    }
    if (GameAssisted) {
        ShowStopMessage(AssistedGameOverMessage, "Brimzo!");
        return;
    }
    std::memcpy(NameBeforeAsking, LastLeaderName, sizeof NameBeforeAsking);
    AskingLeaderName = true;
    RunModalDialog(NameDialogTemplate);
    AskingLeaderName = false;
    InsertLeader();
}

// The computer's game, while the player's is held aside, enters nothing anywhere.
static void EndGame() {
    if (PlayersGameHeld()) {
        DealGame();
    } else {
        EnterLeader();
        NewGame();
    }
    RedrawScreen(false, true, true);
}

void RemoveMarkedBalls(const int8_t removed[CellCount]) {
    PlaySoundSlot(RemovalSoundSlot, false);
    AnimateVanish(removed);
}

// The move is complete in the game before the screen shows it, step by step.
static void ShowMove(const MoveRecord& move, int32_t column, int32_t row) {
    if (move.steppedAside >= 0) {
        ClearCell(column, row);
    }
    DeselectBall();
    AnimateMove(move.colour, move.announced);
    if (move.landed) {
        AnimateAppear(move.announced);
        if (!move.gameOver) {
            DrawNextBalls(Game.nextBalls);
        }
    }
    if (move.points > 0) {
        DrawScore();
        RemoveMarkedBalls(move.removed);
    }
}

// A game over deals the next game, and the shapes of that deal score at once.
static void EndGameAndScoreTheDeal(MoveRecord* move) {
    EndGame();
    if (ScoreShapes(move->removed) > 0) {
        DrawScore();
        RemoveMarkedBalls(move->removed);
    }
}

ClickOutcome ClickCell(int32_t column, int32_t row) {
    if (Game.board[CellIndex(column, row)] != EmptyCell) {
        if (Game.ballSelected) {
            DeselectBall();
        }
        SelectBall(column, row);
        return ClickOutcome::Selected;
    }
    if (!Game.ballSelected) {
        return ClickOutcome::Nothing;
    }
    MoveRecord move;
    if (!PlayMove(column, row, &move)) {
        PlaySoundSlot(RefusedMoveSlot, true);
        return ClickOutcome::Refused;
    }
    ShowMove(move, column, row);
    if (!move.gameOver) {
        return ClickOutcome::Moved;
    }
    EndGameAndScoreTheDeal(&move);
    return ClickOutcome::GameOver;
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
