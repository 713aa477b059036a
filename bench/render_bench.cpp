// Loading the default skin against a bare libpng decode of the same file, and a full redraw.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <cstring>

#include "game/game.h"
#include "render/draw.h"
#include "render/skin.h"
#include "store/settings.h"
#include "tests/double/double.h"

namespace {

constexpr const char* DefaultSheet = BRIMZO_ASSET_DIR "/brimzo.png";

void BM_LoadSkin(benchmark::State& state) {
    ResetDouble();
    SetRecording(false);
    std::snprintf(Skin, sizeof Skin, "%s", DefaultSheet);
    for (auto _ : state) {
        LoadSkin();
        benchmark::DoNotOptimize(SkinSheet.pixels);
        FreeSkin();
    }
}
BENCHMARK(BM_LoadSkin)->Unit(benchmark::kMillisecond);

// The same decode with nothing around it: no text, no copy into a sheet.
void BM_BarePngDecode(benchmark::State& state) {
    for (auto _ : state) {
        FILE* file = std::fopen(DefaultSheet, "rb");
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_init_io(png, file);
        png_read_png(png, info, static_cast<int>(state.range(0)), nullptr);
        benchmark::DoNotOptimize(png_get_rows(png, info));
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
    }
}
BENCHMARK(BM_BarePngDecode)
    ->Arg(0x87)
    ->Arg(0x87 | PNG_TRANSFORM_EXPAND | PNG_TRANSFORM_GRAY_TO_RGB)
    ->Unit(benchmark::kMillisecond);

void BM_RedrawScreen(benchmark::State& state) {
    ResetDouble();
    SetRecording(false);
    std::memset(&Game, 0, sizeof Game);
    NewGame();
    std::snprintf(Skin, sizeof Skin, "%s", DefaultSheet);
    LoadSkin();
    SelectSkin();
    CreateBackBuffer();
    for (auto _ : state) {
        RedrawScreen(true, true, true);
    }
    FreeBackBuffer();
    FreeSkin();
}
BENCHMARK(BM_RedrawScreen)->Unit(benchmark::kMicrosecond);

} // namespace
