// The Windows program's own state: the instance, the main window and its drawing contexts.
#pragma once

#include <windows.h>

extern HINSTANCE Instance;
extern HWND MainWindow;
extern HDC WindowDC;
extern HDC BackBufferDC;
extern bool DialogOpen; // a dialog run by RunModalDialog is open

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void Shutdown();

// Text between the wide calls of Windows and UTF-8 (the paths of the profile files) or the code
// page; false when it does not fit, or has a character the code page lacks.
bool WideFromUtf8(const char* text, wchar_t* wide, int size);
bool Utf8FromWide(const wchar_t* wide, char* text, int size);
bool ExactAnsiFromWide(const wchar_t* wide, char* text, int size);

// Every message box of the program goes through here: centred on the game's picture and
// above its window, as the dialogs are. The text is in the code page, or wide.
int MessageBoxOverGame(HWND owner, const char* text, const char* caption, UINT type);
int MessageBoxOverGame(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// With Control: C copies the game's code, V takes a pasted one, R copies the daily result, D
// deals today's game.
bool ShareKey(WPARAM virtualKey);
