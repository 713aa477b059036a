#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/game.h"
#include "store/leaders.h"
#include "store/savegame.h"
#include "store/settings.h"
#include "tests/double/double.h"

namespace {

const std::string Ini = "C:\\games\\brimzo.ini";
const std::string DefaultData = [] {
    std::string data;
    for (int i = 0; i < 30; i++) {
        data += "4272696D7A6F212020303031303000"; // "Brimzo!  00100" and its zero
    }
    return data;
}();

// A process that has dealt its first game from random state 0 and is about to read the file.
void FreshStart() {
    std::memset(&Game, 0, sizeof Game);
    ResetDouble();
    NewGame();
}

// The first game written at exit, worked out by hand from the record's layout: mode 0,
// random state 1253 (the clock seed of 12:34:56.789), score 0, the first deal.
const char* const FirstGameData1 =
    "MMMMCMMMMMMMMDDMDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDMDDDDDDDDDDDDDM"
    "DDDDDDDDDDDDDDDDDDDDDDDDDDMDDMMMMMMMMMNOMA";
const char* const FirstGameData2 =
    "GGGGDCGGGGGGGJJEJJJJJJJJJJJJJJJJJJJJJJJJJJJJJJJJJHJJJJJJJJJJJJJG"
    "JJJJJJJJJJJJJJJJJJJJJJJJJJHJJHBCABAHFAEFDF";

TEST(Settings, FirstStartUsesDefaultsAndExitWritesEveryKeyInOrder) {
    FreshStart();
    LoadSettings();
    EXPECT_STREQ(SettingsPath, Ini.c_str());
    EXPECT_EQ(Game.randomState, 12u * 34u + 56u + 789u);
    EXPECT_EQ(Game.board[CellIndex(3, 0)], 2); // the dealt game stays
    SaveSettings();
    EXPECT_EQ(ProfileText(Ini), "[WINDOW]\n"
                                "PosX=0\n"
                                "PosY=0\n"
                                "FullScreen=0\n"
                                "[GAME]\n"
                                "LastLeaderName=\n"
                                "SaveData1=" +
                                    std::string(FirstGameData1) +
                                    "\n"
                                    "SaveData2=" +
                                    FirstGameData2 +
                                    "\n"
                                    "[OPTIONS]\n"
                                    "AnimationSpeed=100\n"
                                    "SelectedBall=1\n"
                                    "ShapeComplete=1\n"
                                    "BallMovement=1\n"
                                    "WrongMove=1\n"
                                    "Skin=brimzo.png\n"
                                    "[SOUND]\n"
                                    "SelectedBall=jump.wav\n"
                                    "ShapeComplete=cantmove.wav\n"
                                    "BallMovement=move.wav\n"
                                    "WrongMove=destroy.wav\n"
                                    "[LEADERS]\n"
                                    "Data=" +
                                    DefaultData +
                                    "\n"
                                    "CRC=1879172880\n");
}

TEST(Settings, ValuesReadBackAndSpeedBelowOneReadsAsHundred) {
    FreshStart();
    SetProfileValue(Ini, "WINDOW", "PosX", "-7");
    SetProfileValue(Ini, "WINDOW", "PosY", "0");
    SetProfileValue(Ini, "OPTIONS", "ShapeComplete", "0");
    SetProfileValue(Ini, "OPTIONS", "WrongMove", "5");
    SetProfileValue(Ini, "OPTIONS", "Skin", std::string(300, 's'));
    SetProfileValue(Ini, "GAME", "LastLeaderName", std::string(40, 'n'));
    SetProfileValue(Ini, "SOUND", "BallMovement", std::string(1500, 'w'));
    const struct {
        const char* stored;
        int32_t speed;
    } speeds[] = {{"0", 100}, {"-5", 100}, {"1000", 1000}, {"1", 1}};
    for (const auto& c : speeds) {
        SetProfileValue(Ini, "OPTIONS", "AnimationSpeed", c.stored);
        LoadSettings();
        EXPECT_EQ(AnimationSpeed, c.speed) << c.stored;
    }
    EXPECT_EQ(PosX, -7);
    EXPECT_EQ(std::string(Skin), std::string(259, 's'));
    EXPECT_EQ(std::string(LastLeaderName), std::string(29, 'n'));
    EXPECT_EQ(std::string(SoundFile[2]), std::string(1023, 'w'));
    EXPECT_STREQ(SoundFile[1], "cantmove.wav");
    EXPECT_EQ(SoundEnabled[0], 1);
    EXPECT_EQ(SoundEnabled[1], 0);
    EXPECT_EQ(SoundEnabled[3], 5); // any nonzero value is on, kept as read

    for (int32_t value : {-7, 0, 2147483647, -2147483647 - 1}) {
        WriteSettingInt("LEADERS", "CRC", value);
        int32_t read = 1;
        ReadSettingInt("LEADERS", "CRC", &read, 0);
        EXPECT_EQ(read, value);
    }
    WriteSettingInt("WINDOW", "PosY", -7);
    EXPECT_EQ(ProfileValue(Ini, "WINDOW", "PosY"), "-7");
    WriteSettingInt("WINDOW", "PosY", 0);
    EXPECT_EQ(ProfileValue(Ini, "WINDOW", "PosY"), "0");
}

TEST(Settings, WrittenWhereTheyWereReadAndNeverAtACutPath) {
    FreshStart();
    SaveSettings(); // a fatal error before the file was read writes nothing
    EXPECT_EQ(ProfileText(Ini), "");

    LoadSettings();
    ScriptCurrentDirectory("C:\\Users\\player\\Music"); // the file chooser moved it
    PosX = 33;
    SaveSettings();
    EXPECT_EQ(ProfileValue(Ini, "WINDOW", "PosX"), "33");
    EXPECT_EQ(ProfileText("C:\\Users\\player\\Music\\brimzo.ini"), "");

    FreshStart();
    std::string deep = "C:\\" + std::string(249, 'd'); // 252 + "\brimzo.ini" > 259
    ScriptCurrentDirectory(deep.c_str());
    SetProfileValue(deep + "\\brimzo.i", "OPTIONS", "AnimationSpeed", "7");
    LoadSettings();
    EXPECT_STREQ(SettingsPath, "");
    EXPECT_EQ(AnimationSpeed, 100);
    SaveSettings();
    EXPECT_EQ(CountCalls("Write WINDOW PosX"), 0);
    EXPECT_EQ(ProfileValue(deep + "\\brimzo.i", "OPTIONS", "AnimationSpeed"), "7");
}

// Plays a fixed sequence of legal moves and returns the board after each.
std::string PlayFixedMoves() {
    std::string boards;
    for (int32_t turn = 0; turn < 12; turn++) {
        bool moved = false;
        for (int32_t from = 0; from < CellCount && !moved; from++) {
            if (Game.board[from] == EmptyCell) {
                continue;
            }
            SelectBall(from % 9, from / 9);
            for (int32_t to = CellCount - 1; to >= 0 && !moved; to--) {
                if (Game.board[to] == EmptyCell && FindPath(to % 9, to / 9)) {
                    ClickCell(from % 9, from / 9);
                    ClickCell(to % 9, to / 9);
                    moved = true;
                }
            }
        }
        for (int8_t cell : Game.board) {
            boards += static_cast<char>('A' + cell);
        }
    }
    return boards;
}

TEST(SavedGame, RestoredGameGoesOnWithTheSameSpawns) {
    FreshStart();
    LoadSettings();
    Game.mode = Groups;
    PlayFixedMoves();
    Game.score = 4321;
    GameState before = Game;
    SaveSettings();
    std::string first = ProfileValue(Ini, "GAME", "SaveData1");
    ASSERT_EQ(first.size(), 106u);
    EXPECT_EQ(first.find_first_not_of("ABCDEFGHIJKLMNOP"), std::string::npos);
    std::string expected = PlayFixedMoves();

    std::memset(&Game, 0, sizeof Game);
    NewGame();
    LoadSettings();
    EXPECT_EQ(Game.mode, Groups);
    EXPECT_EQ(Game.score, 4321);
    EXPECT_EQ(Game.randomState, before.randomState);
    EXPECT_EQ(std::memcmp(Game.board, before.board, sizeof Game.board), 0);
    EXPECT_EQ(std::memcmp(Game.nextBalls, before.nextBalls, sizeof Game.nextBalls), 0);
    EXPECT_FALSE(Game.ballSelected);
    EXPECT_EQ(PlayFixedMoves(), expected);
}

TEST(SavedGame, AnyChangedLetterOrShortStringFailsTheCheck) {
    SavedGame game;
    FreshStart();
    ASSERT_TRUE(DecodeSavedGame(FirstGameData1, FirstGameData2, &game));
    EXPECT_EQ(game.randomState, 1253u);
    for (int32_t which = 0; which < 2; which++) {
        for (size_t i = 0; i < SavedRecordSize; i++) {
            for (char letter = 'A'; letter <= 'P'; letter++) {
                std::string strings[2] = {FirstGameData1, FirstGameData2};
                if (strings[which][i] == letter) {
                    continue;
                }
                strings[which][i] = letter;
                ASSERT_FALSE(DecodeSavedGame(strings[0].c_str(), strings[1].c_str(), &game))
                    << which << " " << i << " " << letter;
            }
        }
    }
    std::string cut = std::string(FirstGameData1).substr(0, 105);
    EXPECT_FALSE(DecodeSavedGame(cut.c_str(), FirstGameData2, &game));
    EXPECT_FALSE(DecodeSavedGame("-", FirstGameData2, &game));
    EXPECT_FALSE(DecodeSavedGame(FirstGameData1, "-", &game));
    std::string longer = std::string(FirstGameData1) + "XYZ"; // only 106 characters are read
    EXPECT_TRUE(DecodeSavedGame(longer.c_str(), FirstGameData2, &game));
}

TEST(SavedGame, RecordsThatPassTheCheckButBreakTheRulesAreRefused) {
    FreshStart();
    SavedGame sound;
    ASSERT_TRUE(DecodeSavedGame(FirstGameData1, FirstGameData2, &sound));
    auto refuses = [&](void (*spoil)(SavedGame&)) {
        SavedGame game = sound;
        spoil(game);
        char first[SavedTextBufferSize];
        char second[SavedTextBufferSize];
        EncodeSavedGame(game, first, second);
        SavedGame decoded;
        return !DecodeSavedGame(first, second, &decoded);
    };
    EXPECT_FALSE(refuses([](SavedGame&) {}));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.mode = 3; }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.mode = -1; }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.score = -1; }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.board[40] = 7; }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.board[40] = -2; }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.nextBalls[1].column = 9; }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.nextBalls[2].row = -1; }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.nextBalls[0].colour = 7; }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.nextBalls[0] = {3, 0, 1}; })); // on a ball
    EXPECT_TRUE(refuses([](SavedGame& g) { g.nextBalls[2] = g.nextBalls[0]; }));

    // such a record leaves the dealt game and the clock seed
    SavedGame bad = sound;
    bad.mode = 7;
    char first[SavedTextBufferSize];
    char second[SavedTextBufferSize];
    EncodeSavedGame(bad, first, second);
    SetProfileValue(Ini, "GAME", "SaveData1", first);
    SetProfileValue(Ini, "GAME", "SaveData2", second);
    ScriptUtcTime(1, 2, 3, 4);
    LoadSettings();
    EXPECT_EQ(Game.mode, Lines);
    EXPECT_EQ(Game.randomState, 9u);
    ScriptUtcTime(2, 1, 3, 4); // another time with the same seed
    LoadSettings();
    EXPECT_EQ(Game.randomState, 9u);
}

TEST(Leaders, QualifyInsertAndShift) {
    FreshStart();
    Game.score = 100;
    EXPECT_FALSE(LeaderQualifies());
    Game.score = 101;
    EXPECT_TRUE(LeaderQualifies());
    std::strcpy(LastLeaderName, "Ann");
    Game.score = 250;
    InsertLeader();
    std::strcpy(LastLeaderName, "");
    InsertLeader(); // an equal score goes below
    std::strcpy(LastLeaderName, "Eightchr");
    Game.score = 123456; // keeps its rank at the top as 99999
    InsertLeader();
    EXPECT_STREQ(LeaderLineAt(0), "Eightchr 99999");
    EXPECT_STREQ(LeaderLineAt(1), "Ann      00250");
    EXPECT_STREQ(LeaderLineAt(2), "         00250");
    EXPECT_STREQ(LeaderLineAt(3), DefaultLeaderLine);
    EXPECT_STREQ(LeaderLineAt(9), DefaultLeaderLine);
    Game.score = 99999;
    InsertLeader();
    EXPECT_STREQ(LeaderLineAt(1), "Eightchr 99999");
    EXPECT_STREQ(LeaderTables[Squares][0], DefaultLeaderLine); // other modes untouched
    EXPECT_STREQ(LeaderTables[Groups][0], DefaultLeaderLine);
}

TEST(Leaders, HexDigitsAndCheckValue) {
    EXPECT_EQ(HexDigit(0), '0');
    EXPECT_EQ(HexDigit(9), '9');
    EXPECT_EQ(HexDigit(10), 'A');
    EXPECT_EQ(HexDigit(15), 'F');
    EXPECT_EQ(HexValue('7'), 7);
    EXPECT_EQ(HexValue('F'), 15);
    EXPECT_EQ(HexValue('a'), 42);
    EXPECT_EQ(HexValue('\x80'), -176); // a signed byte, below 'A'

    uint8_t block[LeaderBlockSize] = {};
    block[1] = 1;
    EXPECT_EQ(LeaderCheckValue(block), -5);
    FreshStart();
    LoadSettings();
    std::memset(LeaderTables, 0, sizeof LeaderTables);
    reinterpret_cast<uint8_t*>(LeaderTables)[1] = 1;
    SaveLeaderTables();
    EXPECT_EQ(ProfileValue(Ini, "LEADERS", "CRC"), "-5");
    int32_t read = 0;
    ReadSettingInt("LEADERS", "CRC", &read, 0);
    EXPECT_EQ(read, -5);
}

TEST(Leaders, StoredTablesComeBackAndAnyChangedDigitResetsThem) {
    FreshStart();
    LoadSettings();
    std::strcpy(LastLeaderName, "Zed");
    Game.mode = Squares;
    Game.score = 777;
    InsertLeader();
    SaveSettings();
    std::string data = ProfileValue(Ini, "LEADERS", "Data");
    int32_t check = std::stoi(ProfileValue(Ini, "LEADERS", "CRC"));
    ASSERT_EQ(data.size(), 900u);
    EXPECT_EQ(data.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    for (size_t zero = 28; zero < 900; zero += 30) {
        EXPECT_EQ(data.substr(zero, 2), "00");
    }
    ResetLeaderTables();
    LoadSettings();
    EXPECT_STREQ(LeaderTables[Squares][0], "Zed      00777");

    const char digits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < data.size(); i++) {
        for (const char* digit = digits; *digit; digit++) {
            if (data[i] == *digit) {
                continue;
            }
            std::string changed = data;
            changed[i] = *digit;
            ASSERT_FALSE(DecodeLeaderTables(changed.c_str(), check)) << i << *digit;
        }
    }
    EXPECT_STREQ(LeaderTables[Squares][0], DefaultLeaderLine);
    EXPECT_FALSE(DecodeLeaderTables(data.substr(0, 899).c_str(), check));
    EXPECT_TRUE(DecodeLeaderTables((data + "FF").c_str(), check)); // only 900 are read
}

TEST(Leaders, TablesThatPassTheCheckButAreMalformedAreReset) {
    auto accepted = [](void (*spoil)(LeaderTable*)) {
        ResetLeaderTables();
        spoil(LeaderTables);
        char data[LeaderDataLength + 1];
        int32_t check = EncodeLeaderTables(data);
        return DecodeLeaderTables(data, check);
    };
    EXPECT_TRUE(accepted([](LeaderTable*) {}));
    EXPECT_FALSE(accepted([](LeaderTable* t) { t[1][3][14] = 'X'; }));   // no terminating zero
    EXPECT_FALSE(accepted([](LeaderTable* t) { t[0][0][11] = 'x'; }));   // not a digit
    EXPECT_FALSE(accepted([](LeaderTable* t) { t[0][0][9] = ' '; }));    // four digits
    EXPECT_TRUE(accepted([](LeaderTable* t) { t[2][9][13] = '1'; }));    // out of order
    EXPECT_FALSE(accepted([](LeaderTable* t) { t[2][4][2] = '\x07'; })); // unprintable name
    EXPECT_STREQ(LeaderTables[2][4], DefaultLeaderLine);
    EXPECT_TRUE(accepted([](LeaderTable* t) { t[2][0][13] = '5'; })); // a better first line
}

} // namespace
