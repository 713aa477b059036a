// The leader tables: the ten best scores of each game mode, as lines of a name padded to
// eight characters, a space and a five-digit score.
#pragma once

#include <cstdint>

constexpr int32_t LeaderLineLength = 14;
constexpr int32_t LeaderLineSize = LeaderLineLength + 1;
constexpr int32_t LeaderLineCount = 10;
constexpr int32_t LeaderModeCount = 3;
constexpr int32_t LeaderBlockSize = LeaderModeCount * LeaderLineCount * LeaderLineSize; // 450
constexpr int32_t LeaderDataLength = 2 * LeaderBlockSize;                               // 900
constexpr int32_t LeaderNameLength = 8;
constexpr int32_t LeaderNameBufferSize = 30;
constexpr int32_t LeaderScoreLimit = 99999; // the most that five digits hold
extern const char DefaultLeaderLine[LeaderLineSize];

typedef char LeaderLine[LeaderLineSize];
typedef LeaderLine LeaderTable[LeaderLineCount];
extern LeaderTable LeaderTables[LeaderModeCount];
extern char LastLeaderName[LeaderNameBufferSize]; // kept between runs; InsertLeader enters it

char HexDigit(int32_t value);
int32_t HexValue(char ch);
int32_t LeaderLineValue(const char* line);
int32_t LeaderCheckValue(const uint8_t* block);

// Encodes the three tables as 900 hexadecimal digits and returns their check value.
int32_t EncodeLeaderTables(char* data);
// Takes the decoded tables when the check value matches, else every line becomes the default
// line; a table with a line that cannot be drawn or ranked is reset alone. True when all three
// tables were taken.
bool DecodeLeaderTables(const char* data, int32_t check);
void ResetLeaderTables();

const char* LeaderLineAt(int32_t index);
bool LeaderQualifies();
void InsertLeader();
void LoadLeaderTables();
void SaveLeaderTables();
