// The profile access: where the settings file "brimzo.ini" is, how each key is read and
// written, and a save that lands whole. What is saved lies above, in settings, the saved game
// and the leader tables.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t PathBufferSize = 260; // a file name of 259 characters at most
constexpr const char* SettingsFileName = "brimzo.ini";
// The settings path is UTF-8: its 259 characters take up to three bytes each.
constexpr int32_t SettingsPathBufferSize = 3 * PathBufferSize;

extern char SettingsPath[SettingsPathBufferSize]; // empty until FormSettingsPath forms it

void FormSettingsPath(); // from the current directory
// Once the path is formed: what to tell the player when the folder leaves no path for the
// file, so that nothing will be kept; null otherwise.
const char* UnkeptSettingsMessage();

// The accessors read and write the file named by SettingsPath; while it is empty they read
// the defaults and write nothing.
void ReadSettingInt(const char* section, const char* key, int32_t* value, int32_t fallback);
void WriteSettingInt(const char* section, const char* key, int32_t value);
void ReadSettingString(const char* section, const char* key, char* buffer, const char* fallback,
                       uint32_t size);
void WriteSettingString(const char* section, const char* key, const char* text);
bool SettingStored(const char* section, const char* key); // with any value, an empty one too
// A key that only some files need: written where it is needed, or where the file holds it
// already, so that it follows the game; a file that never needed it stays as it always was.
void WriteSettingWhereKept(const char* section, const char* key, const char* text, bool needed);

// A text the profile reader would change (blanks at an end, one pair of quotes around it) in
// the quotes that make it read back as it was.
void QuoteIfNeeded(const char* text, char* quoted, size_t size);

// Runs writeKeys with every write going into a copy of the file, and again to read each key
// back from the disk; only a copy that reads back whole then takes the file's place, in one
// step. False when it could not: the file is then as it was, and no copy is left behind.
bool SaveProfileWhole(void (*writeKeys)());
const char* UnsavedSettingsMessage(); // what to tell the player then, naming the cause
