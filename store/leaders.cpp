#include "store/leaders.h"

#include <cstdlib>
#include <cstring>

#include "game/game.h"
#include "store/profile.h"

const char DefaultLeaderLine[LeaderLineSize] = "Brimzo!  00100";
LeaderTable LeaderTables[LeaderModeCount];
char LastLeaderName[LeaderNameBufferSize] = "";

namespace {
constexpr int32_t ScoreStart = 9;

uint8_t* Block() {
    return reinterpret_cast<uint8_t*>(LeaderTables);
}

LeaderTable& CurrentTable() {
    return LeaderTables[Game.mode];
}

bool LineIsWellFormed(const char* line) {
    for (int32_t k = 0; k < LeaderNameLength; k++) {
        auto code = static_cast<unsigned char>(line[k]);
        if (code < ' ' || code > 127) {
            return false;
        }
    }
    if (line[LeaderNameLength] != ' ' || line[LeaderLineLength] != '\0') {
        return false;
    }
    for (int32_t k = ScoreStart; k < LeaderLineLength; k++) {
        if (line[k] < '0' || line[k] > '9') {
            return false;
        }
    }
    return true;
}

// Only what drawing, ranking and copying the lines rely on; the order is not judged, since
// earlier runs may have stored a six-digit score by its five low digits out of order.
bool TableIsWellFormed(const LeaderTable& table) {
    for (const LeaderLine& line : table) {
        if (!LineIsWellFormed(line)) {
            return false;
        }
    }
    return true;
}

void ResetLeaderTable(LeaderTable& table) {
    for (LeaderLine& line : table) {
        std::memcpy(line, DefaultLeaderLine, LeaderLineSize);
    }
}

// A score beyond five digits would lose its leading digit in the line and then rank as a
// small score; it counts as the highest five-digit score instead.
int32_t RankedScore() {
    return Game.score > LeaderScoreLimit ? LeaderScoreLimit : Game.score;
}
} // namespace

char HexDigit(int32_t value) {
    return static_cast<char>(value <= 9 ? '0' + value : 'A' + (value - 10));
}

int32_t HexValue(char ch) {
    auto code = static_cast<signed char>(ch);
    return code >= 'A' ? code - 55 : code - 48;
}

int32_t LeaderLineValue(const char* line) {
    return static_cast<int32_t>(std::strtol(line + ScoreStart, nullptr, 10));
}

// A weighted sum that wraps at 32 bits; the weights (b - 7) * b + 1 are never 0, so any one
// changed byte changes it.
int32_t LeaderCheckValue(const uint8_t* block) {
    uint32_t check = 0;
    for (int32_t b = 0; b < LeaderBlockSize; b++) {
        check += static_cast<uint32_t>((b - 7) * b + 1) * block[b];
    }
    return static_cast<int32_t>(check);
}

void ResetLeaderTables() {
    for (LeaderTable& table : LeaderTables) {
        ResetLeaderTable(table);
    }
}

int32_t EncodeLeaderTables(char* data) {
    const uint8_t* block = Block();
    for (int32_t b = 0; b < LeaderBlockSize; b++) {
        data[2 * b] = HexDigit(block[b] >> 4);
        data[2 * b + 1] = HexDigit(block[b] & 15);
    }
    data[LeaderDataLength] = '\0';
    return LeaderCheckValue(block);
}

bool DecodeLeaderTables(const char* data, int32_t check) {
    if (std::strlen(data) < LeaderDataLength) {
        ResetLeaderTables();
        return false;
    }
    uint8_t* block = Block();
    for (int32_t b = 0; b < LeaderBlockSize; b++) {
        block[b] = static_cast<uint8_t>(16 * HexValue(data[2 * b]) + HexValue(data[2 * b + 1]));
    }
    if (LeaderCheckValue(block) != check) {
        ResetLeaderTables();
        return false;
    }
    bool allTaken = true;
    for (LeaderTable& table : LeaderTables) {
        if (!TableIsWellFormed(table)) {
            ResetLeaderTable(table); // the other modes keep their leaders
            allTaken = false;
        }
    }
    return allTaken;
}

const char* LeaderLineAt(int32_t index) {
    return CurrentTable()[index];
}

bool LeaderQualifies() {
    return RankedScore() > LeaderLineValue(CurrentTable()[LeaderLineCount - 1]);
}

void InsertLeader() {
    LeaderTable& table = CurrentTable();
    int32_t score = RankedScore();
    int32_t rank = 0;
    while (rank < LeaderLineCount && LeaderLineValue(table[rank]) >= score) {
        rank++;
    }
    if (rank == LeaderLineCount) {
        return;
    }
    for (int32_t i = LeaderLineCount - 1; i > rank; i--) {
        std::memcpy(table[i], table[i - 1], LeaderLineSize);
    }
    char* line = table[rank];
    std::memset(line, ' ', LeaderLineLength);
    size_t nameLength = strnlen(LastLeaderName, LeaderNameLength);
    std::memcpy(line, LastLeaderName, nameLength);
    for (int32_t k = LeaderLineLength - 1; k >= ScoreStart; k--) {
        line[k] = static_cast<char>('0' + score % 10);
        score /= 10;
    }
}

void LoadLeaderTables() {
    char data[LeaderDataLength + 1];
    int32_t check = 0;
    ReadSettingString("LEADERS", "Data", data, "", sizeof data);
    ReadSettingInt("LEADERS", "CRC", &check, 0);
    DecodeLeaderTables(data, check);
}

void SaveLeaderTables() {
    char data[LeaderDataLength + 1];
    int32_t check = EncodeLeaderTables(data);
    WriteSettingString("LEADERS", "Data", data);
    WriteSettingInt("LEADERS", "CRC", check);
}
