#include "tests/double/double.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "game/game.h"
#include "render/draw.h"
#include "render/sound.h"
#include "shell/platform.h"
#include "store/leaders.h"
#include "store/settings.h"

namespace {
std::vector<std::string> Log;
bool Recording = true;
char LeaderName[LeaderNameBufferSize] = "";
char Directory[1000] = "";
UtcTime Clock;
bool DisplayHasMode = true;
bool DisplaySwitchWorks = true;

struct Entry {
    std::string key;
    std::string value;
};
struct Section {
    std::string name;
    std::vector<Entry> entries;
};
struct Profile {
    std::string path;
    std::vector<Section> sections;
};
std::vector<Profile> Profiles;

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

template <typename T>
T* Find(std::vector<T>& list, const std::string& name, std::string T::*field) {
    for (T& item : list) {
        if (SameName(item.*field, name)) {
            return &item;
        }
    }
    return nullptr;
}

const std::string* Lookup(const std::string& path, const std::string& section,
                          const std::string& key) {
    Profile* profile = Find(Profiles, path, &Profile::path);
    Section* found = profile ? Find(profile->sections, section, &Section::name) : nullptr;
    Entry* entry = found ? Find(found->entries, key, &Entry::key) : nullptr;
    return entry ? &entry->value : nullptr;
}

} // namespace

void Record(const char* format, ...) {
    if (!Recording) {
        return;
    }
    char line[1200];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    Log.emplace_back(line);
}

std::vector<std::string>& CallLog() {
    return Log;
}

void ClearCallLog() {
    Log.clear();
}

void SetRecording(bool on) {
    Recording = on;
}

void ResetDouble() {
    Log.clear();
    Recording = true;
    LeaderName[0] = '\0';
    ScriptCurrentDirectory("C:\\games");
    ScriptUtcTime(12, 34, 56, 789);
    ScriptDisplay(true, true);
    Profiles.clear();
    SettingsPath[0] = '\0';
    PosX = 0;
    PosY = 0;
    FullScreen = 0;
    LastLeaderName[0] = '\0';
    AnimationSpeed = DefaultAnimationSpeed;
    for (int32_t slot = 0; slot < SoundSlotCount; slot++) {
        SoundEnabled[slot] = 1;
        snprintf(SoundFile[slot], SoundFileBufferSize, "%s", SoundSlots[slot].defaultFile);
    }
    snprintf(Skin, sizeof Skin, "brimzo.png");
    ResetLeaderTables();
}

void ScriptCurrentDirectory(const char* directory) {
    snprintf(Directory, sizeof Directory, "%s", directory);
}

void ScriptDisplay(bool hasMode, bool switchWorks) {
    DisplayHasMode = hasMode;
    DisplaySwitchWorks = switchWorks;
}

void ScriptUtcTime(int hour, int minute, int second, int milliseconds) {
    Clock.hour = static_cast<uint16_t>(hour);
    Clock.minute = static_cast<uint16_t>(minute);
    Clock.second = static_cast<uint16_t>(second);
    Clock.milliseconds = static_cast<uint16_t>(milliseconds);
}

std::string ProfileText(const std::string& path) {
    std::string text;
    Profile* profile = Find(Profiles, path, &Profile::path);
    for (const Section& section : profile ? profile->sections : std::vector<Section>{}) {
        text += "[" + section.name + "]\n";
        for (const Entry& entry : section.entries) {
            text += entry.key + "=" + entry.value + "\n";
        }
    }
    return text;
}

void SetProfileValue(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) {
    Profile* profile = Find(Profiles, path, &Profile::path);
    if (!profile) {
        profile = &Profiles.emplace_back(Profile{path, {}});
    }
    Section* found = Find(profile->sections, section, &Section::name);
    if (!found) {
        found = &profile->sections.emplace_back(Section{section, {}});
    }
    Entry* entry = Find(found->entries, key, &Entry::key);
    if (entry) {
        entry->value = value;
    } else {
        found->entries.push_back(Entry{key, value});
    }
}

std::string ProfileValue(const std::string& path, const std::string& section,
                         const std::string& key) {
    const std::string* value = Lookup(path, section, key);
    return value ? *value : "(missing)";
}

void ScriptLeaderName(const char* name) {
    snprintf(LeaderName, sizeof LeaderName, "%s", name);
}

int CountCalls(const std::string& line) {
    int count = 0;
    for (const std::string& entry : Log) {
        count += entry == line ? 1 : 0;
    }
    return count;
}

// platform

void PlayWaveFile(const char* file, uint32_t flags) {
    Record("Sound %s %X", file, flags);
}

void SleepMilliseconds(uint32_t milliseconds) {
    Record("Pause %u", milliseconds);
}

int32_t RunModalDialog(int32_t templateId) {
    Record("Dialog %d", templateId);
    if (templateId == NameDialogTemplate) {
        snprintf(LastLeaderName, sizeof LastLeaderName, "%s", LeaderName);
    }
    return 1;
}

bool FindFullScreenMode(int32_t bitsPerPixel) {
    Record("FindMode %d", bitsPerPixel);
    return DisplayHasMode;
}

bool EnterFullScreenMode() {
    Record("EnterFullScreen");
    return DisplaySwitchWorks;
}

void LeaveFullScreenMode() {
    Record("LeaveFullScreen");
}

void MoveMainWindow(int32_t x, int32_t y) {
    Record("MoveWindow %d %d", x, y);
}

void ShowStopMessage(const char* text, const char* caption) {
    Record("Message %s | %s", caption, text);
}

void FatalError(const char* message) {
    Record("Fatal %s", message);
    throw FatalErrorRaised{};
}

void GetUtcTime(UtcTime* time) {
    *time = Clock;
}

uint32_t CurrentDirectory(char* buffer, uint32_t size) {
    uint32_t length = static_cast<uint32_t>(std::strlen(Directory));
    if (length + 1 > size) {
        return length + 1;
    }
    std::memcpy(buffer, Directory, length + 1);
    return length;
}

// The profile reader takes the number at the start of the text, with its sign, as a 32-bit
// value; a missing key gives the default.
int32_t ReadProfileInt(const char* section, const char* key, int32_t fallback, const char* path) {
    Record("ReadInt %s %s", section, key);
    const std::string* value = Lookup(path, section, key);
    if (!value) {
        return fallback;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(std::strtoll(value->c_str(), nullptr, 10)));
}

void ReadProfileText(const char* section, const char* key, const char* fallback, char* buffer,
                     uint32_t size, const char* path) {
    Record("ReadString %s %s", section, key);
    const std::string* value = Lookup(path, section, key);
    snprintf(buffer, size, "%s", value ? value->c_str() : fallback);
}

void WriteProfileText(const char* section, const char* key, const char* value, const char* path) {
    Record("Write %s %s", section, key);
    SetProfileValue(path, section, key, value);
}

// picture

int LivePixelBuffers = 0;

bool CreatePixelBuffer(PixelBuffer* buffer, int32_t width, int32_t height) {
    int32_t stride = PixelRowStride(width);
    auto* pixels = static_cast<uint8_t*>(
        std::calloc(static_cast<size_t>(stride) * static_cast<size_t>(height), 1));
    if (!pixels) {
        return false;
    }
    *buffer = PixelBuffer{pixels, width, height, stride, nullptr};
    LivePixelBuffers++;
    return true;
}

void FreePixelBuffer(PixelBuffer* buffer) {
    if (buffer->pixels) {
        LivePixelBuffers--;
    }
    std::free(buffer->pixels);
    *buffer = PixelBuffer{};
}

void PresentRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    Record("Present %d %d %d %d", x, y, width, height);
}
