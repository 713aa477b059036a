// Writing PNG files from 8-bit RGB pictures, for the asset tools and the tests.
#pragma once

#include <cstdint>

struct PngText {
    const char* key;
    const char* text;
    bool compressed; // zTXt rather than tEXt
};

struct PngOptions {
    int colourType;       // a PNG_COLOR_TYPE_* value; grey and palette pictures are derived
    int bitDepth;         // 8 or 16 (16 repeats each 8-bit sample)
    const PngText* texts; // written before the image data
    int textCount;
    const PngText* textsAfter; // written after the image data
    int textAfterCount;
    bool interlaced; // Adam7
};

// rgb: width x height pixels, 3 bytes each (red, green, blue), rows packed.
bool WritePng(const char* path, const uint8_t* rgb, int width, int height,
              const PngOptions& options);
bool WriteRgbPng(const char* path, const uint8_t* rgb, int width, int height);
