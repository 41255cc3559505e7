// JPEG decoding and encoding through libjpeg; library errors come back as a reason, never as
// an abort of the program.
#pragma once

#include "codec/RasterBild.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace torvi {

// Decodes JPEG data into an RGB32 image. False with a reason in error for damaged or
// truncated data and for pictures above kMaxPicturePixels.
bool DecodeJpeg(const char* data, qsizetype size, QImage& out, QString& error);

// JPEG data of the image at quality 0..100; empty with a reason in error on failure.
QByteArray EncodeJpeg(const QImage& image, int quality, QString& error);

} // namespace torvi
