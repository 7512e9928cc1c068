// JPEG decoding with libjpeg into RGB bytes (no Qt).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sps {

struct TRgbImage {
    int width = 0;
    int height = 0;
    // Rows top first, 3 bytes (red, green, blue) per pixel, no padding.
    std::vector<uint8_t> pixels;
};

// Largest picture decoded, in pixels.
inline constexpr long kMaxJpegPixels = 25L * 1000 * 1000;

// Decodes a whole JPEG file held in memory. Every libjpeg error and warning,
// a truncated file included, raises sps::Exception "JPEG error #<code>" with
// libjpeg's message code; so does a picture larger than kMaxJpegPixels.
TRgbImage DecodeJpegRgb(const void* data, size_t size);

} // namespace sps
