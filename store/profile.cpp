#include "store/profile.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "shell/platform.h"

char SettingsPath[PathBufferSize] = "";

namespace {
// Where writes go: the settings file, or during a save the copy that replaces it.
const char* WritePath = SettingsPath;
bool WriteFailed;

// The replacement of "brimzo.ini" while it is written: "brimzo.tmp" beside it, a name of the
// same length, so any settings path has room for it.
void ReplacementPath(char* path) {
    std::snprintf(path, PathBufferSize, "%s", SettingsPath);
    std::memcpy(path + std::strlen(path) - 3, "tmp", 3);
}
} // namespace

// A directory too long for the path buffer leaves the path empty: the game then runs on its
// defaults and writes nothing, rather than reading or writing a file at a cut path.
void FormSettingsPath() {
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
    if (SettingsPath[0] != '\0' && !WriteProfileText(section, key, text, WritePath)) {
        WriteFailed = true;
    }
}

void QuoteIfNeeded(const char* text, char* quoted, size_t size) {
    size_t length = std::strlen(text);
    bool blankEnd = length > 0 && (std::isspace(static_cast<unsigned char>(text[0])) ||
                                   std::isspace(static_cast<unsigned char>(text[length - 1])));
    bool quoteEnds =
        length >= 2 && (text[0] == '"' || text[0] == '\'') && text[length - 1] == text[0];
    if (blankEnd || quoteEnds) {
        std::snprintf(quoted, size, "\"%s\"", text);
    } else {
        std::snprintf(quoted, size, "%s", text);
    }
}

// The keys go into a copy of the file (keys of other programs survive), which then takes the
// file's place in one step: a save cut short leaves the file of the last run whole. Without a
// path there is nothing to write.
bool SaveProfileWhole(void (*writeKeys)()) {
    if (SettingsPath[0] == '\0') {
        return true;
    }
    char replacement[PathBufferSize];
    ReplacementPath(replacement);
    if (!CopyProfileFile(SettingsPath, replacement)) {
        return false;
    }
    WritePath = replacement;
    WriteFailed = false;
    writeKeys();
    WritePath = SettingsPath;
    if (WriteFailed) {
        RemoveProfileFile(replacement);
        return false;
    }
    return ReplaceProfileFile(replacement, SettingsPath);
}

const char* UnsavedSettingsMessage() {
    static char message[PathBufferSize + 120];
    std::snprintf(message, sizeof message,
                  "Unable to save the settings file %s: the options, the game and the leaders "
                  "of this run are lost!",
                  SettingsPath);
    return message;
}
