// The JPEG pictures of the splash window and the about box.
#pragma once

#include <QByteArray>
#include <QImage>

namespace cf {

// Decodes JPEG bytes with libjpeg; raises sps::Exception "JPEG error #<code>".
QImage DecodePicture(const QByteArray& jpeg);

} // namespace cf
