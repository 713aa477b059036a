#include "tests/double/double.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "game/game.h"
#include "render/draw.h"
#include "shell/platform.h"
#include "store/leaders.h"
#include "store/settings.h"

namespace {
std::vector<std::string> Log;
bool Recording = true;
bool LeaderAnswer = false;
char LeaderName[LeaderNameBufferSize] = "";

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
} // namespace

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
    LeaderAnswer = false;
    LeaderName[0] = '\0';
    AnimationSpeed = DefaultAnimationSpeed;
    for (int32_t& enabled : SoundEnabled) {
        enabled = 1;
    }
    LastLeaderName[0] = '\0';
}

void ScriptLeaderQualifies(bool qualifies) {
    LeaderAnswer = qualifies;
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

// drawing

void DrawBall(int32_t column, int32_t row, int32_t colour, int32_t frame) {
    Record("DrawBall %d %d %d %d", column, row, colour, frame);
}

void ClearCell(int32_t column, int32_t row) {
    Record("ClearCell %d %d", column, row);
}

void DrawScore() {
    Record("DrawScore %d", Game.score);
}

void DrawAllBalls() {
    Record("DrawAllBalls");
}

void DrawNextBalls() {
    Record("DrawNextBalls");
}

void DrawWindowButton(int32_t index, bool highlighted) {
    Record("DrawWindowButton %d %d", index, highlighted ? 1 : 0);
}

void DrawModeButton(int32_t mode, bool hovered) {
    Record("DrawModeButton %d %d", mode, hovered ? 1 : 0);
}

void RedrawScreen(bool full, bool leaders, bool modeMarker) {
    Record("RedrawScreen %d %d %d", full ? 1 : 0, leaders ? 1 : 0, modeMarker ? 1 : 0);
}

// leader tables

bool LeaderQualifies() {
    Record("LeaderQualifies");
    return LeaderAnswer;
}

void InsertLeader() {
    Record("InsertLeader %s %d", LastLeaderName, Game.score);
}
