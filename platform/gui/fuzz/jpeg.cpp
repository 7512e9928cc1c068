// Decodes arbitrary bytes as a JPEG file.
#include "platform/error.h"
#include "platform/gui/jpegdecode.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        sps::TRgbImage image = sps::DecodeJpegRgb(data, size);
        if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3)
            __builtin_trap();
    } catch (const sps::Exception&) {
    }
    return 0;
}
