// The saved-game decoder against any text. The first byte chooses between two inputs: the
// two stored strings as they come, or a payload sealed with a check value that matches, so
// that the tests behind the check are reached too. The game code's finder and decoder take
// the first string as pasted text, and every game accepted comes back from its code.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "store/gamecode.h"
#include "store/savegame.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using fuzz::Require;

// A string as the profile reader leaves it: at most 106 characters, ending at a zero.
void TakeString(const uint8_t* data, size_t size, char* text) {
    size_t length = size < SavedRecordSize ? size : SavedRecordSize;
    std::memcpy(text, data, length);
    text[length] = '\0';
}

void FromStrings(const uint8_t* data, size_t size, char* first, char* second) {
    size_t half = size / 2;
    TakeString(data, half, first);
    TakeString(data + half, size - half, second);
}

// Mostly values the rules allow, now and then one they don't: the tests behind the check
// see sound records as well as broken ones.
int8_t Cell(uint8_t byte) {
    if (byte < 120) {
        return EmptyCell;
    }
    return byte < 246 ? static_cast<int8_t>(byte % 7) : static_cast<int8_t>(byte);
}

void FromPayload(const uint8_t* data, size_t size, char* first, char* second) {
    uint8_t bytes[SavedPayloadSize] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    SavedGame game;
    game.mode = bytes[0] % 4;
    std::memcpy(&game.randomState, bytes + 4, 4);
    std::memcpy(&game.score, bytes + 8, 4);
    for (int32_t i = 0; i < CellCount; i++) {
        game.board[i] = Cell(bytes[12 + i]);
    }
    for (int32_t i = 0; i < NextBallCount; i++) {
        game.nextBalls[i].column = static_cast<int8_t>(bytes[93 + 3 * i] % 10);
        game.nextBalls[i].row = static_cast<int8_t>(bytes[94 + 3 * i] % 10);
        game.nextBalls[i].colour = static_cast<int8_t>(bytes[95 + 3 * i] % 8);
    }
    EncodeSavedGame(game, first, second);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::CountAcceptedAtExit("sound records accepted");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    char first[SavedTextBufferSize];
    char second[SavedTextBufferSize];
    if (data[0] & 1) {
        FromPayload(data + 1, size - 1, first, second);
    } else {
        FromStrings(data + 1, size - 1, first, second);
    }
    SavedGame game = {};
    int32_t length;
    if (const char* code = FindGameCode(first, &length)) {
        DecodeGameCode(code, length, &game);
    }
    if (!DecodeSavedGame(first, second, &game)) {
        return 0;
    }
    fuzz::Accepted++;
    // whatever is accepted is saved again as it was read
    char again1[SavedTextBufferSize];
    char again2[SavedTextBufferSize];
    EncodeSavedGame(game, again1, again2);
    SavedGame back;
    Require(DecodeSavedGame(again1, again2, &back));
    Require(std::memcmp(&back, &game, sizeof game) == 0);
    char code[GameCodeBufferSize];
    EncodeGameCode(game, code);
    SavedGame fromCode = {};
    Require(DecodeGameCode(code, GameCodeLength, &fromCode) == CodeVerdict::Taken);
    Require(std::memcmp(&fromCode, &game, sizeof game) == 0);
    return 0;
}
