#include "render/skin.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "store/settings.h"

PixelBuffer SkinSheet;
char* SkinDescription;
const PixelBuffer* SelectedSkin;

// A skin that cannot be read, whatever the reason, gives way to "brimzo.png"; the setting
// keeps the name it had.
void LoadSkin() {
    if (!LoadSkinFile(Skin) && std::strcmp(Skin, DefaultSkin) != 0) {
        LoadSkinFile(DefaultSkin);
    }
}

const char* SkinFailureMessage() {
    static char message[PathBufferSize + 100];
    if (SkinSheet.pixels) {
        return nullptr;
    }
    if (std::strcmp(Skin, DefaultSkin) == 0) {
        std::snprintf(message, sizeof message,
                      "The skin %s could not be loaded: the game has no pictures to show!",
                      DefaultSkin);
    } else {
        std::snprintf(message, sizeof message,
                      "Neither the skin %s nor %s could be loaded: the game has no pictures to "
                      "show!",
                      Skin, DefaultSkin);
    }
    return message;
}

void FreeSkin() {
    SelectedSkin = nullptr;
    if (SkinSheet.pixels) {
        FreePixelBuffer(&SkinSheet);
    }
    std::free(SkinDescription);
    SkinDescription = nullptr;
}

void SelectSkin() {
    SelectedSkin = SkinSheet.pixels ? &SkinSheet : nullptr;
}
