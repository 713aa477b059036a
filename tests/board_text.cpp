#include "tests/board_text.h"

#include <cstring>
#include <stdexcept>

#include "game/game.h"

void SetBoardText(const char* text) {
    if (std::strlen(text) != CellCount) {
        throw std::invalid_argument("a board picture has 81 characters");
    }
    for (int32_t i = 0; i < CellCount; i++) {
        Game.board[i] = text[i] == '.' ? EmptyCell : static_cast<int8_t>(text[i] - '0');
    }
}

std::string BoardText() {
    std::string text;
    for (int8_t cell : Game.board) {
        text += cell == EmptyCell ? '.' : static_cast<char>('0' + cell);
    }
    return text;
}

std::string MarkText() {
    std::string text;
    for (int32_t mark : Game.removalMark) {
        text += mark == 0 ? '.' : mark == 1 ? 'x' : '-';
    }
    return text;
}

void FillShapeless() {
    for (int32_t row = 0; row < BoardSize; row++) {
        for (int32_t column = 0; column < BoardSize; column++) {
            Game.board[CellIndex(column, row)] = static_cast<int8_t>((column + 2 * row) % 7);
        }
    }
}
