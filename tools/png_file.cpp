#include "tools/png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace {

std::vector<png_text> Texts(const PngText* texts, int count) {
    std::vector<png_text> list(static_cast<size_t>(count));
    for (int i = 0; i < count; i++) {
        png_text& text = list[static_cast<size_t>(i)];
        text = png_text{};
        text.compression =
            texts[i].compressed ? PNG_TEXT_COMPRESSION_zTXt : PNG_TEXT_COMPRESSION_NONE;
        text.key = const_cast<char*>(texts[i].key);
        text.text = const_cast<char*>(texts[i].text);
    }
    return list;
}

int Channels(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
        return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 3;
    }
}

// One row in the file's own form. Grey takes the green sample; a palette picture indexes a
// palette of the picture's first 256 colours.
void MakeRow(const uint8_t* rgb, int width, const PngOptions& options,
             std::vector<png_color>& palette, std::vector<uint8_t>& row) {
    int channels = Channels(options.colourType);
    int bytes = options.bitDepth / 8;
    row.assign(static_cast<size_t>(width * channels * bytes), 0);
    for (int x = 0; x < width; x++) {
        const uint8_t* pixel = rgb + 3 * x;
        uint8_t samples[4] = {pixel[0], pixel[1], pixel[2], 255};
        if (options.colourType == PNG_COLOR_TYPE_GRAY ||
            options.colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
            samples[0] = pixel[1];
            samples[1] = 255;
        } else if (options.colourType == PNG_COLOR_TYPE_PALETTE) {
            size_t index = 0;
            while (index < palette.size() &&
                   !(palette[index].red == pixel[0] && palette[index].green == pixel[1] &&
                     palette[index].blue == pixel[2])) {
                index++;
            }
            if (index == palette.size() && palette.size() < 256) {
                palette.push_back(png_color{pixel[0], pixel[1], pixel[2]});
            }
            samples[0] = static_cast<uint8_t>(index < 256 ? index : 0);
        }
        for (int c = 0; c < channels; c++) {
            for (int b = 0; b < bytes; b++) {
                row[static_cast<size_t>((x * channels + c) * bytes + b)] = samples[c];
            }
        }
    }
}

bool Write(FILE* file, const uint8_t* rgb, int width, int height, const PngOptions& options) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<std::vector<uint8_t>> rows(static_cast<size_t>(height));
    std::vector<png_color> palette;
    for (int y = 0; y < height; y++) {
        MakeRow(rgb + 3 * width * y, width, options, palette, rows[static_cast<size_t>(y)]);
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) {
        pointers.push_back(row.data());
    }
    std::vector<png_text> before = Texts(options.texts, options.textCount);
    std::vector<png_text> after = Texts(options.textsAfter, options.textAfterCount);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                 options.bitDepth, options.colourType,
                 options.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (options.colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    if (!before.empty()) {
        png_set_text(png, info, before.data(), static_cast<int>(before.size()));
    }
    png_write_info(png, info);
    png_set_interlace_handling(png);
    png_write_image(png, pointers.data());
    png_infop end = png_create_info_struct(png);
    if (!after.empty()) {
        png_set_text(png, end, after.data(), static_cast<int>(after.size()));
    }
    png_write_end(png, end);
    png_destroy_info_struct(png, &end);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool WritePng(const char* path, const uint8_t* rgb, int width, int height,
              const PngOptions& options) {
    FILE* file = std::fopen(path, "wb");
    if (!file) {
        return false;
    }
    bool written = Write(file, rgb, width, height, options);
    return std::fclose(file) == 0 && written;
}

bool WriteRgbPng(const char* path, const uint8_t* rgb, int width, int height) {
    return WritePng(path, rgb, width, height,
                    PngOptions{PNG_COLOR_TYPE_RGB, 8, nullptr, 0, nullptr, 0, false});
}
