// Small helpers for the tools that write binary files: wave files, the icon and the cursor.
#pragma once

#include <cstdint>
#include <vector>

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes);
bool WriteBinaryFile(const char* path, const std::vector<uint8_t>& bytes);

// The head of an icon (type 1) or cursor (type 2) file with one 32 x 32 image: the directory,
// its one entry and the image's bitmap header. An icon's entry holds its planes and bits a
// pixel where a cursor's holds its hot spot. The palette, the colour bitmap and the mask follow.
struct IconImage {
    int type;
    int colourCount;
    int bitCount;
    int entryFieldA; // icon: planes; cursor: hot spot x
    int entryFieldB; // icon: bits a pixel; cursor: hot spot y
};
void PutIconHeader(std::vector<uint8_t>& out, const IconImage& image);
