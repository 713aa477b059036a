// The platform operations of the core, each one call of Windows.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <mmsystem.h>
#include <winioctl.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "dialogs/dialogs.h"
#include "render/draw.h"
#include "shell/platform.h"
#include "shell/shell.h"

namespace {
DEVMODEA FullScreenMode;
HHOOK BoxHook; // while a message box is on its way

// A message box is placed as it is activated, when it has its size; then the hook is done.
LRESULT CALLBACK PlaceMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    auto box = reinterpret_cast<HWND>(wParam);
    wchar_t kind[8];
    if (code == HCBT_ACTIVATE && GetClassNameW(box, kind, 8) && std::wcscmp(kind, L"#32770") == 0) {
        CenterDialog(box);
        UnhookWindowsHookEx(BoxHook);
        BoxHook = nullptr;
        return 0;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

int MessageBoxOverGame(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    if (!BoxHook) {
        BoxHook = SetWindowsHookExW(WH_CBT, PlaceMessageBox, nullptr, GetCurrentThreadId());
    }
    int answer = MessageBoxW(owner, text, caption, type | MB_SETFOREGROUND);
    if (BoxHook) {
        UnhookWindowsHookEx(BoxHook);
        BoxHook = nullptr;
    }
    return answer;
}

// A text too long for its buffer is cut there: the conversion that fails writes no end.
static void WideFromCodePage(const char* text, wchar_t* wide, int size) {
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, size) == 0) {
        wide[size - 1] = L'\0';
    }
}

int MessageBoxOverGame(HWND owner, const char* text, const char* caption, UINT type) {
    static wchar_t wideText[2048];
    static wchar_t wideCaption[64];
    WideFromCodePage(text, wideText, 2048);
    WideFromCodePage(caption, wideCaption, 64);
    return MessageBoxOverGame(owner, wideText, wideCaption, type);
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

// Windows plays its own default sound for a file it cannot find.
void PlayWaveFile(const char* file, const char*, bool mayCutShort) {
    PlaySoundA(file, nullptr, SND_FILENAME | SND_ASYNC | (mayCutShort ? 0 : SND_NOSTOP));
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

void GetLocalDate(LocalDate* date) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    *date = LocalDate{now.wYear, now.wMonth, now.wDay};
}

bool AskOkCancel(const char* question, const char* caption) {
    return MessageBoxOverGame(MainWindow, question, caption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
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
    MessageBoxOverGame(MainWindow, text, caption, MB_ICONHAND);
}

// One message, then the end: whatever the message box lets through meanwhile (an activation
// that tries the failed switch again) ends the process at once.
void FatalError(const char* message) {
    static bool failing = false;
    if (failing) {
        ExitProcess(1);
    }
    failing = true;
    MessageBoxOverGame(MainWindow, message, "Brimzo Error!", MB_ICONHAND);
    Shutdown();
    ExitProcess(1);
}

bool WideFromUtf8(const char* text, wchar_t* wide, int size) {
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, wide, size);
    if (length == 0 && size > 0) {
        wide[0] = L'\0';
    }
    return length != 0;
}

bool Utf8FromWide(const wchar_t* wide, char* text, int size) {
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, size, nullptr, nullptr);
    if (length == 0 && size > 0) {
        text[0] = '\0';
    }
    return length != 0;
}

// A character the code page lacks, or would only approximate, becomes the substitute control
// character (26), which no name and no file name holds. A code page of UTF-8 lacks nothing.
bool ExactAnsiFromWide(const wchar_t* wide, char* text, int size) {
    bool utf8 = GetACP() == CP_UTF8;
    BOOL substituted = FALSE;
    int length = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, -1, text, size,
                                     utf8 ? nullptr : "\x1A", utf8 ? nullptr : &substituted);
    if (length == 0 && size > 0) {
        text[0] = '\0';
    }
    return length != 0 && !substituted;
}

namespace {
// The profile calls in their wide form, with the code-page conversions their 8-bit form would
// make, so that the file holds the same bytes; only the path is taken as UTF-8. The calls do
// not reach past MAX_PATH, so neither does a path here.
constexpr int ProfileNameCapacity = 64;
constexpr int ProfileValueCapacity = 2048;

struct ProfileNames {
    wchar_t section[ProfileNameCapacity];
    wchar_t key[ProfileNameCapacity];
    wchar_t path[MAX_PATH];
};

bool WideFromAnsi(const char* text, wchar_t* wide, int size) {
    return MultiByteToWideChar(CP_ACP, 0, text, -1, wide, size) != 0;
}

bool WideProfileNames(const char* section, const char* key, const char* path, ProfileNames* names) {
    return WideFromAnsi(section, names->section, ProfileNameCapacity) &&
           WideFromAnsi(key, names->key, ProfileNameCapacity) &&
           WideFromUtf8(path, names->path, MAX_PATH);
}

// Out of the profile cache, which would otherwise answer the next read.
void DropFromProfileCache(const wchar_t* path) {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
}

// Where a symbolic link or a junction of Windows points: the name it shows. Empty for another
// kind of link.
void LinkText(const wchar_t* file, char* text, uint32_t size) {
    text[0] = '\0';
    HANDLE link = CreateFileW(file, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (link == INVALID_HANDLE_VALUE) {
        return;
    }
    static BYTE data[MAXIMUM_REPARSE_DATA_BUFFER_SIZE];
    DWORD length = 0;
    bool read = DeviceIoControl(link, FSCTL_GET_REPARSE_POINT, nullptr, 0, data, sizeof data,
                                &length, nullptr) != 0;
    CloseHandle(link);
    // The tag, two sizes, the offsets and lengths of two names in bytes (of the name to show
    // at 12 and 14), a symbolic link's flags, then the names.
    DWORD tag = 0;
    std::memcpy(&tag, data, sizeof tag);
    DWORD names = tag == IO_REPARSE_TAG_SYMLINK ? 20 : (tag == IO_REPARSE_TAG_MOUNT_POINT ? 16 : 0);
    WORD at = 0;
    WORD bytes = 0;
    std::memcpy(&at, data + 12, sizeof at);
    std::memcpy(&bytes, data + 14, sizeof bytes);
    wchar_t name[MAX_PATH];
    if (!read || names == 0 || names + at + bytes > length || bytes >= sizeof name) {
        return;
    }
    std::memcpy(name, data + names + at, bytes);
    name[bytes / sizeof name[0]] = L'\0';
    Utf8FromWide(name, text, static_cast<int>(size));
}

// Nothing opens at the path, and yet its name is taken: a link to a file that does not exist.
// Windows shows the link itself; Wine follows a link of its system wherever it leads, and only
// a new file refused by that name gives it away.
bool LinkToNoFile(const wchar_t* file, char* target, uint32_t size) {
    DWORD attributes = GetFileAttributesW(file);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (link) {
            LinkText(file, target, size);
        }
        return link;
    }
    HANDLE probe = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe); // and the file made is gone
        return false;
    }
    bool taken = GetLastError() == ERROR_FILE_EXISTS;
    if (taken) {
        target[0] = '\0';
    }
    return taken;
}
} // namespace

int32_t ReadProfileInt(const char* section, const char* key, int32_t fallback, const char* path) {
    ProfileNames names;
    if (!WideProfileNames(section, key, path, &names)) {
        return fallback;
    }
    return static_cast<int32_t>(
        GetPrivateProfileIntW(names.section, names.key, fallback, names.path));
}

void ReadProfileText(const char* section, const char* key, const char* fallback, char* buffer,
                     uint32_t size, const char* path) {
    static wchar_t wideFallback[ProfileValueCapacity];
    static wchar_t value[ProfileValueCapacity];
    static char text[2 * ProfileValueCapacity]; // two bytes a character in some code pages
    ProfileNames names;
    if (!WideProfileNames(section, key, path, &names) ||
        !WideFromAnsi(fallback, wideFallback, ProfileValueCapacity)) {
        std::snprintf(buffer, size, "%s", fallback);
        return;
    }
    DWORD capacity = size < ProfileValueCapacity ? size : ProfileValueCapacity;
    GetPrivateProfileStringW(names.section, names.key, wideFallback, value, capacity, names.path);
    WideCharToMultiByte(CP_ACP, 0, value, -1, text, sizeof text, nullptr, nullptr);
    std::snprintf(buffer, size, "%s", text);
}

bool WriteProfileText(const char* section, const char* key, const char* value, const char* path) {
    static wchar_t wideValue[ProfileValueCapacity];
    ProfileNames names;
    return WideProfileNames(section, key, path, &names) &&
           WideFromAnsi(value, wideValue, ProfileValueCapacity) &&
           WritePrivateProfileStringW(names.section, names.key, wideValue, names.path) != 0;
}

// The final path of what the link leads to, without the "\\?\" that the call puts before it.
bool ResolveProfileLink(const char* path, char* target, uint32_t size) {
    std::snprintf(target, size, "%s", path);
    wchar_t file[MAX_PATH];
    if (!WideFromUtf8(path, file, MAX_PATH)) {
        return true;
    }
    HANDLE handle = CreateFileW(file, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return !LinkToNoFile(file, target, size);
    }
    wchar_t final[MAX_PATH + 8];
    DWORD length = GetFinalPathNameByHandleW(handle, final, MAX_PATH + 8, VOLUME_NAME_DOS);
    CloseHandle(handle);
    if (length == 0 || length >= MAX_PATH + 8) {
        return true;
    }
    wchar_t* plain = final;
    if (std::wcsncmp(final, L"\\\\?\\UNC\\", 8) == 0) {
        final[6] = L'\\'; // \\server\share
        plain = final + 6;
    } else if (std::wcsncmp(final, L"\\\\?\\", 4) == 0) {
        plain = final + 4;
    }
    if (!Utf8FromWide(plain, target, static_cast<int>(size))) {
        std::snprintf(target, size, "%s", path);
    }
    return true;
}

// A folder marked read-only is no file that a player keeps as it is.
bool ProfileFileReadOnly(const char* path) {
    wchar_t file[MAX_PATH];
    DWORD attributes =
        WideFromUtf8(path, file, MAX_PATH) ? GetFileAttributesW(file) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) ==
               FILE_ATTRIBUTE_READONLY;
}

// The room the player has left on the disk of the file's folder, quotas counted.
bool DiskFullAt(const char* path) {
    wchar_t folder[MAX_PATH];
    if (!WideFromUtf8(path, folder, MAX_PATH)) {
        return false;
    }
    wchar_t* slash = std::wcsrchr(folder, L'\\');
    if (slash) {
        slash[1] = L'\0';
    }
    ULARGE_INTEGER room;
    return GetDiskFreeSpaceExW(slash ? folder : nullptr, &room, nullptr, nullptr) &&
           room.QuadPart < SaveRoom;
}

// A copy is writable even when the file was marked read-only; the move over the file then
// fails for it, as it should. A copy cut short by a full disk is not left to hold the space.
bool CopyProfileFile(const char* from, const char* to) {
    wchar_t source[MAX_PATH];
    wchar_t copy[MAX_PATH];
    if (!WideFromUtf8(from, source, MAX_PATH) || !WideFromUtf8(to, copy, MAX_PATH)) {
        return false;
    }
    DWORD stale = GetFileAttributesW(copy);
    if (stale != INVALID_FILE_ATTRIBUTES && (stale & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        SetFileAttributesW(copy, FILE_ATTRIBUTE_NORMAL);
    }
    if (CopyFileW(source, copy, FALSE)) {
        return SetFileAttributesW(copy, FILE_ATTRIBUTE_NORMAL) != 0;
    }
    bool noFile = GetLastError() == ERROR_FILE_NOT_FOUND;
    bool noCopy = DeleteFileW(copy) || GetLastError() == ERROR_FILE_NOT_FOUND;
    return noFile && noCopy;
}

// The profile writer may report success for a write that the disk did not take: what is read
// back after this comes from the disk.
bool FlushProfileFile(const char* path) {
    wchar_t file[MAX_PATH];
    if (!WideFromUtf8(path, file, MAX_PATH)) {
        return false;
    }
    DropFromProfileCache(file);
    HANDLE handle =
        CreateFileW(file, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool flushed = FlushFileBuffers(handle) != 0;
    CloseHandle(handle);
    return flushed;
}

bool ReplaceProfileFile(const char* from, const char* to) {
    wchar_t source[MAX_PATH];
    wchar_t target[MAX_PATH];
    if (!WideFromUtf8(from, source, MAX_PATH) || !WideFromUtf8(to, target, MAX_PATH)) {
        return false;
    }
    DropFromProfileCache(source);
    if (MoveFileExW(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(source);
    return false;
}

void RemoveProfileFile(const char* path) {
    wchar_t file[MAX_PATH];
    if (WideFromUtf8(path, file, MAX_PATH)) {
        DeleteFileW(file);
    }
}

// In UTF-8, so that a folder whose name the code page lacks is reached all the same.
uint32_t CurrentDirectory(char* buffer, uint32_t size) {
    wchar_t folder[MAX_PATH];
    DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) {
        return 0; // none that the profile calls could reach
    }
    int needed = WideCharToMultiByte(CP_UTF8, 0, folder, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0 || static_cast<uint32_t>(needed) > size) {
        return needed <= 0 ? 0 : static_cast<uint32_t>(needed);
    }
    Utf8FromWide(folder, buffer, static_cast<int>(size));
    return static_cast<uint32_t>(needed - 1);
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
