// Rovandel's pictures: the splash window's (JPEG, 414 x 315) and the about
// box's emblem (JPEG, 281 x 60).
#pragma once

#include <QByteArray>

namespace rv {

QByteArray SplashPicture();
QByteArray EmblemPicture();

} // namespace rv
