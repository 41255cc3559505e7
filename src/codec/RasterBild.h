// A decoded raster picture with what its bitmap file needs to be written back as it came.
#pragma once

#include <QImage>
#include <cstdint>

namespace torvi {

// Pictures above this many pixels are refused before any pixel memory is taken.
constexpr int64_t kMaxPicturePixels = 100'000'000;

struct TRasterBild {
    // Indexed8 for palette pictures (1, 4 and 8 bits per pixel), RGB32 otherwise; null when
    // the picture has no pixels.
    QImage image;
    // The depth the bitmap writer uses: 1, 4, 8, 24 or 32.
    int bitsPerPixel = 24;
    // Resolution from or for the bitmap's info header; 0 when unknown.
    int32_t pixelsPerMeterX = 0;
    int32_t pixelsPerMeterY = 0;
};

// Empty when w x h pixels are acceptable, else the reason for refusing them.
QString CheckPictureSize(int64_t width, int64_t height);

} // namespace torvi
