#include "bench/random_play.h"

#include <algorithm>

#include "game/turn.h"

bool PlayRandomMove(std::mt19937& random, std::vector<int32_t>& balls,
                    std::vector<int32_t>& empties) {
    balls.clear();
    empties.clear();
    for (int32_t i = 0; i < CellCount; i++) {
        (Game.board[i] == EmptyCell ? empties : balls).push_back(i);
    }
    std::shuffle(balls.begin(), balls.end(), random);
    std::shuffle(empties.begin(), empties.end(), random);
    for (int32_t ball : balls) {
        ClickCell(ball % BoardSize, ball / BoardSize);
        for (int32_t target : empties) {
            if (FindPath(target % BoardSize, target / BoardSize)) {
                ClickCell(target % BoardSize, target / BoardSize);
                return true;
            }
        }
    }
    return false;
}
