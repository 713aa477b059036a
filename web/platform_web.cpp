// The platform operations of the core in a browser page: the canvas, Web Audio, the page's
// dialogs and its event queue (web/brimzo.js holds the page's side of each call).
#include <emscripten.h>

#include <cstring>

#include "render/draw.h"
#include "render/sound.h"
#include "shell/platform.h"
#include "store/settings.h"
#include "web/web.h"

namespace {
// What was drawn since the picture was last shown. The page cannot show anything while the
// game runs, so drawing is gathered into one rectangle and shown whenever the game waits.
struct Rectangle {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
constexpr Rectangle NothingDrawn = {ScreenWidth, ScreenHeight, 0, 0};
Rectangle Drawn = NothingDrawn;

int32_t Smaller(int32_t a, int32_t b) {
    return a < b ? a : b;
}

int32_t Larger(int32_t a, int32_t b) {
    return a > b ? a : b;
}
} // namespace

EM_JS(void, JsPresent,
      (const uint8_t* pixels, int32_t stride, int32_t x, int32_t y, int32_t width, int32_t height),
      { Module.page.present(HEAPU8, pixels, stride, x, y, width, height); });
EM_JS(void, JsPlayWave, (const char* file, const char* standard, bool mayCutShort), {
    Module.page.playWave(Module.page.textAt(HEAPU8, file), Module.page.textAt(HEAPU8, standard),
                         mayCutShort);
});
EM_JS(uint32_t, JsClock, (), { return Module.page.clock(); });
EM_JS(void, JsUtcTime, (UtcTime * time), { HEAPU16.set(Module.page.utcTime(), time / 2); });
EM_JS(void, JsLocalDate, (LocalDate * date), { HEAPU16.set(Module.page.localDate(), date / 2); });
EM_ASYNC_JS(void, JsNextEvent, (WebEvent * event),
            { HEAP32.set(Module.page.fields(await Module.page.nextEvent()), event / 4); });
EM_JS(int32_t, JsEventText, (char* buffer, int32_t size),
      { return Module.page.copyOut(HEAPU8, Module.page.eventBytes(), buffer, size); });
EM_ASYNC_JS(void, JsWaitForever, (), { await Module.page.never(); });
EM_JS(void, JsSetBounceTimer, (uint32_t milliseconds),
      { Module.page.setBounceTimer(milliseconds); });
EM_JS(bool, JsFullScreenEnabled, (), { return Module.page.fullScreenEnabled(); });
EM_JS(void, JsEnterFullScreen, (), { Module.page.enterFullScreen(); });
EM_JS(void, JsLeaveFullScreen, (), { Module.page.leaveFullScreen(); });
EM_JS(void, JsStopped, (), { Module.page.stopped(); });

void WaitEvent(WebEvent* event) {
    FlushPicture();
    JsNextEvent(event);
}

int32_t EventText(char* buffer, int32_t size) {
    return JsEventText(buffer, size);
}

void FlushPicture() {
    if (Drawn.left >= Drawn.right || Drawn.top >= Drawn.bottom || !BackBuffer.pixels) {
        return;
    }
    JsPresent(BackBuffer.pixels, BackBuffer.stride, Drawn.left, Drawn.top, Drawn.right - Drawn.left,
              Drawn.bottom - Drawn.top);
    Drawn = NothingDrawn;
}

void SetBounceTimer(uint32_t milliseconds) {
    JsSetBounceTimer(milliseconds);
}

void WaitForever() {
    FlushPicture();
    for (;;) {
        JsWaitForever();
    }
}

// The last picture stays on the page.
void StopForever() {
    FlushPicture();
    JsStopped();
    WaitForever();
}

void PresentRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    Drawn.left = Larger(0, Smaller(Drawn.left, x));
    Drawn.top = Larger(0, Smaller(Drawn.top, y));
    Drawn.right = Smaller(ScreenWidth, Larger(Drawn.right, x + width));
    Drawn.bottom = Smaller(ScreenHeight, Larger(Drawn.bottom, y + height));
}

void PlayWaveFile(const char* file, const char* standardFile, bool mayCutShort) {
    JsPlayWave(file, standardFile, mayCutShort);
}

void SleepMilliseconds(uint32_t milliseconds) {
    FlushPicture();
    emscripten_sleep(milliseconds);
}

uint32_t MillisecondClock() {
    return JsClock();
}

void GetUtcTime(UtcTime* time) {
    JsUtcTime(time);
}

void GetLocalDate(LocalDate* date) {
    JsLocalDate(date);
}

int32_t RunModalDialog(int32_t templateId) {
    return RunPageDialog(templateId);
}

bool AskOkCancel(const char* question, const char* caption) {
    return RunQuestionBox(question, caption);
}

// The browser's full-screen mode has one size; a page where it is not allowed (a frame that
// forbids it) has none.
bool FindFullScreenMode(int32_t) {
    return JsFullScreenEnabled();
}

// The browser answers later: a refusal comes back as an event that leaves full screen again,
// so a page never ends the game over it.
bool EnterFullScreenMode() {
    JsEnterFullScreen();
    return true;
}

void LeaveFullScreenMode() {
    JsLeaveFullScreen();
}

// A page cannot move; the position stays in the settings for the Windows program.
void MoveMainWindow(int32_t, int32_t) {}

void ShowStopMessage(const char* text, const char* caption) {
    RunMessageBox(text, caption);
}

// One message, then the end, as on Windows: a second failure while the first is shown ends
// at once.
void FatalError(const char* message) {
    static bool failing = false;
    if (!failing) {
        failing = true;
        RunMessageBox(message, "Brimzo Error!");
        Shutdown();
    }
    StopForever();
}

// The game's folder in a page is a name only: the page hands the game every file it reads.
uint32_t CurrentDirectory(char* buffer, uint32_t size) {
    constexpr char Folder[] = "/brimzo";
    if (sizeof Folder > size) {
        return sizeof Folder;
    }
    std::memcpy(buffer, Folder, sizeof Folder);
    return sizeof Folder - 1;
}
