// Game records: written by whoever plays, replayed by the rules alone.
#include "game/record.h"

#include <cstdio>
#include <cstring>

#include "game/daily.h"

void WriteRecordHead(char* text, int32_t mode, uint32_t seed, int32_t score) {
    std::snprintf(text, RecordHeadSize, "%s %u %d", ModeName(mode), seed, score);
}

void WriteRecordMove(char* text, const BallMove& move) {
    std::snprintf(text, RecordMoveSize, " %d,%d>%d,%d", move.fromColumn, move.fromRow,
                  move.toColumn, move.toRow);
}

namespace {

// A decimal number without sign or leading zero, at most `largest`; false when there is none.
bool ReadNumber(const char** text, uint32_t largest, uint32_t* value) {
    const char* p = *text;
    if (*p < '0' || *p > '9' || (*p == '0' && p[1] >= '0' && p[1] <= '9')) {
        return false;
    }
    uint64_t number = 0;
    while (*p >= '0' && *p <= '9') {
        number = number * 10 + static_cast<uint64_t>(*p - '0');
        if (number > largest) {
            return false;
        }
        p++;
    }
    *text = p;
    *value = static_cast<uint32_t>(number);
    return true;
}

bool ReadMode(const char** text, int32_t* mode) {
    for (int32_t m = Lines; m <= Groups; m++) {
        size_t length = std::strlen(ModeName(m));
        if (std::strncmp(*text, ModeName(m), length) == 0) {
            *text += length;
            *mode = m;
            return true;
        }
    }
    return false;
}

bool ReadCoordinate(const char** text, int32_t* value) {
    if (**text < '0' || **text >= '0' + BoardSize) {
        return false;
    }
    *value = **text - '0';
    (*text)++;
    return true;
}

bool ReadMark(const char** text, char mark) {
    if (**text != mark) {
        return false;
    }
    (*text)++;
    return true;
}

bool ReadMove(const char** text, BallMove* move) {
    return ReadMark(text, ' ') && ReadCoordinate(text, &move->fromColumn) && ReadMark(text, ',') &&
           ReadCoordinate(text, &move->fromRow) && ReadMark(text, '>') &&
           ReadCoordinate(text, &move->toColumn) && ReadMark(text, ',') &&
           ReadCoordinate(text, &move->toRow);
}

bool AtEnd(const char* text) {
    return *text == '\0' || (text[0] == '\n' && text[1] == '\0');
}

// The move, played as a click plays it; false when the rules would not have it.
bool PlayRecordedMove(const BallMove& move, bool* over) {
    if (*over || Game.board[CellIndex(move.fromColumn, move.fromRow)] == EmptyCell ||
        Game.board[CellIndex(move.toColumn, move.toRow)] != EmptyCell) {
        return false;
    }
    SelectBall(move.fromColumn, move.fromRow);
    MoveRecord played;
    if (!PlayMove(move.toColumn, move.toRow, &played)) {
        return false;
    }
    *over = played.gameOver;
    return true;
}

} // namespace

ReplayVerdict ReplayRecord(const char* line) {
    const char* p = line;
    int32_t mode = 0;
    uint32_t seed = 0;
    uint32_t score = 0;
    if (!ReadMode(&p, &mode) || !ReadMark(&p, ' ') || !ReadNumber(&p, UINT32_MAX, &seed) ||
        !ReadMark(&p, ' ') || !ReadNumber(&p, INT32_MAX, &score)) {
        return ReplayVerdict::Malformed;
    }
    SeedRandom(seed);
    Game.mode = mode;
    DealGame();
    bool over = false;
    while (!AtEnd(p)) {
        BallMove move;
        if (!ReadMove(&p, &move)) {
            return ReplayVerdict::Malformed;
        }
        if (!PlayRecordedMove(move, &over)) {
            return ReplayVerdict::IllegalMove;
        }
    }
    return Game.score == static_cast<int32_t>(score) ? ReplayVerdict::Replayed
                                                     : ReplayVerdict::WrongScore;
}
