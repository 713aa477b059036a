// Today's deal: one first board for every player on the same calendar day. The day chooses the
// mode and the generator's seed; the deal itself is the game's own, from that seed.
#pragma once

#include <cstdint>

// Days are counted from 1970-01-01, so that the days between two dates are a subtraction.
int32_t DayNumber(int32_t year, int32_t month, int32_t day);
void DateOfDay(int32_t dayNumber, int32_t* year, int32_t* month, int32_t* day);

int32_t DailyMode(int32_t dayNumber); // Lines, Squares, Groups, Lines, ... day by day
const char* ModeName(int32_t mode);
uint32_t DailySeed(int32_t dayNumber);
