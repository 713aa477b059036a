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
