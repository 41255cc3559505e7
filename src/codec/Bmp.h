// Reader and writer of Windows bitmap files (1, 4, 8, 24 and 32 bits per pixel, bottom-up and
// top-down rows, palettes), as embedded in picture records and loaded from files.
//
// Nothing in the headers is trusted: sizes, offsets, palette counts and dimensions are checked
// against the bytes given before anything is allocated from them.
#pragma once

#include "codec/RasterBild.h"

#include <QByteArray>
#include <QString>

namespace torvi {

// The length of the bitmap file image that starts at data, as its file header says, after
// checking that it lies within the size bytes given and holds its own headers and pixels.
// -1 with a reason in error when it does not.
qsizetype BmpImageLength(const char* data, qsizetype size, QString& error);

// Decodes the bitmap file image data[0..size). False with a reason in error when the image is
// damaged, of an unsupported kind or too large.
bool DecodeBmp(const char* data, qsizetype size, TRasterBild& out, QString& error);

// A bitmap file image of the picture: bottom-up rows, a 40-byte info header, the palette for
// depths up to 8 bits, uncompressed.
QByteArray EncodeBmp(const TRasterBild& bild);

} // namespace torvi
