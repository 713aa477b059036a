#include "game/daily.h"

#include "game/game.h"

// The Gregorian calendar in 400-year eras of 146097 days, each era's year starting on 1 March
// so that the leap day falls at its end; from the year 1 on, as any clock gives them.
int32_t DayNumber(int32_t year, int32_t month, int32_t day) {
    int32_t marchYear = month <= 2 ? year - 1 : year;
    int32_t era = marchYear / 400;
    int32_t yearOfEra = marchYear - era * 400;
    int32_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    int32_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void DateOfDay(int32_t dayNumber, int32_t* year, int32_t* month, int32_t* day) {
    int32_t shifted = dayNumber + 719468;
    int32_t era = shifted / 146097;
    int32_t dayOfEra = shifted - era * 146097;
    int32_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int32_t marchMonth = (5 * dayOfYear + 2) / 153;
    *day = dayOfYear - (153 * marchMonth + 2) / 5 + 1;
    *month = marchMonth < 10 ? marchMonth + 3 : marchMonth - 9;
    *year = yearOfEra + era * 400 + (*month <= 2 ? 1 : 0);
}

int32_t DailyMode(int32_t dayNumber) {
    constexpr int32_t ModeCount = Groups + 1;
    return (dayNumber % ModeCount + ModeCount) % ModeCount;
}

const char* ModeName(int32_t mode) {
    static const char* const Names[] = {"Lines", "Squares", "Groups"};
    return Names[mode];
}

// Every step is reversible, so no two days share a seed; the mixing spreads neighbouring days
// over the whole state, so that their deals look nothing alike.
uint32_t DailySeed(int32_t dayNumber) {
    uint32_t seed = static_cast<uint32_t>(dayNumber) * 0x9E3779B9u + 0x6272696Du;
    seed ^= seed >> 16;
    seed *= 0x85EBCA6Bu;
    seed ^= seed >> 13;
    seed *= 0xC2B2AE35u;
    seed ^= seed >> 16;
    return seed;
}
