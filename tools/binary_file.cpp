#include "tools/binary_file.h"

#include <cstdio>

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

bool WriteBinaryFile(const char* path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

void PutIconHeader(std::vector<uint8_t>& out, const IconImage& image) {
    const uint32_t colourBytes = 32 * 32 * static_cast<uint32_t>(image.bitCount) / 8;
    const uint32_t maskBytes = 32 * 4; // 1 bit a pixel
    const uint32_t paletteBytes = 4 * static_cast<uint32_t>(image.colourCount);
    const uint32_t headerBytes = 40;
    const uint32_t directoryBytes = 6 + 16;
    PutLittleEndian(out, 0, 2);
    PutLittleEndian(out, static_cast<uint32_t>(image.type), 2);
    PutLittleEndian(out, 1, 2); // one image
    out.push_back(32);
    out.push_back(32);
    out.push_back(static_cast<uint8_t>(image.colourCount));
    out.push_back(0);
    PutLittleEndian(out, static_cast<uint32_t>(image.entryFieldA), 2);
    PutLittleEndian(out, static_cast<uint32_t>(image.entryFieldB), 2);
    PutLittleEndian(out, headerBytes + paletteBytes + colourBytes + maskBytes, 4);
    PutLittleEndian(out, directoryBytes, 4);
    PutLittleEndian(out, headerBytes, 4);
    PutLittleEndian(out, 32, 4);
    PutLittleEndian(out, 64, 4); // the height counts the colour and the mask bitmaps
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, static_cast<uint32_t>(image.bitCount), 2);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, colourBytes + maskBytes, 4);
    for (int i = 0; i < 4; i++) {
        PutLittleEndian(out, 0, 4);
    }
}
