#include "store/settings.h"

#include <cstdio>

#include "store/leaders.h"
#include "store/savegame.h"

// The values a first start has before anything is read.
int32_t PosX = 0;
int32_t PosY = 0;
int32_t FullScreen = 0;
int32_t AnimationSpeed = DefaultAnimationSpeed;
int32_t SoundEnabled[SoundSlotCount] = {1, 1, 1, 1};
char Skin[PathBufferSize] = "brimzo.png";
char SoundFile[SoundSlotCount][SoundFileBufferSize] = {"jump.wav", "cantmove.wav", "move.wav",
                                                       "destroy.wav"};

const SoundSlotInfo SoundSlots[SoundSlotCount] = {
    {"SelectedBall", "jump.wav"},
    {"ShapeComplete", "cantmove.wav"},
    {"BallMovement", "move.wav"},
    {"WrongMove", "destroy.wav"},
};

void ResetSettings() {
    PosX = 0;
    PosY = 0;
    FullScreen = 0;
    LastLeaderName[0] = '\0';
    AnimationSpeed = DefaultAnimationSpeed;
    for (int32_t slot = 0; slot < SoundSlotCount; slot++) {
        SoundEnabled[slot] = 1;
        std::snprintf(SoundFile[slot], SoundFileBufferSize, "%s", SoundSlots[slot].defaultFile);
    }
    std::snprintf(Skin, sizeof Skin, "%s", DefaultSkin);
}

void LoadSettings() {
    FormSettingsPath();
    ReadSettingInt("WINDOW", "PosX", &PosX, 0);
    ReadSettingInt("WINDOW", "PosY", &PosY, 0);
    ReadSettingInt("WINDOW", "FullScreen", &FullScreen, 0);
    ReadSettingString("GAME", "LastLeaderName", LastLeaderName, "", sizeof LastLeaderName);
    LoadSavedGame();
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
    LoadLeaderTables();
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
}

// Writes every key at every exit, changed or not, where LoadSettings read them: the current
// directory may have changed since. Before LoadSettings there is nothing to write.
bool SaveSettings() {
    return SaveProfileWhole(WriteEverySetting);
}
