#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <string>

#include "game/daily.h"
#include "game/turn.h"
#include "shell/focus.h"
#include "shell/keys.h"
#include "shell/share.h"
#include "store/daily.h"
#include "store/gamecode.h"
#include "store/settings.h"
#include "tests/double/double.h"

namespace {

const std::string Ini = "C:\\games\\brimzo.ini";

// The process starts again; the settings file stays unless it is a first start.
void Start(bool first = true) {
    std::memset(&Game, 0, sizeof Game);
    if (first) {
        ResetDouble();
    }
    NewGame();
    LoadSettings();
}

// Any game the rules could be playing: cells of every kind, three announced balls on distinct
// empty cells, every mode, the extremes of the score and the generator's state, with help or
// without.
SavedGame RandomGame(std::mt19937& random, int32_t mode) {
    auto draw = [&random](uint32_t below) { return static_cast<int32_t>(random() % below); };
    SavedGame game;
    game.mode = mode;
    game.randomState = static_cast<uint32_t>(random());
    game.score = static_cast<int32_t>(static_cast<uint32_t>(random()) >> 1);
    game.assisted = random() % 2 == 0;
    for (int8_t& cell : game.board) {
        cell = static_cast<int8_t>(draw(8) - 1);
    }
    const int32_t cells[3] = {draw(CellCount), 1 + draw(40), 41 + draw(40)}; // apart
    for (int32_t i = 0; i < NextBallCount; i++) {
        int32_t cell = (cells[0] + (i > 0 ? cells[i] : 0)) % CellCount;
        game.board[cell] = EmptyCell;
        game.nextBalls[i] = {static_cast<int8_t>(cell % 9), static_cast<int8_t>(cell / 9),
                             static_cast<int8_t>(draw(7))};
    }
    return game;
}

std::string CodeOf(const SavedGame& game) {
    char code[GameCodeBufferSize];
    EncodeGameCode(game, code);
    return code;
}

CodeVerdict Verdict(const std::string& code) {
    SavedGame game;
    return DecodeGameCode(code.c_str(), static_cast<int32_t>(code.size()), &game);
}

bool SameGame(const SavedGame& a, const SavedGame& b) {
    return a.mode == b.mode && a.randomState == b.randomState && a.score == b.score &&
           std::memcmp(a.board, b.board, sizeof a.board) == 0 &&
           std::memcmp(a.nextBalls, b.nextBalls, sizeof a.nextBalls) == 0 &&
           a.assisted == b.assisted;
}

// The keyboard's focus is drawn again over the board that an action draws anew.
template <typename Action>
int FocusRedrawn(Action action) {
    ShowFocus();
    ClearCallLog();
    action();
    HideFocus();
    return CountCalls("DrawCellFocus " + std::to_string(FocusColumn) + " " +
                      std::to_string(FocusRow) + " 1");
}

TEST(GameCode, EveryGameComesBackExactlyFromItsCode) {
    Start();
    // the first deal's code, so that codes already shared keep their meaning
    EXPECT_EQ(CodeOf(GameInProgress()),
              "AAAE5QAAAABn4xmxAYAAAAAAAAAAAAAAAAQAAAAAAIAAAAAAAAAAAACAQDqzlQ");
    std::mt19937 random(7);
    for (int32_t i = 0; i < 3000; i++) {
        SavedGame game = RandomGame(random, i % 3);
        if (i == 1) {
            game.score = 2147483647;
            game.randomState = 0xFFFFFFFFu;
        }
        std::string code = CodeOf(game);
        ASSERT_EQ(code.size(), 62u);
        ASSERT_EQ(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                         "0123456789-_"),
                  std::string::npos);
        SavedGame decoded;
        ASSERT_EQ(DecodeGameCode(code.c_str(), 62, &decoded), CodeVerdict::Taken) << code;
        ASSERT_TRUE(SameGame(decoded, game)) << code;
    }
}

TEST(GameCode, DamagedCodesAreRefused) {
    std::mt19937 random(11);
    const std::string code = CodeOf(RandomGame(random, Groups));
    EXPECT_EQ(Verdict(code.substr(0, 61)), CodeVerdict::WrongLength);
    EXPECT_EQ(Verdict(code + "A"), CodeVerdict::WrongLength);
    EXPECT_EQ(Verdict(""), CodeVerdict::WrongLength);
    for (char wrong : {'+', '/', '=', ' ', '.', '\xE9'}) {
        std::string changed = code;
        changed[20] = wrong;
        EXPECT_EQ(Verdict(changed), CodeVerdict::WrongCharacter) << wrong;
    }
    // every character changed into every other: the last holds two bits, so most of its
    // letters are wrong there, and the check catches the rest
    for (size_t at = 0; at < code.size(); at++) {
        for (char other : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                      "0123456789-_")) {
            std::string changed = code;
            changed[at] = other;
            if (other != code[at]) {
                ASSERT_NE(Verdict(changed), CodeVerdict::Taken) << at << other;
            }
        }
        std::string swapped = code;
        std::swap(swapped[at], swapped[(at + 1) % code.size()]);
        if (swapped != code) {
            ASSERT_NE(Verdict(swapped), CodeVerdict::Taken) << at;
        }
    }
    std::string changed = code;
    changed[61] = 'B';
    EXPECT_EQ(Verdict(changed), CodeVerdict::WrongCharacter);
    // the mark of help taken away, or put on, by the last character alone
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    changed[61] = alphabet[alphabet.find(code[61]) ^ 8];
    EXPECT_EQ(Verdict(changed), CodeVerdict::WrongCheck);
    changed[40] = changed[40] == 'A' ? 'B' : 'A';
    EXPECT_EQ(Verdict(changed.substr(0, 61) + code[61]), CodeVerdict::WrongCheck);

    // sound codes of games the saved game's check refuses
    auto verdictOf = [&](void (*spoil)(SavedGame&)) {
        SavedGame game = RandomGame(random, Lines);
        spoil(game);
        return Verdict(CodeOf(game));
    };
    EXPECT_EQ(verdictOf([](SavedGame& g) { g.mode = 3; }), CodeVerdict::Unplayable);
    EXPECT_EQ(verdictOf([](SavedGame& g) { g.nextBalls[1].colour = 7; }), CodeVerdict::Unplayable);
    EXPECT_EQ(verdictOf([](SavedGame& g) { g.nextBalls[2] = g.nextBalls[0]; }),
              CodeVerdict::Unplayable);
    EXPECT_EQ(verdictOf([](SavedGame& g) {
                  g.board[CellIndex(g.nextBalls[0].column, g.nextBalls[0].row)] = 2;
              }),
              CodeVerdict::Unplayable);
}

// A line from a chat or a link: the code in it is taken once the player agrees; a refused
// code is told; any other text does nothing.
TEST(Sharing, APastedCodePlaysTheExactGameAfterTheQuestion) {
    Start();
    std::mt19937 random(5);
    PlaySavedGame(RandomGame(random, Groups));
    Game.score = 214;
    const SavedGame shared = GameInProgress();
    char line[200];
    GameCodeLine(line, sizeof line);
    const std::string code = CodeOf(shared);
    EXPECT_EQ(std::string(line), "Brimzo game, Groups, score 214: " + code);

    Game.mode = Lines;
    NewGame();
    Game.ballSelected = true; // a ball of the game that ends bounces
    const SavedGame dealt = GameInProgress();
    const std::string question = "Ask Brimzo! | Play the shared game? Your game in progress ends.";
    ClearCallLog();
    ScriptAnswer(false);
    TakeSharedText(("http://127.0.0.1:8000/index.html#" + code + " <- beat me").c_str());
    EXPECT_EQ(CallLog(), (std::vector<std::string>{question}));
    EXPECT_TRUE(SameGame(GameInProgress(), dealt));

    for (const char* other : {"", "hello world", "https://example.org/page.html#top"}) {
        TakeSharedText(other);
    }
    std::string typo = code;
    typo[10] = typo[10] == 'x' ? 'y' : 'x';
    TakeSharedText(typo.c_str());
    TakeSharedText(("#" + code.substr(0, 58)).c_str()); // the page's link, cut short
    TakeSharedText(("Brimzo game, Groups, score 214: " + code.substr(0, 61) + "+").c_str());
    EXPECT_EQ(
        CallLog(),
        (std::vector<std::string>{
            question, std::string("Message Brimzo! | ") + CodeRefusal(CodeVerdict::WrongCheck),
            std::string("Message Brimzo! | ") + CodeRefusal(CodeVerdict::WrongLength),
            std::string("Message Brimzo! | ") + CodeRefusal(CodeVerdict::WrongCharacter)}));
    EXPECT_TRUE(SameGame(GameInProgress(), dealt));
    const std::set<std::string> refusals = {
        CodeRefusal(CodeVerdict::WrongLength), CodeRefusal(CodeVerdict::WrongCharacter),
        CodeRefusal(CodeVerdict::WrongCheck), CodeRefusal(CodeVerdict::Unplayable)};
    EXPECT_EQ(refusals.size(), 4u); // each tells its own fault

    ScriptAnswer(true);
    EXPECT_EQ(FocusRedrawn([&] { TakeSharedText(line); }), 1);
    EXPECT_TRUE(SameGame(GameInProgress(), shared));
    EXPECT_FALSE(Game.ballSelected);
    EXPECT_EQ(CountCalls("RedrawScreen 0 1 0"), 1); // the board and the leaders of its mode
    EXPECT_EQ(CountCalls("DrawModeButton 0 0"), 1);
}

// One rule for what is meant as a code: the line Ctrl+C writes, a link with a code after its
// '#', or a bare code, each also damaged; an ordinary link, sentence or long word is not.
TEST(Sharing, OnlyWhatIsMeantAsACodeIsAnswered) {
    std::mt19937 random(3);
    const std::string code = CodeOf(RandomGame(random, Squares));
    const std::string line = "Brimzo game, Squares, score 214: " + code;
    const std::string none = "(none)";
    const struct {
        std::string text;
        std::string meant;
    } cases[] = {
        {code, code},
        {" \t" + code + "\r\n", code},
        {line, code},
        {"[12:01] Bob: " + line + " <- beat me", code},
        {"Brimzo game, Squares, score 214: " + code.substr(0, 30) + "\nmore", code.substr(0, 30)},
        {"Brimzo game, Squares, score 214:\n" + code, code}, // the line is cut before its code
        {"Brimzo game, Lines, score 0: \n" + code, ""},
        {"Brimzo game, Lines, score 0: ab+cd. Nice", "ab+cd"},
        {"http://127.0.0.1:8000/index.html#" + code, code},
        {"#" + code, code}, // what the page passes on from the link it was opened with
        {"Try this (https://brimzo.example.org/#" + code + ").", code},
        {"Here: `" + code + "`!", code},
        {"\"" + code + "\", said Bob", code},
        {"https://brimzo.example.org/#" + code.substr(0, 56), code.substr(0, 56)},
        {"https://brimzo.example.org/#" + code.substr(0, 55), none},
        {code + "AAAAAA", code + "AAAAAA"},
        {code + "AAAAAAA", none},
        {code.substr(0, 31), none}, // half a code is too little to be meant as one
        {code + code, none},
        {code.substr(0, 40) + "+" + code.substr(41), none},
        {code + "," + code, none},
        {"https://example.org/some/long/path/page_with_a_long_name-and-more-words-in-it-too.html",
         none},
        {"https://example.org/how-to-make-the-best-chocolate-cake-with-only-five-ingredients-ok",
         none}, // a link's path is no code, whatever its length
        {"https://example.org/page.html#section-2", none},
        {"https://example.org/page.html#:~:text=" + std::string(50, 'a'), none},
        {"one_long_word_of_letters_and_underscores_only_abcdefgh", none},
        {"Please read the rules, then play a game of Squares with me.", none},
        {"", none},
        {code.substr(0, 58) + " and then " + code, code.substr(0, 58)}, // the first one
    };
    for (const auto& c : cases) {
        int32_t length = -1;
        const char* found = FindGameCode(c.text.c_str(), &length);
        EXPECT_EQ(found ? std::string(found, static_cast<size_t>(length)) : none, c.meant)
            << c.text;
    }
}

SavedGame DealOf(int year, int month, int day) {
    ScriptLocalDate(year, month, day);
    KeyDown(Key::D, ControlHeld);
    return GameInProgress();
}

// The deal is the game's own from the day's seed, in the day's mode; a game played meanwhile
// changes nothing of it.
TEST(DailyDeal, TheSameDateDealsTheSameGameAndAnotherDateAnother) {
    Start();
    SavedGame first;
    EXPECT_EQ(FocusRedrawn([&] { first = DealOf(2026, 12, 7); }), 1);
    EXPECT_EQ(first.mode, Squares);
    SeedRandom(DailySeed(DayNumber(2026, 12, 7)));
    DealGame();
    EXPECT_TRUE(SameGame(GameInProgress(), first));
    Game.score = 5;
    const SavedGame played = GameInProgress();
    KeyDown(Key::D, 0); // D alone deals nothing
    EXPECT_TRUE(SameGame(GameInProgress(), played));
    EXPECT_TRUE(SameGame(DealOf(2026, 12, 7), first));
    SavedGame next = DealOf(2026, 12, 8);
    EXPECT_EQ(next.mode, Groups);
    EXPECT_EQ(DealOf(2026, 12, 9).mode, Lines);
    EXPECT_NE(std::memcmp(next.board, first.board, sizeof first.board), 0);

    // every version of the game deals a date alike
    EXPECT_EQ(DailySeed(DayNumber(2026, 12, 7)), 1367223038u);
    std::set<std::string> deals; // ten years, no two days alike
    for (int32_t day = DayNumber(2026, 1, 1); day < DayNumber(2036, 1, 1); day++) {
        SeedRandom(DailySeed(day));
        DealGame();
        deals.insert(std::string(reinterpret_cast<const char*>(Game.board), CellCount) +
                     std::string(reinterpret_cast<const char*>(Game.nextBalls), 9));
    }
    EXPECT_EQ(deals.size(), 3652u);
}

// Each day is the date after the day before, and its date gives the day back.
TEST(DailyDeal, DaysAndDatesConvertBothWays) {
    EXPECT_EQ(DayNumber(1970, 1, 1), 0);
    EXPECT_EQ(DayNumber(1900, 3, 1), -25508);  // after a century's year without a leap day
    EXPECT_EQ(DayNumber(2400, 2, 29), 157113); // and the leap day of every fourth century
    int32_t before[3] = {1900, 2, 28};
    for (int32_t day = -25508; day <= 157113 + 366; day++) {
        int32_t year;
        int32_t month;
        int32_t date;
        DateOfDay(day, &year, &month, &date);
        bool next = (year == before[0] && month == before[1] && date == before[2] + 1) ||
                    (date == 1 && (month == before[1] + 1 ? year == before[0]
                                                          : month == 1 && year == before[0] + 1));
        ASSERT_TRUE(next && month <= 12 && DayNumber(year, month, date) == day)
            << year << "-" << month << "-" << date;
        before[0] = year;
        before[1] = month;
        before[2] = date;
    }
}

std::string ResultLine() {
    char line[80] = "";
    return DailyResultLine(line, sizeof line) ? line : "(none)";
}

// The best score of each day's deal, the game in progress counted, for 30 days.
TEST(DailyDeal, EachDayKeepsItsBestScoreForThirtyDays) {
    Start();
    EXPECT_EQ(ResultLine(), "(none)");
    DealOf(2026, 12, 7);
    EXPECT_EQ(ResultLine(), "Brimzo daily 2026-12-07, Squares: 0");
    Game.score = 214;
    NewGame(); // a mode button: the deal ends, its score counts for the day
    Game.score = 999;
    EXPECT_EQ(ResultLine(), "Brimzo daily 2026-12-07, Squares: 214");
    DealOf(2026, 12, 7);
    Game.score = 90;
    EXPECT_EQ(ResultLine(), "Brimzo daily 2026-12-07, Squares: 214");
    Game.score = 250;
    ASSERT_TRUE(SaveSettings()); // the deal in play counts as it is
    EXPECT_EQ(ProfileValue(Ini, "DAILY", "Deal"), "2026-12-07");
    EXPECT_EQ(ProfileValue(Ini, "DAILY", "Best"), "2026-12-07:250");

    // the saved deal goes on after a restart, and counts only while its saved game does
    Start(false);
    EXPECT_EQ(DailyDealDay, DayNumber(2026, 12, 7));
    Game.score = 300;
    EXPECT_EQ(ResultLine(), "Brimzo daily 2026-12-07, Squares: 300"); // the game in play

    // 41 days as a hand or another version may leave them: out of order, a day twice, entries
    // that do not read; the newest 30 are taken, and a save keeps those of the last 30 days
    auto entry = [](int32_t day, int32_t best) {
        int32_t year;
        int32_t month;
        int32_t date;
        DateOfDay(day, &year, &month, &date);
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d:%d", year, month, date, best);
        return std::string(text);
    };
    const int32_t first = DayNumber(2026, 10, 2);
    const int32_t last = DayNumber(2026, 11, 11);
    std::string stored = "junk,2026-02-30:5,2026-13-01:5,2026-11-00:5,2026-11-11:-1";
    for (int32_t day = first; day <= last; day += 2) {
        stored += "," + entry(day, day % 10);
    }
    for (int32_t day = last - 1; day > first; day -= 2) {
        stored += "," + entry(day, day % 10);
    }
    SetProfileValue(Ini, "DAILY", "Best", stored + "," + entry(last, 77));
    SetProfileValue(Ini, "DAILY", "Deal", "2026-10-05"); // in play, no longer among them
    Start(false);
    EXPECT_EQ(DailyDealDay, DayNumber(2026, 10, 5));
    EXPECT_EQ(DailyResultCount, 30);
    ScriptLocalDate(2026, 11, 12);
    ASSERT_TRUE(SaveSettings());
    std::string kept = entry(last, last % 10);
    for (int32_t day = last - 1; day > last - 29; day--) {
        kept += "," + entry(day, day % 10);
    }
    EXPECT_EQ(ProfileValue(Ini, "DAILY", "Best"), kept);
    ScriptLocalDate(2027, 1, 1);
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileValue(Ini, "DAILY", "Best"), "");

    SetProfileValue(Ini, "GAME", "SaveData1", "-");
    Start(false);
    EXPECT_EQ(DailyDealDay, NoDailyDeal);
    ASSERT_TRUE(SaveSettings()); // nothing left to keep: the section stays true all the same
    EXPECT_EQ(ProfileValue(Ini, "DAILY", "Deal"), "-");
}

} // namespace
