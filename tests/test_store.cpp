#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "game/turn.h"
#include "shell/platform.h"
#include "store/leaders.h"
#include "store/profile_memory.h"
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
    PosX = PosY = FullScreen = AnimationSpeed = SoundEnabled[3] = 9; // none of it is kept
    std::strcpy(LastLeaderName, "Old");
    std::strcpy(Skin, "old.png");
    std::strcpy(SoundFile[3], "old.wav");
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
    SetProfileValue(Ini, "WINDOW", "PosY", "33");
    SetProfileValue(Ini, "OPTIONS", "ShapeComplete", "0");
    SetProfileValue(Ini, "OPTIONS", "SelectedBall", "0");
    SetProfileValue(Ini, "OPTIONS", "WrongMove", "5");
    SetProfileValue(Ini, "OPTIONS", "Skin", std::string(300, 's'));
    SetProfileValue(Ini, "GAME", "LastLeaderName", std::string(40, 'n'));
    SetProfileValue(Ini, "SOUND", "BallMovement", std::string(1500, 'w'));
    SetProfileValue(Ini, "SOUND", "SelectedBall", "a.wav");
    SetProfileValue(Ini, "WINDOW", "FullScreen", "1");
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
    EXPECT_EQ(PosY, 33);
    EXPECT_EQ(std::string(Skin), std::string(259, 's'));
    EXPECT_EQ(std::string(LastLeaderName), std::string(29, 'n'));
    EXPECT_EQ(std::string(SoundFile[2]), std::string(1023, 'w'));
    EXPECT_STREQ(SoundFile[1], "cantmove.wav");
    EXPECT_STREQ(SoundFile[0], "a.wav");
    EXPECT_EQ(FullScreen, 1);
    EXPECT_EQ(SoundEnabled[0], 0);
    EXPECT_EQ(SoundEnabled[1], 0);
    EXPECT_EQ(SoundEnabled[2], 1);
    EXPECT_EQ(SoundEnabled[3], 5); // any nonzero value is on, kept as read

    for (int32_t value : {-7, 0, 2147483647, -2147483647 - 1}) {
        WriteSettingInt("LEADERS", "CRC", value);
        int32_t read = 1;
        ReadSettingInt("LEADERS", "CRC", &read, 0);
        EXPECT_EQ(read, value);
    }
    PosX = 12;
    PosY = -3;
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileValue(Ini, "WINDOW", "PosX"), "12");
    EXPECT_EQ(ProfileValue(Ini, "WINDOW", "PosY"), "-3");
}

// The reader drops blanks and one pair of quotes around a value: a name that has them is
// stored in quotes, an ordinary one as it is.
TEST(Settings, LeaderNamesReadBackAsTheyWere) {
    FreshStart();
    LoadSettings();
    const struct {
        const char* name;
        const char* stored;
    } names[] = {{" Ann ", "\" Ann \""}, {" Ann", "\" Ann\""},
                 {"Ann ", "\"Ann \""},   {" ", "\" \""},
                 {"'x'", "\"'x'\""},     {"''", "\"''\""},
                 {"\"q\"", "\"\"q\"\""}, {"Jo Doe", "Jo Doe"},
                 {"\"a", "\"a"},         {"", ""}};
    for (const auto& n : names) {
        std::strcpy(LastLeaderName, n.name);
        ASSERT_TRUE(SaveSettings());
        EXPECT_NE(ProfileText(Ini).find("LastLeaderName=" + std::string(n.stored) + "\n"),
                  std::string::npos)
            << n.name;
        std::strcpy(LastLeaderName, "?");
        LoadSettings();
        EXPECT_STREQ(LastLeaderName, n.name);
    }
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

    for (std::string folder : {std::string(""), std::string(900, 'f')}) { // none, or too long
        FreshStart();
        LoadSettings(); // a path formed before is not kept
        ScriptCurrentDirectory(folder.c_str());
        LoadSettings();
        EXPECT_STREQ(SettingsPath, "") << folder.size();
    }
    // 248 + "\brimzo.ini" fill the 259 characters of the path, counted as Windows counts them
    // whatever UTF-8 takes for them: two bytes for a Cyrillic letter, four for a die, which
    // Windows counts as two characters. One more does not fit, and the player is to be told.
    for (size_t length : {248u, 249u}) {
        FreshStart();
        std::string folder = "C:\\\xF0\x9F\x8E\xB2";
        for (size_t letter = 5; letter < length; letter++) {
            folder += "\xD0\xB4";
        }
        ScriptCurrentDirectory(folder.c_str());
        std::string path = folder + "\\brimzo.ini";
        SetProfileValue(path, "OPTIONS", "AnimationSpeed", "7");
        LoadSettings();
        bool fits = length == 248u;
        EXPECT_EQ(AnimationSpeed, fits ? 7 : 100) << length;
        EXPECT_EQ(std::string(SettingsPath), fits ? path : "") << length;
        EXPECT_EQ(UnkeptSettingsMessage() == nullptr, fits) << length;
        AnimationSpeed = 55;
        EXPECT_TRUE(SaveSettings()); // nothing to save is no failure to tell, nor a file to make
        EXPECT_EQ(ProfileFileText("", nullptr, 0), -1);
        EXPECT_EQ(ProfileValue(path, "OPTIONS", "AnimationSpeed"), fits ? "55" : "7");
    }
}

// A save writes a copy and puts it in place at once: the keys of others survive, and a save
// that cannot be written whole leaves the file of the last run as it was.
TEST(Settings, SaveLandsWholeOrNotAtAll) {
    FreshStart();
    SetProfileValue(Ini, "OTHER", "Kept", "yes");
    const std::string replacement = "C:\\games\\brimzo.tmp";
    SetProfileValue(replacement, "STALE", "Left", "by a run that was killed");
    LoadSettings();
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileValue(Ini, "OTHER", "Kept"), "yes");
    EXPECT_EQ(ProfileValue(Ini, "WINDOW", "PosX"), "0");
    EXPECT_EQ(ProfileValue(Ini, "STALE", "Left"), "(missing)");
    EXPECT_EQ(ProfileFileText(replacement.c_str(), nullptr, 0), -1);

    std::string junk(ProfileTextCapacity - 1000, 'j');
    std::string full = "[OTHER]\r\nJunk=" + junk + "\r\n";
    ASSERT_TRUE(SetProfileFileText(Ini.c_str(), full.c_str(), static_cast<int32_t>(full.size())));
    PosX = 99;
    EXPECT_FALSE(SaveSettings()); // the disk is full before the last key
    EXPECT_TRUE(ProfileText(Ini) == "[OTHER]\nJunk=" + junk + "\n");
    EXPECT_EQ(ProfileFileText(replacement.c_str(), nullptr, 0), -1);
    EXPECT_STREQ(UnsavedSettingsMessage(),
                 "Unable to save the settings file C:\\games\\brimzo.ini: the disk is full. The "
                 "options, the game and the leaders of this run are lost!");

    FreshStart(); // what the reader drops around a value is no difference when read back
    LoadSettings();
    std::strcpy(Skin, " spaced.png ");
    std::strcpy(LastLeaderName, "'Al'");
    EXPECT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileValue(Ini, "OPTIONS", "Skin"), "spaced.png");

    // a value that does not read back as it was written, as a line break makes it, keeps the
    // file of the last save: here it would have put a key of its own into the file
    std::string before = ProfileText(Ini);
    std::strcpy(SoundFile[1], "evil.wav\r\nCRC=0");
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(ProfileText(Ini), before);
    EXPECT_STREQ(UnsavedSettingsMessage(), // with room on the disk, the copy is to blame
                 "Unable to save the settings file C:\\games\\brimzo.ini: its copy "
                 "C:\\games\\brimzo.tmp could not be written whole. The options, the game and "
                 "the leaders of this run are lost!");
}

// A player who made the file read-only wants it kept: it is left alone, and the player told.
TEST(Settings, AReadOnlyFileIsLeftAsItIs) {
    FreshStart();
    SetProfileValue(Ini, "WINDOW", "PosX", "7");
    ASSERT_TRUE(SetProfileFileReadOnly(Ini.c_str(), true));
    LoadSettings();
    EXPECT_EQ(PosX, 7);
    PosX = 8;
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(ProfileText(Ini), "[WINDOW]\nPosX=7\n");
    EXPECT_EQ(ProfileFileText("C:\\games\\brimzo.tmp", nullptr, 0), -1); // no copy made
    EXPECT_STREQ(UnsavedSettingsMessage(),
                 "The settings file C:\\games\\brimzo.ini is read-only: the options, the game "
                 "and the leaders of this run were not saved.");
    ASSERT_TRUE(SetProfileFileReadOnly(Ini.c_str(), false));
    EXPECT_TRUE(SaveSettings());
    EXPECT_EQ(ProfileValue(Ini, "WINDOW", "PosX"), "8");
}

// The text the Windows program leaves, with what a player may have added by hand.
TEST(Settings, ProfileTextIsReadAndWrittenAsWindowsDoes) {
    FreshStart();
    const std::string text = "; kept\r\n[window]\r\n  PosX =  -12  \r\n\r\nFlag\r\n[broken\r\n"
                             "FullScreen=1\r\n[Extra]\r\nQuoted='a b'\r\nTwo=\"\"\r\nOne=\"\r\n"
                             "[WINDOW]\r\nPosY=5\r\n";
    ASSERT_TRUE(SetProfileFileText(Ini.c_str(), text.c_str(), static_cast<int32_t>(text.size())));
    EXPECT_EQ(ProfileValue(Ini, "WINDOW", "posx"), "-12");
    EXPECT_EQ(ProfileValue(Ini, "WINDOW", "QosX"), "(missing)");
    EXPECT_EQ(ProfileValue(Ini, "WINDOW", "FullScreen"), "1");   // "[broken" opens no section
    EXPECT_EQ(ProfileValue(Ini, "WINDOW", "PosY"), "(missing)"); // only the first section counts
    EXPECT_EQ(ProfileValue(Ini, "EXTRA", "Quoted"), "a b");
    EXPECT_EQ(ProfileValue(Ini, "Extra", "Two"), "");
    EXPECT_EQ(ProfileValue(Ini, "Extra", "One"), "\"");
    EXPECT_EQ(ProfileValue(Ini, "Window", "Flag"), "(missing)");
    char cut[4];
    ReadProfileText("Extra", "Quoted", "", cut, sizeof cut, Ini.c_str());
    EXPECT_STREQ(cut, "a b"); // cut before its closing quote: the quote is not taken as text
    SetProfileValue(Ini, "Window", "posx", "  3");
    SetProfileValue(Ini, "WINDOW", "Left", "1");
    SetProfileValue(Ini, "GAME", "Name", "Zed");
    EXPECT_EQ(ProfileText(Ini), "; kept\n[window]\nPosX=3\nFlag\n[broken\nFullScreen=1\nLeft=1\n"
                                "[Extra]\nQuoted='a b'\nTwo=\"\"\nOne=\"\n[WINDOW]\nPosY=5\n"
                                "[GAME]\nName=Zed\n");
    char start[10];
    std::string lines = ProfileText(Ini); // the text's length, CR LF line ends counted
    EXPECT_EQ(ProfileFileText(Ini.c_str(), start, sizeof start),
              static_cast<int32_t>(lines.size()) +
                  static_cast<int32_t>(std::count(lines.begin(), lines.end(), '\n')));
    EXPECT_STREQ(start, "; kept\r\n[");

    const struct {
        const char* value;
        int32_t read;
    } numbers[] = {{"-12", -12}, {"0x1F", 31},  {"0o17", 15}, {"0b101", 5}, {"07", 7}, {"7a", 7},
                   {"5x", 5},    {"\" 7\"", 7}, {"", -4},     {"x", 0},     {"1-2", 1}};
    for (const auto& n : numbers) {
        SetProfileValue(Ini, "N", "Number", n.value);
        EXPECT_EQ(ReadProfileInt("N", "Number", -4, Ini.c_str()), n.read) << n.value;
    }
}

// A write that does not fit, wherever it runs out of room, changes nothing; a text of the
// whole capacity fits, and a file made by a write holds just that key.
TEST(Settings, ProfileFilesKeepToTheirCapacity) {
    FreshStart();
    ASSERT_TRUE(WriteProfileText("S", "k", "v", "new.ini"));
    EXPECT_EQ(ProfileText("new.ini"), "[S]\nk=v\n");
    const std::string head = "[A]\r\nJ=";
    const std::string tail = "\r\n[B]\r\nk=v\r\n";
    std::string exact = head + std::string(ProfileTextCapacity - head.size() - tail.size(), 'j');
    exact += tail;
    ASSERT_TRUE(SetProfileFileText("big.ini", exact.c_str(), ProfileTextCapacity));
    ASSERT_FALSE(SetProfileFileText("big.ini", exact.c_str(), ProfileTextCapacity + 1));
    char ten[10]; // a text as long as the buffer loses its last byte to the zero
    ASSERT_TRUE(SetProfileFileText("ten.ini", "0123456789", 10));
    EXPECT_EQ(ProfileFileText("ten.ini", ten, sizeof ten), 10);
    EXPECT_STREQ(ten, "012345678");
    for (size_t room = 0; room <= 60; room++) {
        std::string before = exact.substr(0, head.size()) + exact.substr(head.size() + 60 - room);
        SetProfileFileText("big.ini", before.c_str(), static_cast<int32_t>(before.size()));
        const char* writes[][2] = {{"B", "k"}, {"B", "new"}, {"A", "new"}, {"C", "new"}};
        for (const auto& write : writes) {
            bool written = WriteProfileText(write[0], write[1], "value", "big.ini");
            char after[ProfileTextCapacity + 1];
            ProfileFileText("big.ini", after, sizeof after);
            if (written) {
                EXPECT_EQ(ProfileValue("big.ini", write[0], write[1]), "value") << room;
            } else {
                EXPECT_TRUE(after == before) << room << write[0] << write[1];
            }
            SetProfileFileText("big.ini", before.c_str(), static_cast<int32_t>(before.size()));
        }
    }
}

// What the browser and the save rely on beyond reading and writing keys: a last line without
// its line end, a ']' in a value, paths too long to keep, copies and replacements of files
// that are missing, and a buffer with no room.
TEST(Settings, ProfileFilesAtTheirEdges) {
    FreshStart();
    const std::string text = "[A]\r\nk=x]y\r\n[B]\r\nj=v";
    ASSERT_TRUE(SetProfileFileText("a.ini", text.c_str(), static_cast<int32_t>(text.size())));
    EXPECT_EQ(ProfileValue("a.ini", "A", "k"), "x]y");
    EXPECT_EQ(ProfileValue("a.ini", "B", "j"), "v");
    EXPECT_EQ(ProfileValue("a.ini", "A", "kk"), "(missing)");
    EXPECT_EQ(ProfileValue("a.ini", "B", "x"), "(missing)"); // read to the end of the text
    std::string far(1100, 'p');
    EXPECT_FALSE(SetProfileFileText(far.c_str(), "[A]", 3));
    EXPECT_FALSE(WriteProfileText("A", "k", "v", far.c_str()));
    EXPECT_EQ(ProfileFileText(far.c_str(), nullptr, 0), -1);

    EXPECT_TRUE(CopyProfileFile("missing.ini", "copy.ini")); // a missing file copies as empty
    EXPECT_EQ(ProfileFileText("copy.ini", nullptr, 0), 0);
    EXPECT_EQ(ProfileFileText("missing.ini", nullptr, 0), -1);
    EXPECT_FALSE(ReplaceProfileFile("missing.ini", "a.ini"));
    EXPECT_EQ(ProfileValue("a.ini", "B", "j"), "v");
    EXPECT_FALSE(ReplaceProfileFile("copy.ini", far.c_str())); // the copy goes all the same
    EXPECT_EQ(ProfileFileText("copy.ini", nullptr, 0), -1);
    EXPECT_TRUE(ReplaceProfileFile("a.ini", "b.ini"));
    EXPECT_EQ(ProfileFileText("a.ini", nullptr, 0), -1);
    EXPECT_EQ(ProfileValue("b.ini", "A", "k"), "x]y");

    char none[1] = {'n'};
    ReadProfileText("A", "k", "fallback", none, 0, "b.ini");
    EXPECT_EQ(none[0], 'n');

    char quoted[8];
    const char blankBefore[] = " "; // what lies before a text is not part of it
    QuoteIfNeeded(blankBefore + 1, quoted, sizeof quoted);
    EXPECT_STREQ(quoted, "");
    QuoteIfNeeded("\"", quoted, sizeof quoted);
    EXPECT_STREQ(quoted, "\"");
}

// The generator's state comes back with the game, so it goes on with the same spawns.
TEST(SavedGame, RestoredGameIsTheGameThatWasSaved) {
    FreshStart();
    LoadSettings();
    Game.mode = Groups;
    Game.score = 4321;
    Game.randomState = 987654321u;
    Game.board[CellIndex(2, 7)] = 6;
    Game.nextBalls[0] = {8, 8, 3};
    GameState before = Game;
    SaveSettings();
    std::string first = ProfileValue(Ini, "GAME", "SaveData1");
    ASSERT_EQ(first.size(), 106u);
    EXPECT_EQ(first.find_first_not_of("ABCDEFGHIJKLMNOP"), std::string::npos);

    std::memset(&Game, 0, sizeof Game);
    NewGame();
    LoadSettings();
    EXPECT_EQ(Game.mode, Groups);
    EXPECT_EQ(Game.score, 4321);
    EXPECT_EQ(Game.randomState, 987654321u);
    EXPECT_EQ(std::memcmp(Game.board, before.board, sizeof Game.board), 0);
    EXPECT_EQ(std::memcmp(Game.nextBalls, before.nextBalls, sizeof Game.nextBalls), 0);
    EXPECT_FALSE(Game.ballSelected);
}

TEST(SavedGame, AChangedLetterOrAShortStringFailsTheCheck) {
    SavedGame game;
    FreshStart();
    ASSERT_TRUE(DecodeSavedGame(FirstGameData1, FirstGameData2, &game));
    EXPECT_EQ(game.randomState, 1253u);
    const struct {
        int which;
        size_t at;
        char letter;
    } changes[] = {{0, 0, 'N'},   {1, 5, 'P'},   {0, 60, 'A'},
                   {1, 101, 'B'}, {0, 104, 'O'}, {1, 105, 'A'}};
    for (const auto& change : changes) {
        std::string strings[2] = {FirstGameData1, FirstGameData2};
        ASSERT_NE(strings[change.which][change.at], change.letter);
        strings[change.which][change.at] = change.letter;
        EXPECT_FALSE(DecodeSavedGame(strings[0].c_str(), strings[1].c_str(), &game))
            << change.which << " " << change.at;
    }
    std::string cut = std::string(FirstGameData1).substr(0, 105);
    EXPECT_FALSE(DecodeSavedGame(cut.c_str(), FirstGameData2, &game));
    cut = std::string(FirstGameData2).substr(0, 105);
    EXPECT_FALSE(DecodeSavedGame(FirstGameData1, cut.c_str(), &game));
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
    EXPECT_FALSE(refuses([](SavedGame& g) { g.nextBalls[0] = {0, 1, 0}; })); // column 0, colour 0
    EXPECT_FALSE(refuses([](SavedGame& g) { g.nextBalls[0] = {1, 0, 6}; })); // row 0, colour 6
    EXPECT_FALSE(refuses([](SavedGame& g) {                                  // two in one column
        g.board[CellIndex(0, 1)] = g.board[CellIndex(0, 2)] = EmptyCell;
        g.nextBalls[0] = {0, 1, 0};
        g.nextBalls[1] = {0, 2, 0};
    }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.nextBalls[0].column = -1; }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.nextBalls[0].row = 9; }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.nextBalls[0].colour = -1; }));
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
    EXPECT_TRUE(refuses([](SavedGame& g) { g.nextBalls[1] = g.nextBalls[0]; }));
    EXPECT_TRUE(refuses([](SavedGame& g) { g.nextBalls[2] = g.nextBalls[1]; }));

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
    Game.score = 50; // below every line: nothing changes
    InsertLeader();
    EXPECT_STREQ(LeaderLineAt(9), DefaultLeaderLine);
    EXPECT_STREQ(LeaderTables[Squares][0], DefaultLeaderLine);
    std::memcpy(LeaderTables[Lines][8], "Nine     00090", LeaderLineLength);
    std::memcpy(LeaderTables[Lines][9], "Ten      00080", LeaderLineLength);
    Game.score = 99999;
    InsertLeader();
    EXPECT_STREQ(LeaderLineAt(1), "Eightchr 99999");
    EXPECT_STREQ(LeaderLineAt(9), "Nine     00090");           // the tenth line drops out
    EXPECT_STREQ(LeaderTables[Squares][0], DefaultLeaderLine); // other modes untouched
    EXPECT_STREQ(LeaderTables[Groups][0], DefaultLeaderLine);

    std::strcpy(LeaderTables[Lines][8], "Eight    00200"); // the tenth line is what counts
    Game.score = 150;
    EXPECT_TRUE(LeaderQualifies());
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
    EXPECT_EQ(data.substr(300, 6), "5A6564"); // "Zed" where the table of Squares starts
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
    ASSERT_TRUE(DecodeLeaderTables(data.c_str(), check));
    EXPECT_FALSE(DecodeLeaderTables(data.substr(0, 899).c_str(), check));
    EXPECT_STREQ(LeaderTables[Squares][0], DefaultLeaderLine);
    EXPECT_TRUE(DecodeLeaderTables((data + "FF").c_str(), check)); // only 900 are read
}

// A table is reset, alone, only for what drawing and ranking cannot take; an order that a
// six-digit score once left behind is kept.
TEST(Leaders, OnlyAMalformedTableIsReset) {
    auto decoded = [](void (*spoil)(LeaderTable*)) {
        ResetLeaderTables();
        for (LeaderTable& table : LeaderTables) {
            std::memcpy(table[0], "Kept     00500", LeaderLineLength); // unlike a reset one
        }
        spoil(LeaderTables);
        char data[LeaderDataLength + 1];
        int32_t check = EncodeLeaderTables(data);
        LeaderTable stored[LeaderModeCount];
        std::memcpy(stored, LeaderTables, sizeof stored);
        bool all = DecodeLeaderTables(data, check);
        std::string kept;
        for (int32_t mode = 0; mode < LeaderModeCount; mode++) {
            kept +=
                std::memcmp(stored[mode], LeaderTables[mode], sizeof stored[mode]) == 0 ? 'k' : 'r';
        }
        return (all ? "all " : "some ") + kept;
    };
    EXPECT_EQ(decoded([](LeaderTable*) {}), "all kkk");
    EXPECT_EQ(decoded([](LeaderTable* t) {
                  std::memcpy(t[0][1], "Six      23456", 14); // 123456 by its low digits
                  std::memcpy(t[0][2], "Five     50000", 14);
                  std::memcpy(t[0][3], "Nines    99990", 14);
              }),
              "all kkk");
    EXPECT_EQ(decoded([](LeaderTable* t) { t[0][3][0] = '\x1F'; }), "some rkk"); // unprintable
    EXPECT_EQ(decoded([](LeaderTable* t) { t[1][3][14] = 'X'; }), "some krk");   // no zero
    EXPECT_EQ(decoded([](LeaderTable* t) { t[0][0][11] = 'x'; }), "some rkk");   // not a digit
    EXPECT_EQ(decoded([](LeaderTable* t) { t[2][0][9] = ' '; }), "some kkr");    // four digits
    EXPECT_EQ(decoded([](LeaderTable* t) { t[2][4][2] = '\x07'; }), "some kkr"); // unprintable
    EXPECT_EQ(decoded([](LeaderTable* t) { t[2][4][2] = '\x80'; }), "some kkr");
    EXPECT_EQ(decoded([](LeaderTable* t) { t[1][5][8] = 'x'; }), "some krk");    // no separator
    EXPECT_EQ(decoded([](LeaderTable* t) { t[0][6][7] = '\x1F'; }), "some rkk"); // last of name
    EXPECT_EQ(decoded([](LeaderTable* t) { t[1][2][13] = ':'; }), "some krk");   // last digit
    EXPECT_EQ(decoded([](LeaderTable* t) { t[2][2][9] = ':'; }), "some kkr");    // first digit
    EXPECT_EQ(decoded([](LeaderTable* t) { t[1][5][7] = '\x7F'; }), "all kkk");
    EXPECT_STREQ(LeaderTables[1][5], "Brimzo!\x7F 00100");
}

} // namespace
