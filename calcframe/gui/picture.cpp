#include "calcframe/gui/picture.h"

#include "platform/gui/jpeg.h"

namespace cf {

QImage DecodePicture(const QByteArray& jpeg) { return sps::DecodeJpeg(jpeg); }

} // namespace cf
