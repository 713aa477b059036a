#include "render/skin.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "store/settings.h"

PixelBuffer SkinSheet;
char* SkinDescription;
const PixelBuffer* SelectedSkin;

namespace {
constexpr const char* DefaultSkin = "brimzo.png";
constexpr const char* DescriptionKey = "AboutSkinner";

// 16-bit samples to 8, alpha dropped, packed samples unpacked, blue-green-red order; grey and
// palette pictures are expanded to truecolour so every row holds width x 3 bytes.
constexpr int ReadTransforms = PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_STRIP_ALPHA |
                               PNG_TRANSFORM_PACKING | PNG_TRANSFORM_BGR | PNG_TRANSFORM_EXPAND |
                               PNG_TRANSFORM_GRAY_TO_RGB;

struct PngRead {
    png_structp png;
    png_infop info;
    FILE* file;
};

FILE* OpenSkinFile() {
    FILE* file = std::fopen(Skin, "rb");
    return file ? file : std::fopen(DefaultSkin, "rb");
}

// The last "AboutSkinner" chunk wins; chunks before and after the image data both count.
void TakeDescription(PngRead* read) {
    png_textp texts = nullptr;
    int count = png_get_text(read->png, read->info, &texts, nullptr);
    for (int i = 0; i < count; i++) {
        if (std::strcmp(texts[i].key, DescriptionKey) != 0) {
            continue;
        }
        size_t length = std::strlen(texts[i].text);
        auto* copy = static_cast<char*>(std::malloc(length + 1));
        if (copy) {
            std::memcpy(copy, texts[i].text, length + 1);
        }
        std::free(SkinDescription);
        SkinDescription = copy;
    }
}

bool CopyRows(PngRead* read) {
    auto width = static_cast<int32_t>(png_get_image_width(read->png, read->info));
    auto height = static_cast<int32_t>(png_get_image_height(read->png, read->info));
    size_t rowBytes = png_get_rowbytes(read->png, read->info);
    if (rowBytes != static_cast<size_t>(width) * 3 ||
        !CreatePixelBuffer(&SkinSheet, width, height)) {
        return false;
    }
    png_bytepp rows = png_get_rows(read->png, read->info);
    for (int32_t row = 0; row < height; row++) {
        std::memcpy(SkinSheet.pixels + row * SkinSheet.stride, rows[row], rowBytes);
    }
    return true;
}

// libpng reports a damaged or truncated file by jumping back here; whatever was made so far is
// given back and the game runs on without a sheet.
void Decode(PngRead* read) {
    if (setjmp(png_jmpbuf(read->png))) {
        FreeSkin();
        return;
    }
    png_init_io(read->png, read->file);
    png_read_png(read->png, read->info, ReadTransforms, nullptr);
    TakeDescription(read);
    if (!CopyRows(read)) {
        FreeSkin();
    }
}
} // namespace

void LoadSkin() {
    PngRead read = {};
    read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!read.png) {
        return;
    }
    read.info = png_create_info_struct(read.png);
    read.file = read.info ? OpenSkinFile() : nullptr;
    if (read.file) {
        Decode(&read);
        std::fclose(read.file);
    }
    png_destroy_read_struct(&read.png, read.info ? &read.info : nullptr, nullptr);
}

void FreeSkin() {
    SelectedSkin = nullptr;
    if (SkinSheet.pixels) {
        FreePixelBuffer(&SkinSheet);
    }
    std::free(SkinDescription);
    SkinDescription = nullptr;
}

void SelectSkin() {
    SelectedSkin = SkinSheet.pixels ? &SkinSheet : nullptr;
}
