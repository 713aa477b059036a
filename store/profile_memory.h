// Profile files kept as text in memory, for the platforms that have no profile calls of their
// own (the browser, the tests, the tools). Reading and writing follow the Windows profile
// reader and writer: sections and keys matched in any case, blanks around names and values
// dropped, one pair of quotes around a value removed when it is read, and the whole text
// written back as "[SECTION]" and "Key=value" lines ending in CR LF.
#pragma once

#include <cstdint>

constexpr int32_t ProfileTextCapacity = 32768; // a settings file is about 2.5 KiB

// The file's whole text; false (and nothing changed) when it does not fit.
bool SetProfileFileText(const char* path, const char* text, int32_t length);
// The length of the file's text, -1 when there is no such file; the buffer receives at most
// size - 1 bytes of it and a terminating zero.
int32_t ProfileFileText(const char* path, char* buffer, int32_t size);
void ForgetProfileFiles();
bool SetProfileFileReadOnly(const char* path, bool readOnly); // false when there is no such file
