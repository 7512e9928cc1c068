#include "platform/gui/jpeg.h"

#include "platform/error.h"
#include "platform/gui/jpegdecode.h"

#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

namespace sps {

QImage DecodeJpeg(const QByteArray& data)
{
    return DecodeJpeg(data.constData(), static_cast<size_t>(data.size()));
}

QImage DecodeJpeg(const void* data, size_t size)
{
    TRgbImage rgb = DecodeJpegRgb(data, size);
    QImage image(rgb.width, rgb.height, QImage::Format_RGB888);
    if (image.isNull())
        RaiseFmt("JPEG error #%d", static_cast<int>(JERR_OUT_OF_MEMORY));
    const size_t rowBytes = static_cast<size_t>(rgb.width) * 3;
    for (int y = 0; y < rgb.height; ++y)
        std::memcpy(image.scanLine(y), rgb.pixels.data() + static_cast<size_t>(y) * rowBytes, rowBytes);
    return image;
}

} // namespace sps
