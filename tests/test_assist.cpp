// What a game with help earns, and what keeps its mark.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/turn.h"
#include "shell/focus.h"
#include "store/daily.h"
#include "store/gamecode.h"
#include "store/leaders.h"
#include "store/profile.h"
#include "store/savegame.h"
#include "store/settings.h"
#include "tests/board_text.h"
#include "tests/double/double.h"

namespace {

using Log = std::vector<std::string>;

void StartDealt(int32_t mode, uint32_t seed) {
    std::memset(&Game, 0, sizeof Game);
    ResetDouble();
    FocusShown = false;
    Game.mode = mode;
    SeedRandom(seed);
    DealGame();
}

// A full board but for the cells given, the ball at (1, 0) about to step left onto (0, 0) and
// the three announced balls landing on the rest.
void PrepareLastMove(int32_t mode, int32_t score) {
    StartDealt(mode, 9);
    FillShapeless();
    for (int32_t cell :
         {CellIndex(0, 0), CellIndex(4, 2), CellIndex(8, 4), CellIndex(2, 6), CellIndex(6, 8)}) {
        Game.board[cell] = EmptyCell;
    }
    Game.nextBalls[0] = {4, 2, 0};
    Game.nextBalls[1] = {8, 4, 0};
    Game.nextBalls[2] = {2, 6, 0};
    Game.score = score;
}

const std::string Ini = "C:\\games\\brimzo.ini";

std::string ResultLine() {
    char line[80] = "";
    return DailyResultLine(line, sizeof line) ? line : "(none)";
}

TEST(AssistedGame, AGameOverThatWouldEarnAPlaceSaysWhyNoNameIsAsked) {
    PrepareLastMove(Squares, 250);
    GameAssisted = true;
    ClickCell(1, 0);
    ClickCell(0, 0);
    EXPECT_EQ(CountCalls("Dialog 1002"), 0);
    EXPECT_EQ(CountCalls(std::string("Message Brimzo! | ") + AssistedGameOverMessage), 1);
    EXPECT_STREQ(LeaderTables[Squares][0], DefaultLeaderLine);
    EXPECT_FALSE(GameAssisted); // the next game starts clean

    PrepareLastMove(Squares, 50); // no place to earn: nothing to say
    GameAssisted = true;
    ClickCell(1, 0);
    ClickCell(0, 0);
    EXPECT_EQ(CountCalls(std::string("Message Brimzo! | ") + AssistedGameOverMessage), 0);
}

// The mark goes where the game goes: into brimzo.ini beside the saved game, written only for a
// game with help, and into its code; and today's result says so.
TEST(AssistedGame, TheMarkSurvivesASaveALoadAndACode) {
    StartDealt(Lines, 5);
    LoadSettings(); // a first start: no file
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileText(Ini).find("Assisted"), std::string::npos);

    BeginDailyDeal(TodaysDayNumber());
    Game.score = 40;
    MarkGameAssisted(); // the 40 reached before counts clean
    EXPECT_EQ(ResultLine(), "Brimzo daily 2026-12-07, Squares: 40");
    Game.score = 70;
    EXPECT_EQ(ResultLine(), "Brimzo daily 2026-12-07, Squares: 70 (assisted)");
    SavedGame played = GameInProgress();
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileValue(Ini, "GAME", "Assisted"), "1");
    EXPECT_EQ(ProfileValue(Ini, "DAILY", "Assisted"), "2026-12-07");

    std::memset(&Game, 0, sizeof Game);
    GameAssisted = false;
    NewGame();
    LoadSettings(); // the next run
    EXPECT_TRUE(GameAssisted);
    EXPECT_EQ(Game.score, 70);
    EXPECT_EQ(ResultLine(), "Brimzo daily 2026-12-07, Squares: 70 (assisted)");

    char code[GameCodeBufferSize];
    EncodeGameCode(GameInProgress(), code);
    SavedGame shared;
    ASSERT_EQ(DecodeGameCode(code, GameCodeLength, &shared), CodeVerdict::Taken);
    EXPECT_TRUE(shared.assisted);
    played.assisted = false;
    EncodeGameCode(played, code);
    ASSERT_EQ(DecodeGameCode(code, GameCodeLength, &shared), CodeVerdict::Taken);
    EXPECT_FALSE(shared.assisted);

    Game.score = 70; // the same best without help takes the mark away, and a save says so
    GameAssisted = false;
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileValue(Ini, "GAME", "Assisted"), "0");
    EXPECT_EQ(ProfileValue(Ini, "DAILY", "Assisted"), "");
}

} // namespace
