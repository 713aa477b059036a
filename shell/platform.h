// Everything the core asks of the platform. Windows implements each in one line of its own
// calls; the tests implement them with a recording double.
#pragma once

#include <cstdint>

// dialog templates of the program's resources
constexpr int32_t OptionsDialogTemplate = 1000;
constexpr int32_t AboutDialogTemplate = 1001;
constexpr int32_t NameDialogTemplate = 1002;

// A 24-bit top-down picture, blue-green-red, each row starting at a multiple of 4 bytes.
struct PixelBuffer {
    uint8_t* pixels;
    int32_t width;
    int32_t height;
    int32_t stride;
    void* handle; // the platform's own object behind the pixels
};

struct UtcTime {
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
};

// picture
inline int32_t PixelRowStride(int32_t width) {
    return (width * 3 + 3) / 4 * 4;
}
bool CreatePixelBuffer(PixelBuffer* buffer, int32_t width, int32_t height);
void FreePixelBuffer(PixelBuffer* buffer);
void PresentRect(int32_t x, int32_t y, int32_t width, int32_t height); // back buffer to window

// sound, time, dialogs
void PlayWaveFile(const char* file, uint32_t flags);
void SleepMilliseconds(uint32_t milliseconds);
void GetUtcTime(UtcTime* time);
int32_t RunModalDialog(int32_t templateId); // the dialog's result

// display and main window
bool FindFullScreenMode(int32_t bitsPerPixel); // remembers the 640 x 480 mode of that depth
bool EnterFullScreenMode();                    // switches to the remembered mode
void LeaveFullScreenMode();                    // the desktop's own mode again
void MoveMainWindow(int32_t x, int32_t y);
void ShowStopMessage(const char* text, const char* caption);
[[noreturn]] void FatalError(const char* message); // a message, the teardown, exit code 1

// profile file
int32_t ReadProfileInt(const char* section, const char* key, int32_t fallback, const char* path);
void ReadProfileText(const char* section, const char* key, const char* fallback, char* buffer,
                     uint32_t size, const char* path);
void WriteProfileText(const char* section, const char* key, const char* value, const char* path);
uint32_t CurrentDirectory(char* buffer, uint32_t size); // length, or the size needed when larger
