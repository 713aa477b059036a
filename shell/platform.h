// Everything the core asks of the platform. Windows implements each in one line of its own
// calls; the tests implement them with a recording double.
#pragma once

#include <cstdint>
#include <cstdio>

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

struct LocalDate {
    uint16_t year;
    uint16_t month; // 1 to 12
    uint16_t day;   // 1 to 31
};

// picture
inline int32_t PixelRowStride(int32_t width) {
    return (width * 3 + 3) / 4 * 4;
}
inline uint8_t* PixelAt(const PixelBuffer& buffer, int32_t x, int32_t y) {
    return buffer.pixels + static_cast<size_t>(y) * static_cast<size_t>(buffer.stride) +
           static_cast<size_t>(x) * 3;
}
bool CreatePixelBuffer(PixelBuffer* buffer, int32_t width, int32_t height);
void FreePixelBuffer(PixelBuffer* buffer);
void PresentRect(int32_t x, int32_t y, int32_t width, int32_t height); // back buffer to window

// sound, time, dialogs
// A wave file starts to play at once: it cuts short a sound of the game that still plays, or,
// when it may not, plays only if none does. Where the file is gone, what the platform plays in
// its place: Windows its default sound; a page, which keeps no chosen file from one visit to
// the next, the slot's standard file.
void PlayWaveFile(const char* file, const char* standardFile, bool mayCutShort);
void SleepMilliseconds(uint32_t milliseconds);
uint32_t MillisecondClock(); // runs on steadily, wrapping at 2^32
void GetUtcTime(UtcTime* time);
int32_t RunModalDialog(int32_t templateId); // the dialog's result
// A question with OK and Cancel: true for OK.
bool AskOkCancel(const char* question, const char* caption);
void GetLocalDate(LocalDate* date); // the player's own calendar day

// display and main window
bool FindFullScreenMode(int32_t bitsPerPixel); // remembers the 640 x 480 mode of that depth
bool EnterFullScreenMode();                    // switches to the remembered mode
void LeaveFullScreenMode();                    // the desktop's own mode again
void MoveMainWindow(int32_t x, int32_t y);
void ShowStopMessage(const char* text, const char* caption);
[[noreturn]] void FatalError(const char* message); // a message, the teardown, exit code 1

// files: a regular file opened for reading ("rb"), never a device, pipe or folder
std::FILE* OpenPlainFile(const char* name);

// Profile files. Their paths are UTF-8, so that a folder of any name holds them; sections, keys
// and values are in the code page, as the file stores them. A save writes a copy, reads it
// back from the disk, and puts it in place of the file in one step.
int32_t ReadProfileInt(const char* section, const char* key, int32_t fallback, const char* path);
void ReadProfileText(const char* section, const char* key, const char* fallback, char* buffer,
                     uint32_t size, const char* path);
bool WriteProfileText(const char* section, const char* key, const char* value, const char* path);
// The file a link at the path leads to, the path itself when it is no link; false for a link to
// no file, whose target then holds where it points (empty where the platform cannot tell).
bool ResolveProfileLink(const char* path, char* target, uint32_t size);
bool ProfileFileReadOnly(const char* path);
// Whether the disk that holds the file has less room left than SaveRoom, many times what a
// save of the settings takes: what to blame when a save failed.
constexpr uint64_t SaveRoom = 16 * 1024;
bool DiskFullAt(const char* path);
// A missing file copies as an empty one; a stale copy in the way, even read-only, is cleared.
bool CopyProfileFile(const char* from, const char* to);
bool FlushProfileFile(const char* path); // onto the disk: what is read next comes from there
bool ReplaceProfileFile(const char* from, const char* to);
void RemoveProfileFile(const char* path);
uint32_t CurrentDirectory(char* buffer, uint32_t size); // length, or the size needed when larger
