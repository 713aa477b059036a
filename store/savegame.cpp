#include "store/savegame.h"

#include <cstring>

#include "shell/platform.h"
#include "store/profile.h"

namespace {
constexpr uint8_t ByteMask = 0xC6;
constexpr uint32_t CheckMask = 0x05C3A91E;

void PutInt(uint8_t* bytes, uint32_t value) {
    for (int32_t i = 0; i < 4; i++) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint32_t GetInt(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void PackPayload(const SavedGame& game, uint8_t* payload) {
    PutInt(payload, static_cast<uint32_t>(game.mode));
    PutInt(payload + 4, game.randomState);
    PutInt(payload + 8, static_cast<uint32_t>(game.score));
    std::memcpy(payload + 12, game.board, CellCount);
    for (int32_t i = 0; i < NextBallCount; i++) {
        payload[93 + 3 * i] = static_cast<uint8_t>(game.nextBalls[i].column);
        payload[94 + 3 * i] = static_cast<uint8_t>(game.nextBalls[i].row);
        payload[95 + 3 * i] = static_cast<uint8_t>(game.nextBalls[i].colour);
    }
}

void UnpackPayload(const uint8_t* payload, SavedGame* game) {
    game->mode = static_cast<int32_t>(GetInt(payload));
    game->randomState = GetInt(payload + 4);
    game->score = static_cast<int32_t>(GetInt(payload + 8));
    std::memcpy(game->board, payload + 12, CellCount);
    for (int32_t i = 0; i < NextBallCount; i++) {
        game->nextBalls[i].column = static_cast<int8_t>(payload[93 + 3 * i]);
        game->nextBalls[i].row = static_cast<int8_t>(payload[94 + 3 * i]);
        game->nextBalls[i].colour = static_cast<int8_t>(payload[95 + 3 * i]);
    }
    game->assisted = false;
}

} // namespace

bool GameAssisted;

namespace {
GameState HeldGame;
bool HeldGameAssisted;
bool Held;
} // namespace

void HoldPlayersGame() {
    HeldGame = Game;
    HeldGameAssisted = GameAssisted;
    Held = true;
}

void ReturnPlayersGame() {
    Game = HeldGame;
    GameAssisted = HeldGameAssisted;
    Held = false;
}

bool PlayersGameHeld() {
    return Held;
}

SavedGame GameInProgress() {
    const GameState& players = Held ? HeldGame : Game;
    SavedGame game;
    game.mode = players.mode;
    game.randomState = players.randomState;
    game.score = players.score;
    std::memcpy(game.board, players.board, sizeof game.board);
    std::memcpy(game.nextBalls, players.nextBalls, sizeof game.nextBalls);
    game.assisted = Held ? HeldGameAssisted : GameAssisted;
    return game;
}

namespace {
void RestoreGame(const SavedGame& game) {
    Game.mode = game.mode;
    Game.score = game.score;
    std::memcpy(Game.board, game.board, sizeof Game.board);
    std::memcpy(Game.nextBalls, game.nextBalls, sizeof Game.nextBalls);
    GameAssisted = game.assisted;
}

uint32_t ClockSeed() {
    UtcTime now;
    GetUtcTime(&now);
    return static_cast<uint32_t>(now.hour) * now.minute + now.second + now.milliseconds;
}
} // namespace

void EncodeSavedGame(const SavedGame& game, char* first, char* second) {
    uint8_t record[SavedRecordSize];
    PackPayload(game, record);
    uint32_t total = 0;
    for (int32_t i = 0; i < SavedPayloadSize; i++) {
        total += record[i];
        record[i] ^= ByteMask;
    }
    PutInt(record + SavedPayloadSize, total ^ CheckMask);
    for (int32_t i = 0; i < SavedRecordSize; i++) {
        first[i] = static_cast<char>('A' + (record[i] >> 4));
        second[i] = static_cast<char>('A' + (record[i] & 15));
    }
    first[SavedRecordSize] = '\0';
    second[SavedRecordSize] = '\0';
}

// The saved form holds no field that the rules could not work with: every cell empty or a
// ball, three announced balls on distinct empty cells of the board.
bool SavedGameIsPlayable(const SavedGame& game) {
    if (game.mode < Lines || game.mode > Groups || game.score < 0) {
        return false;
    }
    for (int8_t cell : game.board) {
        if (cell < EmptyCell || cell >= ColourCount) {
            return false;
        }
    }
    for (int32_t i = 0; i < NextBallCount; i++) {
        const NextBall& ball = game.nextBalls[i];
        if (ball.column < 0 || ball.column >= BoardSize || ball.row < 0 || ball.row >= BoardSize ||
            ball.colour < 0 || ball.colour >= ColourCount ||
            game.board[CellIndex(ball.column, ball.row)] != EmptyCell) {
            return false;
        }
        for (int32_t j = 0; j < i; j++) {
            if (game.nextBalls[j].column == ball.column && game.nextBalls[j].row == ball.row) {
                return false;
            }
        }
    }
    return true;
}

bool DecodeSavedGame(const char* first, const char* second, SavedGame* game) {
    if (first[0] == '-' || second[0] == '-' || std::strlen(first) < SavedRecordSize ||
        std::strlen(second) < SavedRecordSize) {
        return false;
    }
    uint8_t record[SavedRecordSize];
    uint32_t total = 0;
    for (int32_t i = 0; i < SavedRecordSize; i++) {
        uint32_t high = static_cast<uint8_t>(first[i]);
        uint32_t low = static_cast<uint8_t>(second[i]);
        record[i] = static_cast<uint8_t>(16 * high + low - 81);
        if (i < SavedPayloadSize) {
            record[i] ^= ByteMask;
            total += record[i];
        }
    }
    if ((total ^ CheckMask) != GetInt(record + SavedPayloadSize)) {
        return false;
    }
    UnpackPayload(record, game);
    return SavedGameIsPlayable(*game);
}

// The generator goes on from the game's own state, so the game brings what it would have.
void PlaySavedGame(const SavedGame& game) {
    RestoreGame(game);
    SeedRandom(game.randomState);
}

void SaveGame() {
    char first[SavedTextBufferSize];
    char second[SavedTextBufferSize];
    SavedGame game = GameInProgress();
    EncodeSavedGame(game, first, second);
    WriteSettingString("GAME", "SaveData1", first);
    WriteSettingString("GAME", "SaveData2", second);
    WriteSettingWhereKept("GAME", "Assisted", game.assisted ? "1" : "0", game.assisted);
}

// A record that fails leaves the dealt game in place; the generator then runs from the clock.
bool LoadSavedGame() {
    uint32_t seed = ClockSeed();
    char first[SavedTextBufferSize];
    char second[SavedTextBufferSize];
    ReadSettingString("GAME", "SaveData1", first, "-", sizeof first);
    ReadSettingString("GAME", "SaveData2", second, "-", sizeof second);
    SavedGame saved;
    bool restored = DecodeSavedGame(first, second, &saved);
    if (restored) {
        int32_t assisted;
        ReadSettingInt("GAME", "Assisted", &assisted, 0);
        saved.assisted = assisted != 0;
        RestoreGame(saved);
        seed = saved.randomState;
    }
    SeedRandom(seed);
    return restored;
}
