// The skin sheet in a browser: the page fetches each skin as a picture the browser decodes (a
// lossless WebP, smaller than the PNG file), and hands the game its pixels as they are, with the
// sheet's description. libpng and zlib stay out of the page's WebAssembly.
#include <emscripten.h>

#include <cstdlib>

#include "render/skin.h"

namespace {
// A sheet's layout is 1000 x 760; a picture that claims more is refused, as the PNG loader
// refuses one.
constexpr int32_t MaxSheetSide = 4096;

EM_JS(bool, JsSkinSize, (const char* name, int32_t* size), {
    const skin = Module.page.skin(Module.page.textAt(HEAPU8, name));
    if (skin)
        HEAP32.set([ skin.width, skin.height ], size / 4);
    return Boolean(skin);
});
EM_JS(void, JsSkinPixels, (const char* name, uint8_t* pixels, int32_t stride),
      { Module.page.skinPixels(Module.page.textAt(HEAPU8, name), HEAPU8, pixels, stride); });
EM_JS(int32_t, JsSkinDescription, (const char* name, char* buffer, int32_t size), {
    const skin = Module.page.skin(Module.page.textAt(HEAPU8, name));
    return Module.page.copyOut(HEAPU8, skin.description, buffer, size);
});

bool SheetSize(const char* name, int32_t* width, int32_t* height) {
    int32_t size[2];
    if (!JsSkinSize(name, size) || size[0] < 1 || size[1] < 1 || size[0] > MaxSheetSide ||
        size[1] > MaxSheetSide) {
        return false;
    }
    *width = size[0];
    *height = size[1];
    return true;
}

void TakeDescription(const char* name) {
    int32_t length = JsSkinDescription(name, nullptr, 0);
    if (length < 0) {
        return;
    }
    auto* copy = static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
    if (copy) {
        JsSkinDescription(name, copy, length + 1);
    }
    std::free(SkinDescription);
    SkinDescription = copy;
}
} // namespace

bool LoadSkinFile(const char* name) {
    int32_t width = 0;
    int32_t height = 0;
    if (!SheetSize(name, &width, &height) || !CreatePixelBuffer(&SkinSheet, width, height)) {
        return false;
    }
    JsSkinPixels(name, SkinSheet.pixels, SkinSheet.stride);
    TakeDescription(name);
    return true;
}
