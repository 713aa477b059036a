// The leader-table decoder against any text. The first byte chooses between the stored
// digits as they come (with a check value from the input) and a block sealed with its
// matching check value, so that the tests of the decoded lines are reached too.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "game/game.h"
#include "store/leaders.h"
#include "store/settings.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using fuzz::Require;

bool LineIsSound(const char* line) {
    for (int32_t k = 0; k < LeaderNameLength; k++) {
        auto code = static_cast<unsigned char>(line[k]);
        if (code < ' ' || code > 127) {
            return false;
        }
    }
    if (line[8] != ' ' || line[LeaderLineLength] != '\0') {
        return false;
    }
    for (int32_t k = 9; k < LeaderLineLength; k++) {
        if (line[k] < '0' || line[k] > '9') {
            return false;
        }
    }
    return true;
}

// Lines built mostly well formed and in order, now and then not, so that both the accepted
// tables and each reason for a reset are reached.
void BuildTables(const uint8_t* data, size_t size) {
    size_t at = 0;
    auto next = [&]() -> uint8_t { return at < size ? data[at++] : 0; };
    for (LeaderTable& table : LeaderTables) {
        int32_t score = 99999;
        for (LeaderLine& line : table) {
            for (int32_t k = 0; k < LeaderNameLength; k++) {
                line[k] = static_cast<char>(32 + next() % 100);
            }
            line[8] = next() == 255 ? '_' : ' ';
            uint8_t step = next();
            score = step == 255 ? score + 1 : score - step * 37 % 1000;
            score = score < 0 ? 0 : score;
            for (int32_t k = 13, value = score; k >= 9; k--, value /= 10) {
                line[k] = static_cast<char>('0' + value % 10);
            }
            line[11] = next() == 255 ? 'x' : line[11];
            line[LeaderLineLength] = next() == 255 ? '!' : '\0';
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::CountAcceptedAtExit("sound tables accepted");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) {
        return 0;
    }
    char text[LeaderDataLength + 1];
    int32_t check = 0;
    if (data[0] & 1) {
        BuildTables(data + 1, size - 1);
        check = EncodeLeaderTables(text);
    } else {
        std::memcpy(&check, data + 1, 4);
        size_t length = size - 5 < LeaderDataLength ? size - 5 : LeaderDataLength;
        std::memcpy(text, data + 5, length);
        text[length] = '\0';
    }
    fuzz::Accepted += DecodeLeaderTables(text, check) ? 1 : 0;
    // accepted or reset, every line can be drawn, ranked and shifted
    for (int32_t mode = 0; mode < LeaderModeCount; mode++) {
        for (int32_t i = 0; i < LeaderLineCount; i++) {
            Require(LineIsSound(LeaderTables[mode][i]));
            Require(i == 0 || LeaderLineValue(LeaderTables[mode][i]) <=
                                  LeaderLineValue(LeaderTables[mode][i - 1]));
        }
    }
    Game.mode = data[0] % 3;
    Game.score = static_cast<int32_t>(size * 1000);
    std::strcpy(LastLeaderName, "fuzz");
    if (LeaderQualifies()) {
        InsertLeader();
    }
    Require(LineIsSound(LeaderLineAt(0)));
    return 0;
}
