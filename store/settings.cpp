#include "store/settings.h"

#include <cstdio>

#include "render/sound.h"
#include "shell/platform.h"
#include "store/leaders.h"
#include "store/savegame.h"

// The values a first start has before anything is read.
char SettingsPath[PathBufferSize] = "";
int32_t PosX = 0;
int32_t PosY = 0;
int32_t FullScreen = 0;
char LastLeaderName[LeaderNameBufferSize] = "";
int32_t AnimationSpeed = DefaultAnimationSpeed;
int32_t SoundEnabled[4] = {1, 1, 1, 1};
char Skin[PathBufferSize] = "brimzo.png";
char SoundFile[4][SoundFileBufferSize] = {"jump.wav", "cantmove.wav", "move.wav", "destroy.wav"};

void ReadSettingInt(const char* section, const char* key, int32_t* value, int32_t fallback) {
    *value =
        SettingsPath[0] == '\0' ? fallback : ReadProfileInt(section, key, fallback, SettingsPath);
}

void WriteSettingInt(const char* section, const char* key, int32_t value) {
    char text[100];
    snprintf(text, sizeof text, "%d", value);
    WriteSettingString(section, key, text);
}

void ReadSettingString(const char* section, const char* key, char* buffer, const char* fallback,
                       uint32_t size) {
    if (SettingsPath[0] == '\0') {
        snprintf(buffer, size, "%s", fallback);
        return;
    }
    ReadProfileText(section, key, fallback, buffer, size, SettingsPath);
}

void WriteSettingString(const char* section, const char* key, const char* text) {
    if (SettingsPath[0] != '\0') {
        WriteProfileText(section, key, text, SettingsPath);
    }
}

// A directory too long for the path buffer leaves the path empty: the game then runs on its
// defaults and writes nothing, rather than reading or writing a file at a cut path.
static void FormSettingsPath() {
    char directory[PathBufferSize];
    uint32_t length = CurrentDirectory(directory, sizeof directory);
    SettingsPath[0] = '\0';
    if (length == 0 || length >= sizeof directory) {
        return;
    }
    int written =
        snprintf(SettingsPath, sizeof SettingsPath, "%s\\%s", directory, SettingsFileName);
    if (written < 0 || written >= PathBufferSize) {
        SettingsPath[0] = '\0';
    }
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
    ReadSettingString("OPTIONS", "Skin", Skin, "brimzo.png", sizeof Skin);
    for (int32_t slot = 0; slot < SoundSlotCount; slot++) {
        ReadSettingString("SOUND", SoundSlots[slot].key, SoundFile[slot],
                          SoundSlots[slot].defaultFile, SoundFileBufferSize);
    }
    LoadLeaderTables();
}

// Writes every key at every exit, changed or not, where LoadSettings read them: the current
// directory may have changed since. Before LoadSettings there is nothing to write.
void SaveSettings() {
    if (SettingsPath[0] == '\0') {
        return;
    }
    WriteSettingInt("WINDOW", "PosX", PosX);
    WriteSettingInt("WINDOW", "PosY", PosY);
    WriteSettingInt("WINDOW", "FullScreen", FullScreen);
    WriteSettingString("GAME", "LastLeaderName", LastLeaderName);
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
