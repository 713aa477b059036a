// Path search, shape checks and whole games, measured. Run: build/release/bench/core_bench
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "game/turn.h"
#include "tests/double/double.h"
#include "tests/path_oracle.h"
#include "tests/random_play.h"

namespace {

// A board of the given density with the ball at (0, 0) and a reachable target far away.
void PrepareBoard(double density, uint32_t seed, int32_t* targetColumn, int32_t* targetRow) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (;;) {
        std::memset(&Game, 0, sizeof Game);
        for (int8_t& cell : Game.board) {
            cell = unit(random) < density ? static_cast<int8_t>(random() % 7) : EmptyCell;
        }
        Game.board[0] = 1;
        Game.board[CellCount - 1] = EmptyCell;
        SelectBall(0, 0);
        if (FindPath(8, 8)) {
            *targetColumn = 8;
            *targetRow = 8;
            return;
        }
    }
}

void BM_FindPath(benchmark::State& state) {
    int32_t column = 0;
    int32_t row = 0;
    PrepareBoard(static_cast<double>(state.range(0)) / 100.0, 7, &column, &row);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindPath(column, row));
    }
}
BENCHMARK(BM_FindPath)->Arg(0)->Arg(40)->ArgName("density%");

void BM_FindPathLiteral(benchmark::State& state) {
    int32_t column = 0;
    int32_t row = 0;
    PrepareBoard(static_cast<double>(state.range(0)) / 100.0, 7, &column, &row);
    static OraclePath path;
    for (auto _ : state) {
        benchmark::DoNotOptimize(OracleFindPath(Game.board, 0, 0, column, row, &path));
    }
    state.counters["spreadCalls"] = static_cast<double>(path.spreadCalls);
}
BENCHMARK(BM_FindPathLiteral)->Arg(0)->Arg(40)->ArgName("density%");

void BM_CheckShapes(benchmark::State& state) {
    std::mt19937 random(11);
    std::memset(&Game, 0, sizeof Game);
    for (int8_t& cell : Game.board) {
        cell = random() % 2 ? static_cast<int8_t>(random() % 7) : EmptyCell;
    }
    Game.mode = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CheckShapes());
    }
}
BENCHMARK(BM_CheckShapes)->Arg(Lines)->Arg(Squares)->Arg(Groups)->ArgName("mode");

// Whole games of random legal moves clicked through the turn, with no pauses and nothing
// recorded: turns per second, the choice of the move included.
void BM_RandomGames(benchmark::State& state) {
    std::memset(&Game, 0, sizeof Game);
    ResetDouble();
    SetRecording(false);
    Game.mode = static_cast<int32_t>(state.range(0));
    NewGame();
    std::mt19937 random(5);
    int64_t turns = 0;
    int32_t from = 0;
    int32_t to = 0;
    for (auto _ : state) {
        if (!ChooseRandomMove(random, &from, &to)) {
            NewGame();
            continue;
        }
        ClickCell(from % BoardSize, from / BoardSize);
        ClickCell(to % BoardSize, to / BoardSize);
        turns++;
    }
    state.counters["turns/s"] =
        benchmark::Counter(static_cast<double>(turns), benchmark::Counter::kIsRate);
    SetRecording(true);
}
BENCHMARK(BM_RandomGames)->Arg(Lines)->Arg(Squares)->Arg(Groups)->ArgName("mode");

// The same games headless, by the rules alone: what a computer player, a replay or a score
// check pays for a turn.
void BM_HeadlessGames(benchmark::State& state) {
    std::memset(&Game, 0, sizeof Game);
    Game.mode = static_cast<int32_t>(state.range(0));
    DealGame();
    std::mt19937 random(5);
    MoveRecord move;
    int64_t turns = 0;
    int32_t from = 0;
    int32_t to = 0;
    for (auto _ : state) {
        if (!ChooseRandomMove(random, &from, &to)) {
            DealGame();
            continue;
        }
        SelectBall(from % BoardSize, from / BoardSize);
        PlayMove(to % BoardSize, to / BoardSize, &move);
        turns++;
        if (move.gameOver) {
            DealGame();
        }
    }
    state.counters["turns/s"] =
        benchmark::Counter(static_cast<double>(turns), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HeadlessGames)->Arg(Lines)->Arg(Squares)->Arg(Groups)->ArgName("mode");

} // namespace

BENCHMARK_MAIN();
