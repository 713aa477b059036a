// Headless autoplay: games played to their end by the rules alone, from fixed seeds, by the
// computer player or, for scale, by a random or a simple greedy one. Prints a table of the
// scores, the moves per game and the time of one choice, per mode and player (scripts/
// autoplay.sh puts it into docs/measurements.md); with --record, every game as a record line
// (game/record.h).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "game/daily.h"
#include "game/player.h"
#include "game/record.h"
#include "tests/random_play.h"

namespace {

enum Player { Random, Greedy, Best, PlayerCount };
const char* const PlayerNames[PlayerCount] = {"random", "greedy", "best"};

struct Options {
    int32_t games = 100;
    uint32_t seed = 1;
    uint32_t checkSeed = 0; // the best player again from these seeds, 0 for not
    int32_t cap = 0;        // moves per game, 0 for none
    bool modes[3] = {true, true, true};
    bool players[PlayerCount] = {false, false, true};
    const char* record = nullptr;
};

struct Tally {
    std::vector<int32_t> scores;
    std::vector<int32_t> moves;
    std::vector<double> choiceMicroseconds;
    int32_t capped = 0;
    int32_t stuck = 0;
};

BallMove MoveOf(int32_t from, int32_t to) {
    return {from % BoardSize, from / BoardSize, to % BoardSize, to / BoardSize};
}

int32_t SameColourAround(const int8_t* board, int32_t cell, int32_t from) {
    int32_t same = 0;
    for (int32_t dr = -1; dr <= 1; dr++) {
        for (int32_t dc = -1; dc <= 1; dc++) {
            int32_t column = cell % BoardSize + dc;
            int32_t row = cell / BoardSize + dr;
            int32_t next = CellIndex(column, row);
            bool inside = column >= 0 && column < BoardSize && row >= 0 && row < BoardSize;
            same += inside && next != cell && next != from && board[next] == board[from] ? 1 : 0;
        }
    }
    return same;
}

// The move that scores most at once, the landing included; among moves that score nothing,
// the one that puts its ball beside most balls of its colour.
bool ChooseGreedyMove(BallMove* choice) {
    static GameState before;
    before = Game;
    bool found = false;
    int32_t bestPoints = 0;
    int32_t bestBeside = 0;
    for (int32_t from = 0; from < CellCount; from++) {
        for (int32_t to = 0; to < CellCount && before.board[from] != EmptyCell; to++) {
            if (before.board[to] != EmptyCell) {
                continue;
            }
            Game = before;
            SelectBall(from % BoardSize, from / BoardSize);
            MoveRecord move;
            if (!PlayMove(to % BoardSize, to / BoardSize, &move)) {
                continue;
            }
            int32_t beside = SameColourAround(before.board, to, from);
            if (!found || move.points > bestPoints ||
                (move.points == bestPoints && beside > bestBeside)) {
                found = true;
                bestPoints = move.points;
                bestBeside = beside;
                *choice = MoveOf(from, to);
            }
        }
    }
    Game = before;
    return found;
}

bool Choose(Player player, std::mt19937& random, BallMove* choice) {
    switch (player) {
    case Random: {
        int32_t from = 0;
        int32_t to = 0;
        bool chosen = ChooseRandomMove(random, &from, &to);
        *choice = MoveOf(from, to);
        return chosen;
    }
    case Greedy:
        return ChooseGreedyMove(choice);
    default:
        return ChooseMove(choice);
    }
}

void PlayGame(Player player, int32_t mode, uint32_t seed, const Options& options, Tally* tally,
              std::string* record) {
    SeedRandom(seed);
    Game.mode = mode;
    DealGame();
    std::mt19937 random(seed);
    int32_t moves = 0;
    std::string moveText;
    for (bool over = false; !over;) {
        if (options.cap > 0 && moves == options.cap) {
            tally->capped++;
            break;
        }
        BallMove choice;
        auto started = std::chrono::steady_clock::now();
        bool chosen = Choose(player, random, &choice);
        auto ended = std::chrono::steady_clock::now();
        tally->choiceMicroseconds.push_back(
            std::chrono::duration<double, std::micro>(ended - started).count());
        if (!chosen) {
            tally->stuck++;
            break;
        }
        SelectBall(choice.fromColumn, choice.fromRow);
        MoveRecord move;
        if (!PlayMove(choice.toColumn, choice.toRow, &move)) {
            std::fprintf(stderr, "%s chose an illegal move (%s, seed %u)\n", PlayerNames[player],
                         ModeName(mode), seed);
            std::exit(1);
        }
        char text[RecordMoveSize];
        WriteRecordMove(text, choice);
        moveText += text;
        over = move.gameOver;
        moves++;
    }
    tally->scores.push_back(Game.score);
    tally->moves.push_back(moves);
    char head[RecordHeadSize];
    WriteRecordHead(head, mode, seed, Game.score);
    *record = head + moveText;
}

template <typename T>
double Percentile(std::vector<T> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return static_cast<double>(values[index]);
}

template <typename T>
double Mean(const std::vector<T>& values) {
    double sum = 0;
    for (T value : values) {
        sum += static_cast<double>(value);
    }
    return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

std::string TableRow(int32_t mode, Player player, uint32_t seed, const Tally& tally) {
    char row[256];
    std::snprintf(row, sizeof row,
                  "| %s | %s | %u to %u | %.0f | %.0f | %.0f | %.2f | %.2f | %d | %d |\n",
                  ModeName(mode), PlayerNames[player], seed,
                  seed + static_cast<uint32_t>(tally.scores.size()) - 1, Mean(tally.scores),
                  Percentile(tally.scores, 0.5), Mean(tally.moves),
                  Percentile(tally.choiceMicroseconds, 0.5) / 1000,
                  Percentile(tally.choiceMicroseconds, 0.99) / 1000, tally.capped, tally.stuck);
    return row;
}

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; i++) {
        std::string flag = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!value) {
            return false;
        }
        i++;
        if (flag == "--games") {
            options->games = std::atoi(value);
        } else if (flag == "--seed") {
            options->seed = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (flag == "--check-seed") {
            options->checkSeed = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (flag == "--cap") {
            options->cap = std::atoi(value);
        } else if (flag == "--record") {
            options->record = value;
        } else if (flag == "--mode" || flag == "--player") {
            bool* chosen = flag == "--mode" ? options->modes : options->players;
            int32_t count = flag == "--mode" ? 3 : PlayerCount;
            bool any = false;
            for (int32_t k = 0; k < count; k++) {
                const char* name = flag == "--mode" ? ModeName(k) : PlayerNames[k];
                chosen[k] = std::strstr(value, name) != nullptr || std::strcmp(value, "all") == 0;
                any = any || chosen[k];
            }
            if (!any) {
                return false;
            }
        } else {
            return false;
        }
    }
    return options->games > 0 && options->cap >= 0;
}

// The games of one player in one mode from consecutive seeds, and their row of the table.
void PlayGames(Player player, int32_t mode, uint32_t seed, const Options& options,
               std::FILE* records) {
    Tally tally;
    for (int32_t game = 0; game < options.games; game++) {
        std::string record;
        PlayGame(player, mode, seed + static_cast<uint32_t>(game), options, &tally, &record);
        if (records) {
            std::fprintf(records, "%s\n", record.c_str());
        }
    }
    std::fputs(TableRow(mode, player, seed, tally).c_str(), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fprintf(stderr,
                     "usage: autoplay [--games N] [--seed S] [--check-seed S2] [--cap MOVES]\n"
                     "                [--mode Lines,Squares,Groups|all]\n"
                     "                [--player random,greedy,best|all]\n"
                     "                [--record FILE]\n");
        return 2;
    }
    std::FILE* records = options.record ? std::fopen(options.record, "w") : nullptr;
    if (options.record && !records) {
        std::perror(options.record);
        return 1;
    }
    if (options.cap > 0) {
        std::printf("Games capped at %d moves.\n\n", options.cap);
    }
    std::printf("| mode | player | seeds | mean score | median score | mean moves | "
                "median choice (ms) | 99th percentile (ms) | at the cap | stuck |\n"
                "|---|---|---|---|---|---|---|---|---|---|\n");
    for (int32_t mode = Lines; mode <= Groups; mode++) {
        for (int32_t p = 0; p < PlayerCount && options.modes[mode]; p++) {
            if (options.players[p]) {
                PlayGames(static_cast<Player>(p), mode, options.seed, options, records);
            }
            if (options.players[p] && p == Best && options.checkSeed > 0) {
                PlayGames(Best, mode, options.checkSeed, options, records);
            }
        }
    }
    if (records) {
        std::fclose(records);
    }
    return 0;
}
