// Pixel buffers in plain memory, for the platforms that have no bitmaps of their own to keep
// them in (the browser and the native tools).
#include <cstdlib>

#include "shell/platform.h"

bool CreatePixelBuffer(PixelBuffer* buffer, int32_t width, int32_t height) {
    int32_t stride = PixelRowStride(width);
    auto* pixels = static_cast<uint8_t*>(
        std::calloc(static_cast<size_t>(stride) * static_cast<size_t>(height), 1));
    *buffer = PixelBuffer{pixels, pixels ? width : 0, pixels ? height : 0, stride, nullptr};
    return pixels != nullptr;
}

void FreePixelBuffer(PixelBuffer* buffer) {
    std::free(buffer->pixels);
    *buffer = PixelBuffer{};
}
