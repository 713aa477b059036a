// Loading the default skin against a bare libpng decode of the same file, a full redraw, the
// core's share of start-up, and the pacing of animations against a real clock.
#include <benchmark/benchmark.h>
#include <png.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "game/turn.h"
#include "render/animate.h"
#include "render/draw.h"
#include "render/skin.h"
#include "render/sound.h"
#include "store/profile_memory.h"
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

// From the settings file to the first full picture: what start-up asks of the core, with a
// saved game and leaders to read.
void BM_StartUp(benchmark::State& state) {
    ResetDouble();
    SetRecording(false);
    std::memset(&Game, 0, sizeof Game);
    NewGame();
    LoadSettings();
    std::snprintf(Skin, sizeof Skin, "%s", DefaultSheet);
    SaveSettings();
    for (auto _ : state) {
        NewGame();
        LoadSettings();
        LoadSkin();
        SelectSkin();
        CreateBackBuffer();
        RedrawScreen(true, true, true);
        FreeBackBuffer();
        FreeSkin();
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

// A move across the board (16 steps), the removal of a line and the landing of three balls,
// drawn with the real skin and paced by the real clock: the time they take against the sum of
// their nominal pauses. The second argument is the sleep's timer tick in microseconds: 0 for
// exact sleeps, 1000 for the 1 ms period the Windows program asks for, 15625 for Windows'
// default.
void BM_AnimationPacing(benchmark::State& state) {
    ResetDouble();
    SetRecording(false);
    std::snprintf(Skin, sizeof Skin, "%s", DefaultSheet);
    LoadSkin();
    SelectSkin();
    CreateBackBuffer();
    AnimationSpeed = static_cast<int32_t>(state.range(0));
    UseRealTime(true, static_cast<uint32_t>(state.range(1)));
    const int32_t nominal = 16 * (2000 / AnimationSpeed) + 19 * (5000 / AnimationSpeed);
    double elapsed = 0;
    for (auto _ : state) {
        std::memset(&Game, 0, sizeof Game);
        ClearBoard();
        Game.board[0] = 2;
        SelectBall(0, 0);
        FindPath(8, 8);
        int8_t removed[CellCount];
        std::memset(removed, EmptyCell, sizeof removed);
        std::memset(removed + CellIndex(0, 4), 3, 5);
        auto start = std::chrono::steady_clock::now();
        AnimateMove(Game.board[0], Game.nextBalls);
        AnimateVanish(removed);
        AnimateAppear(Game.nextBalls);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        elapsed += took.count();
    }
    state.counters["elapsed/nominal"] =
        elapsed * 1000.0 / static_cast<double>(nominal) / static_cast<double>(state.iterations());
    UseRealTime(false, 0);
    FreeBackBuffer();
    FreeSkin();
}
BENCHMARK(BM_AnimationPacing)
    ->ArgsProduct({{100, 1000}, {0, 1000, 15625}})
    ->ArgNames({"speed", "tick_us"})
    ->Iterations(4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
