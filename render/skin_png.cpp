// The skin sheet from a PNG file, decoded by libpng: the Windows program's, the tests' and the
// tools'. (The browser decodes its own pictures: web/skin_web.cpp.)
#include "render/skin.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr const char* DescriptionKey = "AboutSkinner";
// A sheet's layout is 1000 x 760; a file that claims more than this is refused before a single
// row is made, however large its header says it is.
constexpr png_uint_32 MaxSheetSide = 4096;

struct PngRead {
    png_structp png;
    png_infop info;
    FILE* file;
};

// The rows of the sheet, handed to libpng so that it decodes straight into them.
png_bytep SheetRows[MaxSheetSide];

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

// 16-bit samples to 8, alpha dropped, packed samples unpacked, blue-green-red order; grey and
// palette pictures are expanded to truecolour so every row holds width x 3 bytes.
void RequestBgrRows(png_structp png) {
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_packing(png);
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
}

bool MakeSheet(PngRead* read) {
    auto width = static_cast<int32_t>(png_get_image_width(read->png, read->info));
    auto height = static_cast<int32_t>(png_get_image_height(read->png, read->info));
    size_t rowBytes = png_get_rowbytes(read->png, read->info);
    if (rowBytes != static_cast<size_t>(width) * 3 ||
        !CreatePixelBuffer(&SkinSheet, width, height)) {
        return false;
    }
    for (int32_t row = 0; row < height; row++) {
        SheetRows[row] = PixelAt(SkinSheet, 0, row);
    }
    return true;
}

// libpng reports a damaged, truncated or oversized file by jumping back here; whatever was
// made so far is given back.
bool Decode(PngRead* read) {
    if (setjmp(png_jmpbuf(read->png))) {
        FreeSkin();
        return false;
    }
    png_set_user_limits(read->png, MaxSheetSide, MaxSheetSide);
    png_init_io(read->png, read->file);
    png_read_info(read->png, read->info);
    RequestBgrRows(read->png);
    png_read_update_info(read->png, read->info);
    if (!MakeSheet(read)) {
        FreeSkin();
        return false;
    }
    png_read_image(read->png, SheetRows);
    png_read_end(read->png, read->info);
    TakeDescription(read);
    return true;
}
} // namespace

bool LoadSkinFile(const char* name) {
    PngRead read = {};
    read.file = OpenPlainFile(name);
    if (!read.file) {
        return false;
    }
    read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    read.info = read.png ? png_create_info_struct(read.png) : nullptr;
    bool loaded = read.info && Decode(&read);
    if (read.png) {
        png_destroy_read_struct(&read.png, read.info ? &read.info : nullptr, nullptr);
    }
    std::fclose(read.file);
    return loaded;
}
