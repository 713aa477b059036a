// The browser version's own parts: the one queue of events the page sends, the picture on the
// canvas, and the page's dialogs, driven by control id as the Windows dialogs are.
#pragma once

#include <cstdint>

// Every event of the page, in the order it happened. The game takes them one at a time, in its
// main loop or in the loop of an open dialog, so nothing reaches the core while it waits inside
// an animation or a dialog.
enum class EventKind : int32_t {
    PointerDown = 1,    // a, b: the point on the 640 x 480 picture
    PointerMove = 2,    // a, b: as PointerDown
    Tick = 3,           // the bounce timer
    FullScreenLeft = 4, // the browser left full screen, or refused to enter it
    Command = 5,        // a: a dialog's control id, b: its template; the text: its field
    Import = 6,         // the text: a settings file the player chose
    KeyDown = 7,        // a: a Key, b: ShiftHeld and ControlHeld
    SharedCode = 8,     // the text: the page's link from its '#'
};

struct WebEvent {
    EventKind kind;
    int32_t a;
    int32_t b;
};

// What the page's storage did with a save.
enum class Storage : int32_t { Kept = 0, Blocked = 1, Full = 2 };

constexpr int32_t MessageBoxTemplate = 0; // the page's message box, for Command events
constexpr int32_t OkCommand = 1;
constexpr int32_t CancelCommand = 2; // Escape

void WaitEvent(WebEvent* event); // shows what was drawn before it waits
// The bytes of the event's text; at most size - 1 of them and a zero go into the buffer.
// Returns the whole length.
int32_t EventText(char* buffer, int32_t size);
void FlushPicture();
void SetBounceTimer(uint32_t milliseconds);
[[noreturn]] void WaitForever(); // the page reloads, or the player closes it
[[noreturn]] void StopForever(); // the game has ended: the page offers to start it again

// main_web.cpp: what the game window does with the events that reach it during a dialog
void HandleBackgroundEvent(const WebEvent& event);
void Shutdown();

// dialogs_web.cpp
int32_t RunPageDialog(int32_t templateId);
void RunMessageBox(const char* text, const char* caption);
bool RunQuestionBox(const char* text, const char* caption); // true for Ok
bool NameTypedSoFar(char* text, int32_t size); // false, and empty, when the dialog is not open
