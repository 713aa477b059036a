#include "store/gamecode.h"

#include <cstring>

namespace {
// The packed fields fill 42 bytes, the check 4 more: 46 bytes are 61 characters of six bits
// and one of two more and four spare. The first spare bit marks an assisted game, whose check
// is keyed apart, so that the mark cannot be typed away; the other three stay zero.
constexpr int32_t PackedSize = 42;
constexpr int32_t CodeBytes = PackedSize + 4;
constexpr uint32_t CheckKey = 0x42726D7A; // a code of another program fails its check
constexpr uint32_t AssistedCheckKey = 0x68656C70;
constexpr uint8_t AssistedBit = 0x80; // of the byte after the check
constexpr const char* Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
// The mode and the cells of the three announced balls share 21 bits as one number.
constexpr uint32_t CellsOfThree = CellCount * CellCount * CellCount;

struct Bits {
    uint8_t* bytes;
    int32_t at; // the next bit, the highest of a byte first
};

void Put(Bits* bits, uint32_t value, int32_t width) {
    for (int32_t bit = width - 1; bit >= 0; bit--, bits->at++) {
        if ((value >> bit) & 1) {
            bits->bytes[bits->at / 8] |= static_cast<uint8_t>(0x80 >> (bits->at % 8));
        }
    }
}

uint32_t Take(Bits* bits, int32_t width) {
    uint32_t value = 0;
    for (int32_t i = 0; i < width; i++, bits->at++) {
        value = value << 1 | ((bits->bytes[bits->at / 8] >> (7 - bits->at % 8)) & 1);
    }
    return value;
}

// Any error within 32 neighbouring bits, a mistyped character or two swapped, changes it.
uint32_t Check(const uint8_t* bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (int32_t i = 0; i < PackedSize; i++) {
        crc ^= bytes[i];
        for (int32_t bit = 0; bit < 8; bit++) {
            crc = (crc >> 1) ^ ((crc & 1) ? 0xEDB88320u : 0);
        }
    }
    return ~crc ^ CheckKey;
}

int32_t CellOf(const NextBall& ball) {
    return CellIndex(ball.column, ball.row);
}

void Pack(const SavedGame& game, uint8_t* bytes) {
    Bits bits = {bytes, 0};
    Put(&bits, game.randomState, 32);
    Put(&bits, static_cast<uint32_t>(game.score), 31); // a playable score is never negative
    uint32_t cells = static_cast<uint32_t>(
        (CellOf(game.nextBalls[0]) * CellCount + CellOf(game.nextBalls[1])) * CellCount +
        CellOf(game.nextBalls[2]));
    Put(&bits, static_cast<uint32_t>(game.mode) * CellsOfThree + cells, 21);
    for (const NextBall& ball : game.nextBalls) {
        Put(&bits, static_cast<uint32_t>(ball.colour), 3);
    }
    for (int8_t cell : game.board) {
        Put(&bits, static_cast<uint32_t>(cell + 1), 3);
    }
    Put(&bits, Check(bytes) ^ (game.assisted ? AssistedCheckKey : 0), 32);
    bytes[CodeBytes] = game.assisted ? AssistedBit : 0;
}

// Every field comes out in its range but the mode, which may read 3; the saved game's check
// judges what the fields say together.
void Unpack(uint8_t* bytes, SavedGame* game) {
    Bits bits = {bytes, 0};
    game->randomState = Take(&bits, 32);
    game->score = static_cast<int32_t>(Take(&bits, 31));
    uint32_t modeAndCells = Take(&bits, 21);
    game->mode = static_cast<int32_t>(modeAndCells / CellsOfThree);
    uint32_t cells = modeAndCells % CellsOfThree;
    for (int32_t i = NextBallCount - 1; i >= 0; i--) {
        game->nextBalls[i].column = static_cast<int8_t>(cells % CellCount % BoardSize);
        game->nextBalls[i].row = static_cast<int8_t>(cells % CellCount / BoardSize);
        cells /= CellCount;
    }
    for (NextBall& ball : game->nextBalls) {
        ball.colour = static_cast<int8_t>(Take(&bits, 3));
    }
    for (int8_t& cell : game->board) {
        cell = static_cast<int8_t>(static_cast<int32_t>(Take(&bits, 3)) - 1);
    }
}

int32_t SixBitsOf(char ch) {
    const char* found = ch == '\0' ? nullptr : std::strchr(Alphabet, ch);
    return found ? static_cast<int32_t>(found - Alphabet) : -1;
}

bool IsCodeCharacter(char ch) {
    return SixBitsOf(ch) >= 0;
}

// What a sentence puts around a word: quotes, brackets, marks of emphasis and punctuation.
constexpr const char* Opening = "\"'([{<`*";
constexpr const char* Closing = "\"')]}>.,;:!?`*";

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

bool IsAmong(char ch, const char* set) {
    return ch != '\0' && std::strchr(set, ch) != nullptr;
}

// A word without what a sentence puts around it, and where the text goes on after it.
struct Word {
    const char* start;
    const char* end;
    const char* next;
};

Word NextWord(const char* at) {
    while (IsBlank(*at)) {
        at++;
    }
    Word word = {at, at, at};
    while (*word.next != '\0' && !IsBlank(*word.next)) {
        word.next++;
    }
    word.end = word.next;
    while (word.start < word.end && IsAmong(*word.start, Opening)) {
        word.start++;
    }
    while (word.end > word.start && IsAmong(word.end[-1], Closing)) {
        word.end--;
    }
    return word;
}

// A word of code characters of about a code's length, alone or as a link's part after '#'.
bool MeantAsCode(Word* word) {
    const void* hash = std::memchr(word->start, '#', static_cast<size_t>(word->end - word->start));
    if (hash) {
        word->start = static_cast<const char*>(hash) + 1;
    }
    auto length = static_cast<int32_t>(word->end - word->start);
    if (length < GameCodeLength - CodeLengthSlack || length > GameCodeLength + CodeLengthSlack) {
        return false;
    }
    for (const char* at = word->start; at < word->end; at++) {
        if (!IsCodeCharacter(*at)) {
            return false;
        }
    }
    return true;
}

// The line that Ctrl+C writes, also within a longer text: the word after its ": " is the code,
// whatever it holds; on a line cut before it, nothing is.
bool CodeOfLine(const char* text, Word* word) {
    const char* at = std::strstr(text, CodeLineStart);
    if (!at) {
        return false;
    }
    while (*at != '\0' && *at != '\n' && !(at[0] == ':' && at[1] == ' ')) {
        at++;
    }
    if (*at != ':') {
        return false;
    }
    at += 2;
    while (*at == ' ' || *at == '\t') {
        at++;
    }
    *word = IsBlank(*at) ? Word{at, at, at} : NextWord(at);
    return true;
}
} // namespace

void EncodeGameCode(const SavedGame& game, char* code) {
    uint8_t bytes[CodeBytes + 1] = {}; // the last character's bits run one byte past
    Pack(game, bytes);
    Bits bits = {bytes, 0};
    for (int32_t i = 0; i < GameCodeLength; i++) {
        code[i] = Alphabet[Take(&bits, 6)];
    }
    code[GameCodeLength] = '\0';
}

CodeVerdict DecodeGameCode(const char* code, int32_t length, SavedGame* game) {
    if (length != GameCodeLength) {
        return CodeVerdict::WrongLength;
    }
    uint8_t bytes[CodeBytes + 1] = {};
    Bits bits = {bytes, 0};
    for (int32_t i = 0; i < GameCodeLength; i++) {
        int32_t value = SixBitsOf(code[i]);
        if (value < 0) {
            return CodeVerdict::WrongCharacter;
        }
        Put(&bits, static_cast<uint32_t>(value), 6);
    }
    if ((bytes[CodeBytes] & ~AssistedBit) != 0) { // the last character holds three bits
        return CodeVerdict::WrongCharacter;
    }
    Bits check = {bytes, 8 * PackedSize};
    bool assisted = (bytes[CodeBytes] & AssistedBit) != 0;
    if (Take(&check, 32) != (Check(bytes) ^ (assisted ? AssistedCheckKey : 0))) {
        return CodeVerdict::WrongCheck;
    }
    Unpack(bytes, game);
    game->assisted = assisted;
    return SavedGameIsPlayable(*game) ? CodeVerdict::Taken : CodeVerdict::Unplayable;
}

const char* CodeRefusal(CodeVerdict verdict) {
    switch (verdict) {
    case CodeVerdict::WrongLength:
        return "This is not a Brimzo game code: a code has exactly 62 characters.";
    case CodeVerdict::WrongCharacter:
        return "This is not a Brimzo game code: a code has only letters, digits, - and _.";
    case CodeVerdict::WrongCheck:
        return "This Brimzo game code is damaged: a character is wrong, or the code comes from "
               "another program.";
    default:
        return "This Brimzo game code holds a board that cannot be played.";
    }
}

const char* FindGameCode(const char* text, int32_t* length) {
    Word word = {text, text, text};
    bool found = CodeOfLine(text, &word);
    for (const char* at = text; !found && *at != '\0'; at = word.next) {
        word = NextWord(at);
        found = MeantAsCode(&word);
    }
    *length = found ? static_cast<int32_t>(word.end - word.start) : 0;
    return found ? word.start : nullptr;
}
