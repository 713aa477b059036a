// The platform operations of the core, each one call of Windows.
#include <windows.h>

#include <mmsystem.h>

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

void FatalError(const char* message) {
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

void WriteProfileText(const char* section, const char* key, const char* value, const char* path) {
    WritePrivateProfileStringA(section, key, value, path);
}

uint32_t CurrentDirectory(char* buffer, uint32_t size) {
    return GetCurrentDirectoryA(size, buffer);
}
