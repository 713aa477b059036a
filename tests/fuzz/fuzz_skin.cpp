// The skin loader against any file. The first byte chooses between the bytes as they come and
// a PNG file written from them (size, kind of picture, interlacing, a description) with one
// byte then spoiled, so that the decoding into the sheet's rows is reached too. Whatever it
// reads, the loader keeps a whole sheet or none.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <png.h>

#include "render/skin.h"
#include "store/settings.h"
#include "tests/fuzz/fuzz_support.h"
#include "tools/png_file.h"

namespace {

using fuzz::Require;
constexpr const char* File = "fuzz-skin.png";
constexpr int Kinds[] = {PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA, PNG_COLOR_TYPE_GRAY,
                         PNG_COLOR_TYPE_PALETTE, PNG_COLOR_TYPE_GRAY_ALPHA};

void WriteRaw(const uint8_t* data, size_t size) {
    std::FILE* out = std::fopen(File, "wb");
    std::fwrite(data, 1, size, out);
    std::fclose(out);
}

// A picture made of the input's bytes, then one byte of the file changed.
void WriteSpoiledPng(const uint8_t* data, size_t size) {
    int width = 1 + data[0] % 40;
    int height = 1 + data[1] % 40;
    static uint8_t rgb[40 * 40 * 3];
    for (size_t i = 0; i < sizeof rgb; i++) {
        rgb[i] = data[i % size];
    }
    PngText about{"AboutSkinner", "fuzz", (data[2] & 1) != 0};
    PngOptions options{
        Kinds[data[2] % 5], data[3] & 1 ? 16 : 8, &about, data[3] & 2 ? 1 : 0, nullptr, 0,
        (data[3] & 4) != 0};
    WritePng(File, rgb, width, height, options);
    std::FILE* file = std::fopen(File, "r+b");
    std::fseek(file, data[4] * 4 + data[5], SEEK_SET);
    std::fputc(data[6], file);
    std::fclose(file);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::CountAcceptedAtExit("sheets accepted");
    std::snprintf(Skin, sizeof Skin, "%s", File);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) {
        return 0;
    }
    if (data[7] & 1) {
        WriteSpoiledPng(data, size);
    } else {
        WriteRaw(data + 8, size - 8);
    }
    LoadSkin();
    if (SkinSheet.pixels) {
        fuzz::Accepted++;
        Require(SkinSheet.width <= 4096 && SkinSheet.height <= 4096);
        volatile uint8_t last = *PixelAt(SkinSheet, SkinSheet.width - 1, SkinSheet.height - 1);
        (void)last; // the whole sheet is there to be read
    }
    FreeSkin();
    return 0;
}
