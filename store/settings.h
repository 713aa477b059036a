// The settings values kept between runs in "brimzo.ini".
#pragma once

#include <cstdint>

constexpr int32_t PathBufferSize = 260;
constexpr int32_t SoundFileBufferSize = 1024;
constexpr int32_t LeaderNameBufferSize = 30;
constexpr int32_t DefaultAnimationSpeed = 100;

extern int32_t PosX;
extern int32_t PosY;
extern int32_t FullScreen;
extern char LastLeaderName[LeaderNameBufferSize];
extern int32_t AnimationSpeed; // percent, never below 1
extern int32_t SoundEnabled[4];
extern char Skin[PathBufferSize];
extern char SoundFile[4][SoundFileBufferSize];
