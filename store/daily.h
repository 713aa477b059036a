// The daily deal's results: the best score of each day's deal over the last 30 days, and the
// day whose deal is in play, kept in the DAILY section of brimzo.ini.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t DailyDaysKept = 30;
constexpr int32_t NoDailyDeal = INT32_MIN;

struct DailyResult {
    int32_t day; // DayNumber's count
    int32_t best;
    bool assisted; // the best was reached in a game with help
};
extern DailyResult DailyResults[DailyDaysKept]; // the newest day first
extern int32_t DailyResultCount;
extern int32_t DailyDealDay; // NoDailyDeal while another game is in play

int32_t TodaysDayNumber(); // from the player's own calendar day
void BeginDailyDeal(int32_t day);
void EndDailyDeal(); // the score reached counts for the deal's day
// A hint or a move taken back: the game is assisted from now on, and the score it reached
// before counts for its day's deal as it was.
void MarkGameAssisted();
// "Brimzo daily 2026-12-07, Squares: 214" for the newest day played, the game in progress
// counted, with " (assisted)" after a best reached with help; false when no day was played.
bool DailyResultLine(char* line, size_t size);

void LoadDailyResults(bool savedGameRestored); // the deal in play is that saved game
// Drops the days before the last 30. The section is written once it keeps a day or a deal in
// play, or where the file held it already: a player who never dealt a daily game gets none.
void SaveDailyResults();
