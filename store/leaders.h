// The leader tables: ten best scores for each game mode.
#pragma once

#include <cstdint>

bool LeaderQualifies();
void InsertLeader();
