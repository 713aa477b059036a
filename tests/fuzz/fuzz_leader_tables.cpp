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

// What the screen, the ranking and the copying of lines take for granted, whatever was read.
void RequireUsableLines() {
    for (const LeaderTable& table : LeaderTables) {
        for (const LeaderLine& line : table) {
            Require(strnlen(line, LeaderLineSize) == LeaderLineLength);
            int32_t value = LeaderLineValue(line);
            Require(value >= 0 && value <= LeaderScoreLimit);
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
        size_t length = size - 1 < sizeof LeaderTables ? size - 1 : sizeof LeaderTables;
        std::memcpy(LeaderTables, data + 1, length); // mostly broken, now and then sound
        check = EncodeLeaderTables(text);
    } else {
        std::memcpy(&check, data + 1, 4);
        size_t length = size - 5 < LeaderDataLength ? size - 5 : LeaderDataLength;
        std::memcpy(text, data + 5, length);
        text[length] = '\0';
    }
    bool taken = DecodeLeaderTables(text, check);
    fuzz::Accepted += taken ? 1 : 0;
    RequireUsableLines();
    if (taken) { // what was taken is stored again as it was read
        LeaderTable read[LeaderModeCount];
        std::memcpy(read, LeaderTables, sizeof read);
        char again[LeaderDataLength + 1];
        Require(EncodeLeaderTables(again) == check);
        Require(DecodeLeaderTables(again, check));
        Require(std::memcmp(read, LeaderTables, sizeof read) == 0);
    }
    Game.mode = data[0] % 3;
    Game.score = static_cast<int32_t>(size * 1000);
    std::strcpy(LastLeaderName, "fuzz");
    if (LeaderQualifies()) {
        InsertLeader();
    }
    RequireUsableLines();
    return 0;
}
