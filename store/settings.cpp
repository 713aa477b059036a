#include "store/settings.h"

#include "store/daily.h"
#include "store/leaders.h"
#include "store/savegame.h"

// Zero until LoadSettings or ResetSettings give them their values.
int32_t PosX;
int32_t PosY;
int32_t FullScreen;
int32_t AnimationSpeed;
int32_t SoundEnabled[SoundSlotCount];
char Skin[PathBufferSize];
char SoundFile[SoundSlotCount][SoundFileBufferSize];

const SoundSlotInfo SoundSlots[SoundSlotCount] = {
    {"SelectedBall", "jump.wav"},
    {"ShapeComplete", "cantmove.wav"},
    {"BallMovement", "move.wav"},
    {"WrongMove", "destroy.wav"},
};

// Each value with the one a first start has for its missing key: with no path, every value
// takes that one.
static void ReadSettingValues() {
    ReadSettingInt("WINDOW", "PosX", &PosX, 0);
    ReadSettingInt("WINDOW", "PosY", &PosY, 0);
    ReadSettingInt("WINDOW", "FullScreen", &FullScreen, 0);
    ReadSettingString("GAME", "LastLeaderName", LastLeaderName, "", sizeof LastLeaderName);
    ReadSettingInt("OPTIONS", "AnimationSpeed", &AnimationSpeed, DefaultAnimationSpeed);
    if (AnimationSpeed < 1) {
        AnimationSpeed = DefaultAnimationSpeed;
    }
    for (int32_t slot = 0; slot < SoundSlotCount; slot++) {
        ReadSettingInt("OPTIONS", SoundSlots[slot].key, &SoundEnabled[slot], 1);
    }
    ReadSettingString("OPTIONS", "Skin", Skin, DefaultSkin, sizeof Skin);
    for (int32_t slot = 0; slot < SoundSlotCount; slot++) {
        ReadSettingString("SOUND", SoundSlots[slot].key, SoundFile[slot],
                          SoundSlots[slot].defaultFile, SoundFileBufferSize);
    }
}

void ResetSettings() {
    SettingsPath[0] = '\0';
    ReadSettingValues();
}

void LoadSettings() {
    FormSettingsPath();
    ReadSettingValues();
    bool restored = LoadSavedGame();
    LoadLeaderTables();
    LoadDailyResults(restored);
}

static void WriteEverySetting() {
    char name[LeaderNameBufferSize + 2];
    QuoteIfNeeded(LastLeaderName, name, sizeof name);
    WriteSettingInt("WINDOW", "PosX", PosX);
    WriteSettingInt("WINDOW", "PosY", PosY);
    WriteSettingInt("WINDOW", "FullScreen", FullScreen);
    WriteSettingString("GAME", "LastLeaderName", name);
    SaveGame();
    WriteSettingInt("OPTIONS", "AnimationSpeed", AnimationSpeed);
    for (int32_t slot = 0; slot < SoundSlotCount; slot++) {
        WriteSettingInt("OPTIONS", SoundSlots[slot].key, SoundEnabled[slot]);
    }
    WriteSettingString("OPTIONS", "Skin", Skin);
    for (int32_t slot = 0; slot < SoundSlotCount; slot++) {
        WriteSettingString("SOUND", SoundSlots[slot].key, SoundFile[slot]);
    }
    SaveLeaderTables();
    SaveDailyResults();
}

// Writes every key at every exit, changed or not, where LoadSettings read them: the current
// directory may have changed since. Before LoadSettings there is nothing to write.
bool SaveSettings() {
    return SaveProfileWhole(WriteEverySetting);
}
