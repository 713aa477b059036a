// The platform operations of the core, each one call of Windows.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <mmsystem.h>

#include <cctype>
#include <cstring>

#include "dialogs/dialogs.h"
#include "render/draw.h"
#include "shell/platform.h"
#include "shell/shell.h"

namespace {
DEVMODEA FullScreenMode;
}

bool CreatePixelBuffer(PixelBuffer* buffer, int32_t width, int32_t height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biXPelsPerMeter = 300;
    info.bmiHeader.biYPelsPerMeter = 300;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(WindowDC, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap) {
        return false;
    }
    *buffer =
        PixelBuffer{static_cast<uint8_t*>(pixels), width, height, PixelRowStride(width), bitmap};
    return true;
}

void FreePixelBuffer(PixelBuffer* buffer) {
    if (buffer->handle) {
        DeleteObject(static_cast<HBITMAP>(buffer->handle));
    }
    *buffer = PixelBuffer{};
}

void PresentRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    BitBlt(WindowDC, x, y, width, height, BackBufferDC, x, y, SRCCOPY);
}

void PlayWaveFile(const char* file, uint32_t flags) {
    PlaySoundA(file, nullptr, flags);
}

void SleepMilliseconds(uint32_t milliseconds) {
    Sleep(milliseconds);
}

// Millisecond steps while the program holds its 1 ms timer period.
uint32_t MillisecondClock() {
    return timeGetTime();
}

void GetUtcTime(UtcTime* time) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    *time = UtcTime{now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

// Every dialog of the program runs through here; activation changes are ignored meanwhile,
// so a dialog in full screen switches nothing.
int32_t RunModalDialog(int32_t templateId) {
    DialogOpen = true;
    INT_PTR result = DialogBoxParamA(Instance, MAKEINTRESOURCEA(templateId), MainWindow,
                                     DialogProcedure(templateId), 0);
    DialogOpen = false;
    return static_cast<int32_t>(result);
}

bool FindFullScreenMode(int32_t bitsPerPixel) {
    FullScreenMode = DEVMODEA{};
    FullScreenMode.dmSize = sizeof FullScreenMode;
    for (DWORD number = 0; EnumDisplaySettingsA(nullptr, number, &FullScreenMode); number++) {
        if (FullScreenMode.dmPelsWidth == 640 && FullScreenMode.dmPelsHeight == 480 &&
            static_cast<int32_t>(FullScreenMode.dmBitsPerPel) == bitsPerPixel) {
            return true;
        }
    }
    return false;
}

bool EnterFullScreenMode() {
    return ChangeDisplaySettingsA(&FullScreenMode, 0) == DISP_CHANGE_SUCCESSFUL;
}

void LeaveFullScreenMode() {
    ChangeDisplaySettingsA(nullptr, 0);
}

void MoveMainWindow(int32_t x, int32_t y) {
    MoveWindow(MainWindow, x, y, ScreenWidth, ScreenHeight, TRUE);
}

void ShowStopMessage(const char* text, const char* caption) {
    MessageBoxA(MainWindow, text, caption, MB_ICONHAND);
}

// One message, then the end: whatever the message box lets through meanwhile (an activation
// that tries the failed switch again) ends the process at once.
void FatalError(const char* message) {
    static bool failing = false;
    if (failing) {
        ExitProcess(1);
    }
    failing = true;
    MessageBoxA(MainWindow, message, "Brimzo Error!", MB_ICONHAND);
    Shutdown();
    ExitProcess(1);
}

int32_t ReadProfileInt(const char* section, const char* key, int32_t fallback, const char* path) {
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, fallback, path));
}

void ReadProfileText(const char* section, const char* key, const char* fallback, char* buffer,
                     uint32_t size, const char* path) {
    GetPrivateProfileStringA(section, key, fallback, buffer, size, path);
}

bool WriteProfileText(const char* section, const char* key, const char* value, const char* path) {
    return WritePrivateProfileStringA(section, key, value, path) != 0;
}

// A copy is writable even when the file was marked read-only; the move over the file then
// fails for it, as it should.
bool CopyProfileFile(const char* from, const char* to) {
    if (CopyFileA(from, to, FALSE)) {
        return SetFileAttributesA(to, FILE_ATTRIBUTE_NORMAL) != 0;
    }
    if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    return DeleteFileA(to) || GetLastError() == ERROR_FILE_NOT_FOUND; // a stale copy goes
}

// The copy reaches the disk before it takes the file's name, so that even a power cut leaves
// one whole file or the other.
bool ReplaceProfileFile(const char* from, const char* to) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, from); // out of the profile cache
    HANDLE file =
        CreateFileA(from, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(file);
        CloseHandle(file);
    }
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(from);
    return false;
}

void RemoveProfileFile(const char* path) {
    DeleteFileA(path);
}

uint32_t CurrentDirectory(char* buffer, uint32_t size) {
    return GetCurrentDirectoryA(size, buffer);
}

namespace {
// CON, PRN, AUX, NUL, COM1..9 and LPT1..9 name devices in every folder and with any extension;
// the "\\.\" and "\\?\" forms name devices directly. None of them is ever opened.
bool NamesDevice(const char* name) {
    if (std::strncmp(name, "\\\\.\\", 4) == 0 || std::strncmp(name, "\\\\?\\", 4) == 0) {
        return true;
    }
    const char* base = name;
    for (const char* c = name; *c; c++) {
        if (*c == '\\' || *c == '/' || *c == ':') {
            base = c + 1;
        }
    }
    char stem[8] = {};
    size_t length = 0;
    while (base[length] && base[length] != '.' && base[length] != ' ' && length < 7) {
        stem[length] = static_cast<char>(std::toupper(static_cast<unsigned char>(base[length])));
        length++;
    }
    if (base[length] && base[length] != '.' && base[length] != ' ') {
        return false; // a longer name
    }
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : devices) {
        if (std::strcmp(stem, device) == 0) {
            return true;
        }
    }
    return length == 4 &&
           (std::strncmp(stem, "COM", 3) == 0 || std::strncmp(stem, "LPT", 3) == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}
} // namespace

// Only a file on a disk: a device or a pipe could keep the game waiting for data forever.
std::FILE* OpenPlainFile(const char* name) {
    if (NamesDevice(name)) {
        return nullptr;
    }
    HANDLE handle = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return nullptr;
    }
    int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "rb");
    if (!file) {
        _close(descriptor);
    }
    return file;
}
