// The drawing surface every element, the editor, printing and export draw on.
//
// A surface keeps a mapping from logical coordinates to device pixels, a pen and a brush, and
// offers figures, paths, regions and bitmaps. Figures are given in logical coordinates and go
// through the mapping; the "pixel mapping" is the identity with a settable origin. Elements
// mostly switch to the pixel mapping and convert their points themselves, so line widths scale
// with the zoom together with the geometry.
#pragma once

#include "surface/Region.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <cstdint>
#include <optional>
#include <vector>

namespace torvi {

// A colour as stored: 0x00BBGGRR.
using TFarbe = uint32_t;
constexpr TFarbe Rgb(int r, int g, int b) {
    return TFarbe(r) | (TFarbe(g) << 8) | (TFarbe(b) << 16);
}
QColor ToQColor(TFarbe c);
TFarbe FromQColor(const QColor& c);

enum class TPenStyle : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, Clear };
// Copy paints the pen colour; NotXor inverts what lies under it so that drawing twice undoes
// the drawing (drag previews).
enum class TPenMode : uint8_t { Copy, NotXor };
enum class TPenEnds : uint8_t { Round, SquareMitre };

struct TPen {
    TFarbe color = 0;
    // Cosmetic pens: device pixels (0 and 1 both give a one-pixel line). Geometric pens:
    // logical units, scaled by the mapping.
    double width = 1;
    TPenStyle style = TPenStyle::Solid;
    TPenMode mode = TPenMode::Copy;
    bool geometric = false;
    TPenEnds ends = TPenEnds::Round;
};

// Style numbers as stored in elements: 0 solid, 1 clear, 2..7 hatches.
enum class TBrushStyle : uint8_t {
    Solid = 0,
    Clear = 1,
    Horizontal = 2,
    Vertical = 3,
    FDiagonal = 4,
    BDiagonal = 5,
    Cross = 6,
    DiagCross = 7
};
TBrushStyle BrushStyleFromByte(uint8_t v);

struct TBrush {
    TFarbe color = 0xFFFFFF;
    TBrushStyle style = TBrushStyle::Solid;
};

// device = logical * s + o, per axis. A negative sy gives y up (metric printing).
struct TMapping {
    double sx = 1, sy = 1, ox = 0, oy = 0;
    QPointF ToDevice(QPointF p) const { return {p.x() * sx + ox, p.y() * sy + oy}; }
    QPointF ToLogical(QPointF p) const { return {(p.x() - ox) / sx, (p.y() - oy) / sy}; }
    static TMapping Pixel(double ox = 0, double oy = 0) { return {1, 1, ox, oy}; }
};

// A figure in logical coordinates; closed figures fill with non-zero winding.
class TPath {
public:
    TPath() { path_.setFillRule(Qt::WindingFill); }
    void MoveTo(QPointF p) { path_.moveTo(p); }
    void LineTo(QPointF p) { path_.lineTo(p); }
    void Polyline(const QPolygonF& pts);
    void Polygon(const QPolygonF& pts); // a closed figure
    void Rectangle(const QRectF& r);
    void Ellipse(const QRectF& r);
    // Appends cubic pieces to the current figure: pts holds 3 points per piece.
    void BezierTo(const QPolygonF& pts);
    void CloseFigure() { path_.closeSubpath(); }
    bool IsEmpty() const { return path_.isEmpty(); }
    const QPainterPath& Path() const { return path_; }
    QPainterPath& Path() { return path_; }

private:
    QPainterPath path_;
};

class TSurface {
public:
    virtual ~TSurface() = default;

    // Mapping.
    const TMapping& Mapping() const { return mapping_; }
    void SetMapping(const TMapping& m) { mapping_ = m; }
    void SetPixelMapping(double ox = 0, double oy = 0) { mapping_ = TMapping::Pixel(ox, oy); }
    QPointF ToDevice(QPointF logical) const { return mapping_.ToDevice(logical); }
    QPointF ToLogical(QPointF device) const { return mapping_.ToLogical(device); }

    // Pen and brush.
    const TPen& Pen() const { return pen_; }
    void SetPen(const TPen& p) { pen_ = p; }
    const TBrush& Brush() const { return brush_; }
    void SetBrush(const TBrush& b) { brush_ = b; }

    // Figures, logical coordinates, drawn with the pen and (closed ones) filled with the brush.
    void MoveTo(QPointF p) { current_ = ToDevice(p); }
    void LineTo(QPointF p);
    QPointF CurrentPosition() const { return mapping_.ToLogical(current_); }
    void Polyline(const QPolygonF& pts);
    void Polygon(const QPolygonF& pts);
    void PolyPolygon(const std::vector<QPolygonF>& polygons);
    void PolyPolyline(const std::vector<QPolygonF>& lines);
    void Rectangle(const QRectF& r);
    void Ellipse(const QRectF& r);
    void FillRect(const QRectF& r, const TBrush& b);
    void PolyBezier(const QPolygonF& pts); // 3k+1 points

    // Paths.
    void StrokePath(const TPath& p) { DoPath(DevicePath(p), true, false); }
    void FillPath(const TPath& p) { DoPath(DevicePath(p), false, true); }
    void StrokeAndFillPath(const TPath& p) { DoPath(DevicePath(p), true, true); }
    // The area the current pen covers when it strokes p, as a closed logical path.
    TPath WidenPath(const TPath& p) const;
    TRegion PathToRegion(const TPath& p) const { return TRegion::FromPath(DevicePath(p)); }
    QPainterPath DevicePath(const TPath& p) const;

    // Clipping (device coordinates); nullptr removes the clip.
    void SetClipRegion(const TRegion* r);
    const std::optional<TRegion>& ClipRegion() const { return clip_; }

    // Fills device-coordinate polygons with non-zero winding, anti-aliased.
    void FillAntiAliased(const QPainterPath& devicePath, TFarbe color) {
        DoFillAntiAliased(devicePath, color);
    }

    // Bitmaps, logical target coordinates.
    void DrawImage(const QImage& image, const QRectF& target);
    // Maps the image's top-left, top-right and bottom-left corners to p0, p1, p2. False when
    // the surface cannot do such a transfer.
    bool DrawImageParallelogram(const QImage& image, QPointF p0, QPointF p1, QPointF p2);

    // Device.
    virtual double DpiX() const = 0;
    virtual double DpiY() const = 0;

protected:
    virtual void DoLine(QPointF a, QPointF b) = 0;
    virtual void DoPolyline(const QPolygonF& device) = 0;
    virtual void DoPath(const QPainterPath& device, bool stroke, bool fill) = 0;
    virtual void DoFillRect(const QRectF& device, const TBrush& b) = 0;
    virtual void DoFillAntiAliased(const QPainterPath& device, TFarbe color) = 0;
    virtual void DoImage(const QImage& image, const QPolygonF& deviceCorners) = 0;
    virtual bool CanTransformImages() const { return true; }
    virtual void DoClipChanged() {}

    QPolygonF ToDevice(const QPolygonF& logical) const;
    // Pen width in device pixels.
    double DevicePenWidth() const;

private:
    TMapping mapping_;
    TPen pen_;
    TBrush brush_;
    QPointF current_;
    std::optional<TRegion> clip_;
};

} // namespace torvi
