#include "shell/share.h"

#include <cstdio>

#include "game/daily.h"
#include "shell/platform.h"
#include "shell/session.h"
#include "store/daily.h"
#include "store/gamecode.h"

void GameCode(char* code) {
    EncodeGameCode(GameInProgress(), code);
}

// The player's game, also while a demo holds it aside.
void GameCodeLine(char* line, size_t size) {
    SavedGame game = GameInProgress();
    char code[GameCodeBufferSize];
    EncodeGameCode(game, code);
    std::snprintf(line, size, "%s%s, score %d: %s", CodeLineStart, ModeName(game.mode), game.score,
                  code);
}

void TakeSharedText(const char* text) {
    int32_t length;
    const char* code = FindGameCode(text, &length);
    if (code) {
        TakeSharedCode(code, length);
    }
}

// A game from outside ends the one in progress: the player is asked first.
void TakeSharedCode(const char* code, int32_t length) {
    SavedGame shared;
    CodeVerdict verdict = DecodeGameCode(code, length, &shared);
    if (verdict != CodeVerdict::Taken) {
        ShowStopMessage(CodeRefusal(verdict), "Brimzo!");
        return;
    }
    if (AskOkCancel("Play the shared game? Your game in progress ends.", "Brimzo!")) {
        StartGame(shared.mode, &shared);
    }
}

void DealTodaysGame() {
    int32_t day = TodaysDayNumber();
    SeedRandom(DailySeed(day));
    StartGame(DailyMode(day), nullptr);
    BeginDailyDeal(day);
}
