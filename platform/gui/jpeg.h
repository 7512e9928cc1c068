// JPEG pictures as QImage, decoded with libjpeg (see jpegdecode.h for errors).
#pragma once

#include <QByteArray>
#include <QImage>

namespace sps {

// An RGB image (QImage::Format_RGB888); raises sps::Exception "JPEG error #<code>".
QImage DecodeJpeg(const QByteArray& data);
QImage DecodeJpeg(const void* data, size_t size);

} // namespace sps
