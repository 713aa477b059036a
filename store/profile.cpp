#include "store/profile.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "shell/platform.h"

char SettingsPath[SettingsPathBufferSize] = "";

namespace {
enum class SaveFailure { None, Link, ReadOnly, DiskFull, Copy, Write, Replace };

// Where writes go: the settings file, or during a save the copy that replaces it.
const char* WritePath = SettingsPath;
bool CheckingCopy; // the keys are read back from the copy instead of written
bool WriteFailed;
SaveFailure Failure;
char Target[SettingsPathBufferSize];       // the file a save replaces, where a link leads
char Replacement[SettingsPathBufferSize];  // its copy while it is written
constexpr int32_t CheckedValueSize = 2048; // longer than any value of the settings
// No value read from a line holds a line end: this fallback tells a missing key.
constexpr char MissingValue[] = "\n(missing)";

// The length in the characters that Windows counts: one for each character of UTF-8, two for
// one beyond sixteen bits.
int32_t PathCharacters(const char* path) {
    int32_t count = 0;
    for (const char* c = path; *c; c++) {
        auto byte = static_cast<unsigned char>(*c);
        if ((byte & 0xC0) != 0x80) {
            count += byte >= 0xF0 ? 2 : 1;
        }
    }
    return count;
}

// A copy beside the file it replaces, on the same disk, so that it can take the file's place in
// one step. A stale copy of a save cut short is cleared; when something else has taken the
// first name (a folder), the second serves.
constexpr const char* CopyNames[] = {"brimzo.tmp", "brimzo2.tmp"};

bool FormReplacementPath(const char* name) {
    const char* slash = std::strrchr(Target, '\\');
    int folder = slash ? static_cast<int>(slash - Target + 1) : 0;
    int written = std::snprintf(Replacement, sizeof Replacement, "%.*s%s", folder, Target, name);
    return written > 0 && written < SettingsPathBufferSize &&
           PathCharacters(Replacement) < PathBufferSize;
}

bool MakeCopy() {
    for (const char* name : CopyNames) {
        if (FormReplacementPath(name) && CopyProfileFile(Target, Replacement)) {
            return true;
        }
    }
    return false;
}

// What the profile reader gives back for a written text: the blanks at its ends and one pair of
// quotes around it dropped.
void ReadBackForm(const char* text, char* form, size_t size) {
    const char* start = text;
    const char* end = text + std::strlen(text);
    while (start < end && std::isspace(static_cast<unsigned char>(*start))) {
        start++;
    }
    while (end > start && std::isspace(static_cast<unsigned char>(end[-1]))) {
        end--;
    }
    if (end - start >= 2 && (*start == '"' || *start == '\'') && end[-1] == *start) {
        start++;
        end--;
    }
    std::snprintf(form, size, "%.*s", static_cast<int>(end - start), start);
}

bool ReadsBackAs(const char* section, const char* key, const char* text) {
    static char expected[CheckedValueSize];
    static char found[CheckedValueSize];
    ReadBackForm(text, expected, sizeof expected);
    ReadProfileText(section, key, MissingValue, found, sizeof found, WritePath);
    return std::strcmp(found, expected) == 0;
}

// A disk that fills up may cut the copy short while every write reports success: the copy
// counts as written only when each key reads back from the disk as it was written.
SaveFailure WriteCopy(void (*writeKeys)()) {
    WritePath = Replacement;
    WriteFailed = false;
    writeKeys();
    WriteFailed = WriteFailed || !FlushProfileFile(Replacement);
    CheckingCopy = true;
    if (!WriteFailed) {
        writeKeys();
    }
    CheckingCopy = false;
    WritePath = SettingsPath;
    if (WriteFailed) {
        RemoveProfileFile(Replacement);
        return SaveFailure::Write;
    }
    return SaveFailure::None;
}

// A link to no file stays a link, and a file made read-only is left as the player made it. A
// copy that cannot be made or written whole on a disk that is nearly full is blamed on the
// disk, which the player knows, rather than on the copy, which they never saw.
SaveFailure SaveWhole(void (*writeKeys)()) {
    if (!ResolveProfileLink(SettingsPath, Target, sizeof Target)) {
        return SaveFailure::Link;
    }
    if (ProfileFileReadOnly(Target)) {
        return SaveFailure::ReadOnly;
    }
    SaveFailure failure = MakeCopy() ? WriteCopy(writeKeys) : SaveFailure::Copy;
    if (failure != SaveFailure::None) {
        return DiskFullAt(Target) ? SaveFailure::DiskFull : failure;
    }
    return ReplaceProfileFile(Replacement, Target) ? SaveFailure::None : SaveFailure::Replace;
}
} // namespace

// A directory too long for the paths of the platform leaves the path empty: the game then runs
// on its defaults and writes nothing, rather than reading or writing a file at a cut path.
void FormSettingsPath() {
    char directory[SettingsPathBufferSize];
    uint32_t length = CurrentDirectory(directory, sizeof directory);
    SettingsPath[0] = '\0';
    if (length == 0 || length >= sizeof directory) {
        return;
    }
    int written =
        snprintf(SettingsPath, sizeof SettingsPath, "%s\\%s", directory, SettingsFileName);
    if (written < 0 || written >= SettingsPathBufferSize ||
        PathCharacters(SettingsPath) >= PathBufferSize) {
        SettingsPath[0] = '\0';
    }
}

const char* UnkeptSettingsMessage() {
    return SettingsPath[0] != '\0'
               ? nullptr
               : "The path of this folder is too long for the settings file brimzo.ini: the "
                 "options, the game and the leaders of this run will not be kept!";
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
    if (SettingsPath[0] == '\0') {
        return;
    }
    bool done = CheckingCopy ? ReadsBackAs(section, key, text)
                             : WriteProfileText(section, key, text, WritePath);
    WriteFailed = WriteFailed || !done;
}

bool SettingStored(const char* section, const char* key) {
    char found[sizeof MissingValue];
    ReadSettingString(section, key, found, MissingValue, sizeof found);
    return std::strcmp(found, MissingValue) != 0;
}

// Asked of the file being replaced, which both passes of a save read alike.
void WriteSettingWhereKept(const char* section, const char* key, const char* text, bool needed) {
    if (needed || SettingStored(section, key)) {
        WriteSettingString(section, key, text);
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
// file's place in one step: a save cut short leaves the file of the last run whole. A link
// named "brimzo.ini" stays a link: the file it leads to is what is replaced. Without a path
// there is nothing to write.
bool SaveProfileWhole(void (*writeKeys)()) {
    if (SettingsPath[0] == '\0') {
        return true;
    }
    Failure = SaveWhole(writeKeys);
    return Failure == SaveFailure::None;
}

const char* UnsavedSettingsMessage() {
    static char cause[2 * SettingsPathBufferSize];
    static char message[sizeof cause + SettingsPathBufferSize + 200];
    const char* file = Target;
    switch (Failure) {
    case SaveFailure::ReadOnly:
        std::snprintf(message, sizeof message,
                      "The settings file %s is read-only: the options, the game and the leaders "
                      "of this run were not saved.",
                      Target);
        return message;
    case SaveFailure::Link:
        file = SettingsPath;
        if (Target[0] == '\0') { // where the platform cannot tell
            std::snprintf(cause, sizeof cause, "it is a link to a file that does not exist");
        } else {
            std::snprintf(cause, sizeof cause, "it is a link to %s, which does not exist", Target);
        }
        break;
    case SaveFailure::DiskFull:
        std::snprintf(cause, sizeof cause, "the disk is full");
        break;
    case SaveFailure::Copy:
        std::snprintf(cause, sizeof cause, "its copy %s could not be made", Replacement);
        break;
    case SaveFailure::Write:
        std::snprintf(cause, sizeof cause, "its copy %s could not be written whole", Replacement);
        break;
    default:
        std::snprintf(cause, sizeof cause, "it could not be replaced by its copy %s", Replacement);
        break;
    }
    std::snprintf(message, sizeof message,
                  "Unable to save the settings file %s: %s. The options, the game and the "
                  "leaders of this run are lost!",
                  file, cause);
    return message;
}
