#include "tests/double/double.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "dialogs/resources.h"
#include "game/game.h"
#include "render/draw.h"
#include "render/sound.h"
#include "shell/assist.h"
#include "shell/platform.h"
#include "store/daily.h"
#include "store/leaders.h"
#include "store/profile_memory.h"
#include "store/savegame.h"
#include "store/settings.h"

namespace {
std::vector<std::string> Log;
bool Recording = true;
char LeaderName[LeaderNameBufferSize] = "";
char Directory[1000] = "";
UtcTime Time;
LocalDate Date;
bool Answer;
bool DisplayHasMode = true;
bool DisplaySwitchWorks = true;
uint32_t Clock;       // milliseconds: sleeping and drawing move it on, nothing else
uint32_t DrawingCost; // what one drawing takes, in milliseconds
bool RealTime;
std::chrono::microseconds Tick;
void (*NameDialogAction)();
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

bool RecordingOn() {
    return Recording;
}

void ResetDouble() {
    Recording = false;
    HideHint();
    ForgetMoves();
    GameAssisted = false;
    Log.clear();
    Recording = true;
    LeaderName[0] = '\0';
    ScriptCurrentDirectory("C:\\games");
    ScriptUtcTime(12, 34, 56, 789);
    ScriptLocalDate(2026, 12, 7);
    Answer = true;
    DailyResultCount = 0;
    DailyDealDay = NoDailyDeal;
    ScriptDisplay(true, true);
    ScriptDrawingCost(0);
    NameDialogAction = nullptr;
    ForgetProfileFiles();
    ResetSettings();
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
    Time.hour = static_cast<uint16_t>(hour);
    Time.minute = static_cast<uint16_t>(minute);
    Time.second = static_cast<uint16_t>(second);
    Time.milliseconds = static_cast<uint16_t>(milliseconds);
}

void ScriptLocalDate(int year, int month, int day) {
    Date = LocalDate{static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                     static_cast<uint16_t>(day)};
}

void ScriptAnswer(bool ok) {
    Answer = ok;
}

void ScriptDrawingCost(uint32_t milliseconds) {
    DrawingCost = milliseconds;
}

void ChargeDrawingTime() {
    Clock += DrawingCost;
}

void ScriptNameDialog(void (*action)()) {
    NameDialogAction = action;
}

std::string ProfileText(const std::string& path) {
    static char text[ProfileTextCapacity];
    ProfileFileText(path.c_str(), text, sizeof text);
    std::string lines;
    for (const char* c = text; *c; c++) {
        if (*c != '\r') {
            lines += *c;
        }
    }
    return lines;
}

void SetProfileValue(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) {
    WriteProfileText(section.c_str(), key.c_str(), value.c_str(), path.c_str());
}

std::string ProfileValue(const std::string& path, const std::string& section,
                         const std::string& key) {
    char value[4096];
    ReadProfileText(section.c_str(), key.c_str(), "(missing)", value, sizeof value, path.c_str());
    return value;
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

std::string NextBallsCall(const NextBall* balls) {
    std::string line = "DrawNextBalls";
    for (int32_t i = 0; i < NextBallCount; i++) {
        line += " " + std::to_string(balls[i].column) + "," + std::to_string(balls[i].row) + ":" +
                std::to_string(balls[i].colour);
    }
    return line;
}

// platform

// The standard file shows where it is not the file itself.
void PlayWaveFile(const char* file, const char* standardFile, bool mayCutShort) {
    const char* how = mayCutShort ? "cuts" : "yields";
    if (std::strcmp(file, standardFile) == 0) {
        Record("Sound %s %s", file, how);
    } else {
        Record("Sound %s (%s) %s", file, standardFile, how);
    }
}

// A sleep on a coarse timer ends at its first tick after the time asked for.
void SleepForReal(uint32_t milliseconds) {
    using namespace std::chrono;
    auto wake = steady_clock::now() + std::chrono::milliseconds(milliseconds);
    if (Tick.count() > 0) {
        auto since = duration_cast<microseconds>(wake.time_since_epoch());
        wake += Tick - since % Tick;
    }
    std::this_thread::sleep_until(wake);
}

void SleepMilliseconds(uint32_t milliseconds) {
    Record("Pause %u", milliseconds);
    if (RealTime) {
        SleepForReal(milliseconds);
    }
    Clock += milliseconds;
}

uint32_t MillisecondClock() {
    if (RealTime) {
        using namespace std::chrono;
        return static_cast<uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    return Clock;
}

void UseRealTime(bool on, uint32_t tickMicroseconds) {
    RealTime = on;
    Tick = std::chrono::microseconds(tickMicroseconds);
}

int32_t RunModalDialog(int32_t templateId) {
    Record("Dialog %d", templateId);
    if (templateId == NameDialogTemplate && NameDialogAction) {
        NameDialogAction();
    }
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
    *time = Time;
}

void GetLocalDate(LocalDate* date) {
    *date = Date;
}

bool AskOkCancel(const char* question, const char* caption) {
    Record("Ask %s | %s", caption, question);
    return Answer;
}

uint32_t CurrentDirectory(char* buffer, uint32_t size) {
    uint32_t length = static_cast<uint32_t>(std::strlen(Directory));
    if (length + 1 > size) {
        return length + 1;
    }
    std::memcpy(buffer, Directory, length + 1);
    return length;
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
    ChargeDrawingTime();
}
