// The three dialogs of the Windows program: Options, About and name entry.
#pragma once

#include <windows.h>

#include <cstdint>

DLGPROC DialogProcedure(int32_t templateId);
void CenterDialog(HWND dialog); // on the game's picture, within its screen's work area
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void NameTypedSoFar(char* text, int size); // empty when the name dialog is not open
void ChooseWaveFile(HWND owner, int32_t slot);
void CountSkins();
void StepSkin(int32_t delta);
