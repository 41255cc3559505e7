// TPixelBitmap: picture loading and sizing, drawing upright or through a parallelogram, and
// the record with its embedded bitmap file or JPEG data.
#include "elements/PixelBitmap.h"

#include "codec/Bmp.h"
#include "codec/Jpeg.h"
#include "elements/ElementGeometry.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace torvi {

const TText3 kBitmapNichtLesbar = {"Die Bitmap kann nicht eingelesen werden.",
                                   "Error while loading the bitmap.",
                                   "Error while loading the bitmap."};

namespace {

// The largest bitmap of the pixel limit at 32 bits, plus headers and palette.
constexpr qint64 kMaxPictureFileBytes = kMaxPicturePixels * 4 + 65536;
// 100 dpi in pixels per metre.
constexpr int32_t kJpegPixelsPerMeter = 3937;
// The picture-form byte of the record.
constexpr uint8_t kFormBitmap = 0;
constexpr uint8_t kFormJpeg = 1;

TRasterBild FromJpeg(QImage image) {
    return {std::move(image), 24, kJpegPixelsPerMeter, kJpegPixelsPerMeter};
}

bool ReadFileBytes(const QString& fileName, QByteArray& bytes, QString& error) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot open %1: %2").arg(fileName, f.errorString());
        return false;
    }
    if (f.size() > kMaxPictureFileBytes) {
        error =
            QStringLiteral("%1 is too large for a picture (%2 bytes)").arg(fileName).arg(f.size());
        return false;
    }
    bytes = f.readAll();
    return true;
}

// The embedded bitmap file: its own size field says how long it is, once that agrees with the
// bytes left and with its headers.
void ReadBmpImage(TByteReader& r, TRasterBild& out) {
    const qsizetype at = r.Offset();
    const qsizetype left = r.Remaining();
    const char* rest = r.Raw(left);
    r.Seek(at);
    QString why;
    const qsizetype length = BmpImageLength(rest, left, why);
    if (length < 0) r.FailAt(QStringLiteral("picture: %1").arg(why), at);
    const char* data = r.Raw(length);
    if (!DecodeBmp(data, length, out, why)) r.FailAt(QStringLiteral("picture: %1").arg(why), at);
}

int RoundedDegrees(double radians) {
    return RoundEven(radians * 180 / kPi);
}

} // namespace

int DpiFromPixelsPerMeter(int32_t ppm) {
    const int dpi = RoundEven(ppm * 2.54 / 100);
    return dpi < 2 ? 72 : dpi;
}

TPixelBitmap::TPixelBitmap() : TElement(ElementKind::PixelBitmap) {}

bool TPixelBitmap::LoadPicture(const QString& fileName, TPunkt p, QString* error) {
    QString why;
    QByteArray bytes;
    TRasterBild bild;
    const bool bmp = QFileInfo(fileName).suffix().toUpper() == QLatin1String("BMP");
    bool ok = ReadFileBytes(fileName, bytes, why);
    if (ok && bmp) {
        ok = DecodeBmp(bytes.constData(), bytes.size(), bild, why);
    } else if (ok) {
        QImage image;
        ok = DecodeJpeg(bytes.constData(), bytes.size(), image, why);
        bild = FromJpeg(std::move(image));
    }
    if (!ok) {
        if (error) *error = why;
        return false;
    }
    const int dpiX = bmp ? DpiFromPixelsPerMeter(bild.pixelsPerMeterX) : kJpegDpi;
    const int dpiY = bmp ? DpiFromPixelsPerMeter(bild.pixelsPerMeterY) : kJpegDpi;
    const float w = float(double(bild.image.width()) / dpiX * 254);
    const float h = float(double(bild.image.height()) / dpiY * 254);
    Bild = std::move(bild);
    IstJpeg = !bmp;
    Ecken = {TPunkt{p.x, p.y}, {p.x + w, p.y}, {p.x + w, p.y + h}, {p.x, p.y + h}};
    return true;
}

bool TPixelBitmap::PastePicture(const QImage& image) {
    if (image.isNull()) return false;
    const bool indexed = image.format() == QImage::Format_Indexed8;
    Bild = {indexed ? image : image.convertToFormat(QImage::Format_RGB32), indexed ? 8 : 24, 0, 0};
    IstJpeg = false;
    const float w = float(image.width()), h = float(image.height());
    Ecken = {TPunkt{0, 0}, {w, 0}, {w, h}, {0, h}};
    return true;
}

void TPixelBitmap::DrawPreview(TSurface& s, const QPolygonF& box) const {
    TPen pen = s.Pen();
    pen.color = Shared().SelectionPenColor;
    pen.width = 0;
    pen.style = TPenStyle::Dot;
    pen.geometric = false;
    s.SetPen(pen);
    s.SetBrush({0, TBrushStyle::Clear});
    TPath outline;
    outline.Polygon(box);
    s.StrokePath(outline);
}

void TPixelBitmap::DrawTurned(TSurface& s, const QPolygonF& box) {
    if (s.DrawImageParallelogram(Bild.image, box[0], box[1], box[3])) {
        RaiseAfterDraw();
        return;
    }
    // Without a parallelogram transfer the box is shown hatched.
    const TFarbe c = Selected ? Shared().SelectionPenColor : 0;
    TPen pen = s.Pen();
    pen.color = c;
    pen.width = 0;
    pen.style = TPenStyle::Solid;
    pen.geometric = false;
    s.SetPen(pen);
    s.SetBrush({c, TBrushStyle::BDiagonal});
    TPath area;
    area.Polygon(box);
    s.StrokeAndFillPath(area);
    RaiseAfterDraw();
}

void TPixelBitmap::Draw(TSurface& s) {
    if (!Visible) return;
    const QPolygonF box = PixelsOf(Ecken);
    s.SetPixelMapping();
    if (s.Pen().mode == TPenMode::NotXor) {
        DrawPreview(s, box);
        return;
    }
    const int a = RoundedDegrees(Angle(Ecken[0], Ecken[1]));
    const int d = RoundedDegrees(Angle(Ecken[3], Ecken[0]) - Angle(Ecken[3], Ecken[2]) - kPi / 2);
    if (a % 180 != 0 || d % 180 != 0) {
        DrawTurned(s, box);
    } else {
        // A reversed rectangle mirrors or turns the picture by 180 degrees.
        s.DrawImage(Bild.image, QRectF(box[0], box[2]));
        RaiseAfterDraw();
    }
    if (Selected) {
        s.SetPen({Shared().SelectionPenColor, 2, TPenStyle::Solid, s.Pen().mode, false,
                  TPenEnds::Round});
        s.SetBrush({0, TBrushStyle::Clear});
        TPath outline;
        outline.Polygon(box);
        s.StrokePath(outline);
    }
}

TRegion TPixelBitmap::HitRegion(TSurface& s, bool /*wide*/) {
    QPolygonF device;
    for (const TPunkt& p : Ecken) device.append(s.ToDevice(Logical(p)));
    return TRegion::FromPolygon(device);
}

TRechteckF TPixelBitmap::GetBounds() const {
    // The hit polygon runs through the corners rounded to whole units.
    TRechteckF r{};
    for (size_t i = 0; i < Ecken.size(); ++i) {
        const TIntPunkt p = RoundPoint(Ecken[i]);
        const TPunkt f{float(p.x), float(p.y)};
        if (i == 0)
            r = {f.x, f.y, f.x, f.y};
        else
            IncludePoint(r, f);
    }
    return r;
}

TRechteckI TPixelBitmap::GetScreenRect(const TSurface& s) const {
    const TRechteckI r = RoundRect(GetBounds());
    const int32_t grow = HitTolerance(s, true);
    const QPointF a = s.ToDevice(QPointF(r.x1 - grow, r.y1 - grow));
    const QPointF b = s.ToDevice(QPointF(r.x2 + grow, r.y2 + grow));
    return NormRect(
        {static_cast<int32_t>(std::floor(a.x())), static_cast<int32_t>(std::floor(a.y())),
         static_cast<int32_t>(std::ceil(b.x())), static_cast<int32_t>(std::ceil(b.y()))});
}

void TPixelBitmap::RotateAbout(TPunkt c, double angle) {
    if (Shared().ShiftHeld) return; // pictures keep their orientation while Shift is held
    TElement::RotateAbout(c, angle);
}

void TPixelBitmap::Save(TByteWriter& w) const {
    SaveCommon(w);
    for (const TPunkt& p : Ecken) w.Punkt(p);
    w.Byte(kFormBitmap); // always the bitmap file image, whatever form was read
    w.Bytes(EncodeBmp(Bild));
}

void TPixelBitmap::Load(TByteReader& r) {
    LoadCommon(r);
    if (Shared().ReadVersion >= 60) {
        for (TPunkt& p : Ecken) p = r.Punkt();
        LoadPictureData(r);
        return;
    }
    float v[4];
    for (float& f : v) f = float(RoundEven(r.Float()));
    Ecken = {TPunkt{v[0], v[1]}, {v[2], v[1]}, {v[2], v[3]}, {v[0], v[3]}};
    ReadBmpImage(r, Bild);
}

void TPixelBitmap::LoadPictureData(TByteReader& r) {
    const qsizetype formAt = r.Offset();
    const uint8_t form = r.Byte();
    if (form == kFormBitmap) {
        ReadBmpImage(r, Bild);
        return;
    }
    if (form != kFormJpeg) r.FailAt(QStringLiteral("unknown picture form %1").arg(form), formAt);
    const qsizetype at = r.Offset();
    const int32_t length = r.Int32();
    if (length < 0 || length > r.Remaining())
        r.FailAt(QStringLiteral("JPEG length %1 outside the %2 bytes left")
                     .arg(length)
                     .arg(r.Remaining()),
                 at);
    const char* data = r.Raw(length);
    QImage image;
    QString why;
    if (!DecodeJpeg(data, length, image, why)) r.FailAt(QStringLiteral("picture: %1").arg(why), at);
    Bild = FromJpeg(std::move(image));
}

} // namespace torvi
