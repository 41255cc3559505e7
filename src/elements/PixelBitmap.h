// TPixelBitmap: a raster picture placed in a free quadrilateral, so that it scales, turns,
// shears and mirrors with the drawing; loaded from bitmap or JPEG files or pasted.
#pragma once

#include "codec/RasterBild.h"
#include "elements/Element.h"
#include "text/Sprache.h"

#include <array>

namespace torvi {

// Shown when a picture cannot be loaded or pasted.
extern const TText3 kBitmapNichtLesbar;

// Resolution of JPEG pictures, which carry none the program trusts.
constexpr int kJpegDpi = 100;

class TPixelBitmap : public TElement {
public:
    TPixelBitmap();

    // The pixels that are drawn, with the depth and resolution they are stored with.
    TRasterBild Bild;
    // The picture box: 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left of the unmirrored
    // picture.
    std::array<TPunkt, 4> Ecken{};
    // The picture came from a JPEG file.
    bool IstJpeg = false;

    // Loads a bitmap (".BMP", sized by the resolution in its header) or a JPEG file (any other
    // extension, 100 dpi) into an upright box with top-left p. False with the reason in error
    // (the element keeps its previous picture); the caller shows kBitmapNichtLesbar.
    bool LoadPicture(const QString& fileName, TPunkt p, QString* error = nullptr);
    // Takes a pasted picture at one pixel per unit with the box at the origin. False for an
    // empty picture.
    bool PastePicture(const QImage& image);

    void Draw(TSurface& s) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    TRechteckF GetBounds() const override;
    TRechteckI GetScreenRect(const TSurface& s) const override;
    void AddHandles(std::vector<TPunkt*>& /*handles*/) override {}
    void RotateAbout(TPunkt c, double angle) override;
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;
    std::span<TPunkt> Points() override { return Ecken; }

private:
    void DrawPreview(TSurface& s, const QPolygonF& box) const;
    void DrawTurned(TSurface& s, const QPolygonF& box);
    void LoadPictureData(TByteReader& r);
};

// Dots per inch from a bitmap header's pixels per metre; 72 where the field is missing or tiny.
int DpiFromPixelsPerMeter(int32_t ppm);

} // namespace torvi
