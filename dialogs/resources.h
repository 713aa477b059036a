// Resource ids, one number each: named for the resource script (as macros: the resource
// compiler reads only the preprocessor) and for the code of both platforms' dialogs. The
// page's copies in web/index.html are checked against the script by scripts/check_sources.py.
#pragma once

#define IDI_BRIMZO 111    // the program's icon
#define IDC_LINK_HAND 123 // the pointing hand over the About dialog's links

#define IDD_OPTIONS 1000
#define IDD_ABOUT 1001
#define IDD_NAME 1002

// Options: a row of three controls for each sound (the row's slot is OptionsRowSlot[row])
#define IDC_SOUND_ON 101      // the row's check box is this plus the row, 0 to 3
#define IDC_SOUND_PREVIEW 201 // "->", plus the row
#define IDC_SOUND_CHANGE 301  // "Change", plus the row
#define IDC_SPEED 501
#define IDC_PREVIOUS_SKIN 601
#define IDC_NEXT_SKIN 602
#define IDC_SKIN_TEXT 701
// About: the two addresses are both the text of their controls and what they open
#define IDC_FIRST_LINK 12321
#define IDC_SECOND_LINK 12322
#define BRIMZO_FIRST_LINK "https://brimzo.example.org/"
#define BRIMZO_SECOND_LINK "https://brimzo.example.org/pocket/"
// name entry
#define IDC_NAME 401

#ifndef RC_INVOKED
#include <cstdint>

constexpr int32_t OptionsDialogTemplate = IDD_OPTIONS;
constexpr int32_t AboutDialogTemplate = IDD_ABOUT;
constexpr int32_t NameDialogTemplate = IDD_NAME;

constexpr int32_t SoundCheckBox = IDC_SOUND_ON;
constexpr int32_t SoundPreview = IDC_SOUND_PREVIEW;
constexpr int32_t SoundChange = IDC_SOUND_CHANGE;
constexpr int32_t SpeedEdit = IDC_SPEED;
constexpr int32_t PreviousSkin = IDC_PREVIOUS_SKIN;
constexpr int32_t NextSkin = IDC_NEXT_SKIN;
constexpr int32_t SkinText = IDC_SKIN_TEXT;
constexpr int32_t FirstLink = IDC_FIRST_LINK;
constexpr int32_t SecondLink = IDC_SECOND_LINK;
constexpr int32_t NameEdit = IDC_NAME;
#endif
