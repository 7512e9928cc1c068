// Kestrane's picture of the splash window and the about box (JPEG, 414 x 315).
#pragma once

#include <QByteArray>

namespace cw {

QByteArray KestranePicture();

} // namespace cw
