// The profile access: where the settings file "brimzo.ini" is, how each key is read and
// written, and a save that lands whole. What is saved lies above, in settings, the saved game
// and the leader tables.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t PathBufferSize = 260;
constexpr const char* SettingsFileName = "brimzo.ini";

extern char SettingsPath[PathBufferSize]; // empty until FormSettingsPath forms it

void FormSettingsPath(); // from the current directory

// The accessors read and write the file named by SettingsPath; while it is empty they read
// the defaults and write nothing.
void ReadSettingInt(const char* section, const char* key, int32_t* value, int32_t fallback);
void WriteSettingInt(const char* section, const char* key, int32_t value);
void ReadSettingString(const char* section, const char* key, char* buffer, const char* fallback,
                       uint32_t size);
void WriteSettingString(const char* section, const char* key, const char* text);

// A text the profile reader would change (blanks at an end, one pair of quotes around it) in
// the quotes that make it read back as it was.
void QuoteIfNeeded(const char* text, char* quoted, size_t size);

// Runs writeKeys with every write going into a copy of the file, which then takes the file's
// place in one step. False when the copy could not be written: the file is then as it was.
bool SaveProfileWhole(void (*writeKeys)());
const char* UnsavedSettingsMessage(); // what to tell the player then
