// Shared by the resource script and the code: the About dialog's two addresses are both the
// text of their controls and what they open.
#pragma once

#define BRIMZO_FIRST_LINK "https://brimzo.example.org/"
#define BRIMZO_SECOND_LINK "https://brimzo.example.org/pocket/"
