// Sharing on Windows: Ctrl+C copies the game in progress as a line with its code, Ctrl+R the
// daily deal's result, Ctrl+V plays a game whose code was pasted; Ctrl+D deals today's game.
#include <windows.h>

#include <cstring>

#include "shell/keys.h"
#include "shell/share.h"
#include "shell/shell.h"
#include "store/daily.h"

namespace {
constexpr size_t LineSize = 160;
constexpr size_t PastedSize = 4096; // a chat line or a link; the rest of a longer text is left

// Another program may hold the clipboard for a moment: a clipboard manager, or under Wine its
// bridge to the X selection, which takes what another program copied.
bool OpenClipboardSoon() {
    for (int32_t attempt = 0; attempt < 20; attempt++) {
        if (OpenClipboard(MainWindow)) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

void CopyText(const char* text) {
    size_t size = std::strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* bytes = memory ? GlobalLock(memory) : nullptr;
    if (!bytes) {
        return;
    }
    std::memcpy(bytes, text, size);
    GlobalUnlock(memory);
    if (!OpenClipboardSoon()) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, memory)) { // else the clipboard owns it now
        GlobalFree(memory);
    }
    CloseClipboard();
}

// The clipboard's text, cut to the buffer; false when it holds none.
bool PastedText(char* text, size_t size) {
    if (!OpenClipboardSoon()) {
        return false;
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (bytes) {
        size_t limit = GlobalSize(data) < size - 1 ? GlobalSize(data) : size - 1;
        const void* end = std::memchr(bytes, '\0', limit);
        size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - bytes) : limit;
        std::memcpy(text, bytes, length);
        text[length] = '\0';
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes != nullptr;
}
} // namespace

bool ShareKey(WPARAM virtualKey) {
    static char pasted[PastedSize];
    char line[LineSize];
    switch (virtualKey) {
    case 'C':
        GameCodeLine(line, sizeof line);
        CopyText(line);
        return true;
    case 'R':
        if (DailyResultLine(line, sizeof line)) {
            CopyText(line);
        }
        return true;
    case 'V':
        if (PastedText(pasted, sizeof pasted)) {
            TakeSharedText(pasted);
        }
        return true;
    case 'D':
        KeyDown(Key::D, ControlHeld);
        return true;
    default:
        return false;
    }
}
