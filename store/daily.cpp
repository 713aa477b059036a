#include "store/daily.h"

#include <cstdio>
#include <cstring>

#include "game/daily.h"
#include "game/game.h"
#include "shell/platform.h"
#include "store/profile.h"
#include "store/savegame.h"

DailyResult DailyResults[DailyDaysKept];
int32_t DailyResultCount = 0;
int32_t DailyDealDay = NoDailyDeal;

namespace {
// "2026-12-07:214," for each day: 30 of them at most 660 characters.
constexpr int32_t ResultsTextSize = 1024;
constexpr int32_t DateTextSize = 16;

int32_t IndexOfDay(int32_t day) {
    for (int32_t i = 0; i < DailyResultCount; i++) {
        if (DailyResults[i].day == day) {
            return i;
        }
    }
    return -1;
}

// A new day goes in at its place among the newest first; when all are taken, the oldest goes.
void AddDay(int32_t day, int32_t best) {
    int32_t at = 0;
    while (at < DailyResultCount && DailyResults[at].day > day) {
        at++;
    }
    if (at == DailyDaysKept) {
        return;
    }
    int32_t moved = (DailyResultCount < DailyDaysKept ? DailyResultCount : DailyDaysKept - 1) - at;
    std::memmove(&DailyResults[at + 1], &DailyResults[at],
                 sizeof DailyResults[0] * static_cast<size_t>(moved));
    DailyResults[at] = DailyResult{day, best, false};
    DailyResultCount = at + moved + 1;
}

// A higher score takes the day's best, with its game's mark; an equal one without help clears
// the mark.
void CountScoreInPlay() {
    int32_t at = IndexOfDay(DailyDealDay);
    if (at < 0) {
        return;
    }
    SavedGame game = GameInProgress();
    DailyResult& result = DailyResults[at];
    if (game.score > result.best) {
        result.best = game.score;
        result.assisted = game.assisted;
    } else if (game.score == result.best && !game.assisted) {
        result.assisted = false;
    }
}

void WriteDate(int32_t dayNumber, char* text) {
    int32_t year;
    int32_t month;
    int32_t day;
    DateOfDay(dayNumber, &year, &month, &day);
    std::snprintf(text, DateTextSize, "%04d-%02d-%02d", year, month, day);
}

// A date that names no day of the calendar (2026-02-30) is no date.
bool ReadDate(const char* text, int32_t* dayNumber, int32_t* used) {
    int32_t year;
    int32_t month;
    int32_t day;
    if (std::sscanf(text, "%4d-%2d-%2d%n", &year, &month, &day, used) != 3) {
        return false;
    }
    *dayNumber = DayNumber(year, month, day);
    int32_t again[3];
    DateOfDay(*dayNumber, &again[0], &again[1], &again[2]);
    return again[1] == month && again[2] == day;
}

// Each entry of a list of days separated by commas.
void ReadDayList(const char* text, void (*readEntry)(const char* entry)) {
    for (const char* at = text; *at != '\0';) {
        readEntry(at);
        const char* comma = std::strchr(at, ',');
        at = comma ? comma + 1 : at + std::strlen(at);
    }
}

// "2026-12-07:214": an entry that does not read is left out; the others keep their order.
void ReadResult(const char* entry) {
    int32_t day;
    int32_t used = 0;
    int32_t best;
    int32_t scoreUsed = 0;
    if (ReadDate(entry, &day, &used) &&
        std::sscanf(entry + used, ":%d%n", &best, &scoreUsed) == 1 && best >= 0 &&
        IndexOfDay(day) < 0) {
        AddDay(day, best);
    }
}

// "2026-12-07": a day kept whose best had help; other dates are left out.
void ReadAssistedDay(const char* entry) {
    int32_t day;
    int32_t used = 0;
    int32_t index = ReadDate(entry, &day, &used) ? IndexOfDay(day) : -1;
    if (index >= 0) {
        DailyResults[index].assisted = true;
    }
}

enum class DayList { Best, Assisted };

// "2026-12-07:214,2026-12-06:180", every day with its best, newest first; or the dates alone
// of the days whose best had help. Its length.
size_t WriteDayList(DayList list, char (&text)[ResultsTextSize]) {
    text[0] = '\0';
    size_t length = 0;
    for (int32_t i = 0; i < DailyResultCount; i++) {
        const DailyResult& result = DailyResults[i];
        if (list == DayList::Assisted && !result.assisted) {
            continue;
        }
        char date[DateTextSize];
        WriteDate(result.day, date);
        length += static_cast<size_t>(std::snprintf(text + length, sizeof text - length, "%s%s",
                                                    length == 0 ? "" : ",", date));
        if (list == DayList::Best) {
            length += static_cast<size_t>(
                std::snprintf(text + length, sizeof text - length, ":%d", result.best));
        }
    }
    return length;
}
} // namespace

int32_t TodaysDayNumber() {
    LocalDate today;
    GetLocalDate(&today);
    return DayNumber(today.year, today.month, today.day);
}

void BeginDailyDeal(int32_t day) {
    if (IndexOfDay(day) < 0) {
        AddDay(day, 0);
    }
    DailyDealDay = day;
}

void MarkGameAssisted() {
    CountScoreInPlay();
    GameAssisted = true;
}

void EndDailyDeal() {
    CountScoreInPlay();
    DailyDealDay = NoDailyDeal;
}

bool DailyResultLine(char* line, size_t size) {
    if (DailyResultCount == 0) {
        return false;
    }
    CountScoreInPlay();
    char date[DateTextSize];
    WriteDate(DailyResults[0].day, date);
    std::snprintf(line, size, "Brimzo daily %s, %s: %d%s", date,
                  ModeName(DailyMode(DailyResults[0].day)), DailyResults[0].best,
                  DailyResults[0].assisted ? " (assisted)" : "");
    return true;
}

void LoadDailyResults(bool savedGameRestored) {
    char text[ResultsTextSize];
    ReadSettingString("DAILY", "Best", text, "", sizeof text);
    DailyResultCount = 0;
    ReadDayList(text, ReadResult);
    ReadSettingString("DAILY", "Assisted", text, "", sizeof text);
    ReadDayList(text, ReadAssistedDay);
    ReadSettingString("DAILY", "Deal", text, "-", sizeof text);
    int32_t used;
    if (!savedGameRestored || !ReadDate(text, &DailyDealDay, &used)) {
        DailyDealDay = NoDailyDeal;
    }
}

void SaveDailyResults() {
    CountScoreInPlay();
    int32_t oldest = TodaysDayNumber() - (DailyDaysKept - 1);
    while (DailyResultCount > 0 && DailyResults[DailyResultCount - 1].day < oldest) {
        DailyResultCount--;
    }
    // A file that holds the section has it written on, so that it stays true; otherwise it
    // is written only once it has something to keep.
    if (DailyResultCount == 0 && DailyDealDay == NoDailyDeal && !SettingStored("DAILY", "Deal") &&
        !SettingStored("DAILY", "Best")) {
        return;
    }
    char deal[DateTextSize] = "-";
    if (DailyDealDay != NoDailyDeal) {
        WriteDate(DailyDealDay, deal);
    }
    WriteSettingString("DAILY", "Deal", deal);
    char text[ResultsTextSize];
    WriteDayList(DayList::Best, text);
    WriteSettingString("DAILY", "Best", text);
    bool anyAssisted = WriteDayList(DayList::Assisted, text) > 0;
    WriteSettingWhereKept("DAILY", "Assisted", text, anyAssisted);
}
