#include "store/settings.h"

// The values a first start has before anything is read.
int32_t PosX = 0;
int32_t PosY = 0;
int32_t FullScreen = 0;
char LastLeaderName[LeaderNameBufferSize] = "";
int32_t AnimationSpeed = DefaultAnimationSpeed;
int32_t SoundEnabled[4] = {1, 1, 1, 1};
char Skin[PathBufferSize] = "brimzo.png";
char SoundFile[4][SoundFileBufferSize] = {"jump.wav", "cantmove.wav", "move.wav", "destroy.wav"};
