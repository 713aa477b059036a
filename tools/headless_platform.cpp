// The platform for the native tools: pictures in memory and nothing else. No window, no
// sound, no waiting, no settings file (the current directory is none).
#include <cstdlib>

#include "shell/platform.h"

void PresentRect(int32_t, int32_t, int32_t, int32_t) {}
void PlayWaveFile(const char*, const char*, bool) {}
void SleepMilliseconds(uint32_t) {}

uint32_t MillisecondClock() {
    return 0;
}

void GetUtcTime(UtcTime* time) {
    *time = UtcTime{};
}

void GetLocalDate(LocalDate* date) {
    *date = LocalDate{1970, 1, 1};
}

int32_t RunModalDialog(int32_t) {
    return 0;
}

bool AskOkCancel(const char*, const char*) {
    return false; // no player to agree
}

uint32_t CurrentDirectory(char* buffer, uint32_t size) {
    if (size > 0) {
        buffer[0] = '\0';
    }
    return 0;
}

bool FindFullScreenMode(int32_t) {
    return false;
}

bool EnterFullScreenMode() {
    return false;
}

void LeaveFullScreenMode() {}
void MoveMainWindow(int32_t, int32_t) {}
void ShowStopMessage(const char*, const char*) {}

void FatalError(const char*) {
    std::exit(1);
}
