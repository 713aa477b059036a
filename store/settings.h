// The settings values kept between runs in "brimzo.ini", and the file's reader and writer.
#pragma once

#include <cstdint>

constexpr int32_t PathBufferSize = 260;
constexpr int32_t SoundFileBufferSize = 1024;
constexpr int32_t LeaderNameBufferSize = 30;
constexpr int32_t DefaultAnimationSpeed = 100;
constexpr const char* SettingsFileName = "brimzo.ini";

extern char SettingsPath[PathBufferSize]; // empty until LoadSettings forms it
extern int32_t PosX;
extern int32_t PosY;
extern int32_t FullScreen;
extern char LastLeaderName[LeaderNameBufferSize];
extern int32_t AnimationSpeed; // percent, never below 1
extern int32_t SoundEnabled[4];
extern char Skin[PathBufferSize];
extern char SoundFile[4][SoundFileBufferSize];

// The accessors read and write the file named by SettingsPath; while it is empty they read
// the defaults and write nothing.
void ReadSettingInt(const char* section, const char* key, int32_t* value, int32_t fallback);
void WriteSettingInt(const char* section, const char* key, int32_t value);
void ReadSettingString(const char* section, const char* key, char* buffer, const char* fallback,
                       uint32_t size);
void WriteSettingString(const char* section, const char* key, const char* text);

void FormSettingsPath(); // from the current directory; LoadSettings forms it first thing
void LoadSettings();
bool SaveSettings(); // false when the file could not be written: it is then left as it was
const char* UnsavedSettingsMessage(); // what to tell the player then
