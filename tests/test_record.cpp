// Game records, replayed by the rules alone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/record.h"
#include "tests/board_text.h"

namespace {

// The first 30 moves of a game the player played (autoplay --mode Squares --seed 7 --cap 30
// --record), and the board they left.
const char* const PlayedGame =
    "Squares 7 44 0,2>4,0 0,8>1,1 3,8>0,2 2,2>5,0 8,8>5,1 8,2>4,4 6,7>1,5 5,7>5,4"
    " 0,5>1,4 6,3>2,4 8,1>1,4 2,1>5,5 8,0>6,2 0,0>0,3 3,8>7,1 4,8>1,1 5,8>6,5 2,4>7,5"
    " 7,0>4,6 0,5>1,2 5,2>1,1 2,7>5,2 7,3>4,1 8,1>1,2 3,7>0,1 0,6>1,7 2,5>1,1 1,3>2,1"
    " 0,5>2,0 7,1>5,6";
const char* const PlayedBoard = "....3..20"
                                ".....4..3"
                                ".5......."
                                "26......1"
                                "26......."
                                "......1.."
                                "..5.44..."
                                ".55.4...."
                                ".2.32....";

// A random player's whole game, to its end.
const char* const EndedGame =
    "Lines 1 0 4,1>7,5 6,6>1,0 0,3>3,4 6,1>8,8 1,6>2,7 7,4>8,3 8,7>8,6 8,1>1,4"
    " 3,5>3,7 8,8>2,8 2,1>2,2 1,4>0,7 5,0>5,2 3,6>6,7 2,8>1,7 8,8>7,7 6,2>7,3 6,4>6,1"
    " 2,4>1,5 0,4>0,5 4,1>4,2 6,5>6,3 4,8>4,6 5,4>6,4 3,7>3,6";

TEST(ReplayRecord, APlayedGameComesBackWithItsScoreAndBoard) {
    ASSERT_EQ(ReplayRecord(PlayedGame), ReplayVerdict::Replayed);
    EXPECT_EQ(Game.score, 44);
    EXPECT_EQ(BoardText(), PlayedBoard);
    EXPECT_EQ(ReplayRecord((std::string(EndedGame) + "\n").c_str()), ReplayVerdict::Replayed);
}

// The line's head (mode, seed, score) and its first moves.
std::string FirstMoves(const char* line, int32_t moves) {
    const char* end = line;
    for (int32_t fields = 0; fields < 3 + moves; fields++) {
        end = std::strchr(end + 1, ' ');
    }
    return std::string(line, end);
}

std::string WithHead(const char* head, const char* line) {
    return head + std::string(line).substr(FirstMoves(line, 0).size());
}

TEST(ReplayRecord, RefusesALineThatIsNotAGameOfTheRules) {
    struct Case {
        std::string line;
        ReplayVerdict verdict;
    } cases[] = {
        {WithHead("Squares 7 45", PlayedGame), ReplayVerdict::WrongScore},
        // the same deal, but in Lines the squares stay and a later move finds its cell taken
        {WithHead("Lines 7 44", PlayedGame), ReplayVerdict::IllegalMove},
        {"Squares 7 0 1,1>4,0", ReplayVerdict::IllegalMove},                  // no ball there
        {"Squares 7 0 0,2>4,1", ReplayVerdict::IllegalMove},                  // a ball there
        {FirstMoves(EndedGame, 23) + " 0,0>3,2", ReplayVerdict::IllegalMove}, // walled off
        {std::string(EndedGame) + " 0,8>3,2", ReplayVerdict::IllegalMove},    // after the end
        {"", ReplayVerdict::Malformed},
        {"Circles 7 0", ReplayVerdict::Malformed},
        {"Squares 07 0", ReplayVerdict::Malformed},
        {"Squares 4294967296 0", ReplayVerdict::Malformed},
        {"Squares 7 -1", ReplayVerdict::Malformed},
        {"Squares 7", ReplayVerdict::Malformed},
        {"Squares 7 0 0,2>4,9", ReplayVerdict::Malformed},
        {"Squares 7 0 0,2-4,0", ReplayVerdict::Malformed},
        {"Squares 7 0  0,2>4,0", ReplayVerdict::Malformed},
        {"Squares 7 0 0,2>4,0 ", ReplayVerdict::Malformed},
        {"Squares 7 0 0,2>4,0\n\n", ReplayVerdict::Malformed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplayRecord(c.line.c_str()), c.verdict) << c.line;
    }
}

} // namespace
