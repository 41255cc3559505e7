// Geometry and painting of line ends.
#include "elements/LineEnd.h"

#include "elements/ElementGeometry.h"

#include <cmath>

namespace torvi {
namespace {

struct TFrame {
    TPunkt d; // unit vector from a towards e
    TPunkt n; // perpendicular to d
};

TFrame FrameOf(TPunkt a, TPunkt e) {
    const double t = Angle(a, e);
    return {{float(std::cos(t)), float(-std::sin(t))}, {float(std::sin(t)), float(std::cos(t))}};
}

TPunkt Add(TPunkt p, TPunkt v, double f) {
    return {static_cast<float>(p.x + v.x * f), static_cast<float>(p.y + v.y * f)};
}

bool IsWhiteInside(uint8_t style) {
    return style == kEndArrowOpenFill || style == kEndCircleWhite || style == kEndDiamondWhite ||
           style == kEndSquareWhite;
}

} // namespace

void DrawLineEnd(TSurface& s, uint8_t style, int32_t width, int32_t size, TPunkt e, TPunkt a) {
    if (style == kEndNone || style >= kLineEndStyleCount) return;
    const TFrame f = FrameOf(a, e);
    double sz = 2.0 * width + 2;
    if (size == 0) sz /= 2;
    if (size == 2) sz *= 2;
    const TPunkt e1 = Add(e, f.d, 1);

    TPen pen = s.Pen();
    pen.width = ScreenPenWidth(width);
    if (pen.style == TPenStyle::Clear) pen.style = TPenStyle::Solid;
    s.SetPen(pen);
    s.SetBrush({IsWhiteInside(style) ? 0xFFFFFFu : pen.color, TBrushStyle::Solid});
    s.SetPixelMapping();

    switch (style) {
    case kEndArrowOpenFill:
    case kEndArrow: {
        const TPunkt b = Add(e, f.d, -3.4 * sz);
        s.Polygon({PixelOf(Add(b, f.n, 0.9 * sz)), PixelOf(e), PixelOf(Add(b, f.n, -0.9 * sz))});
        break;
    }
    case kEndArrowOpen: {
        const TPunkt b = Add(e, f.d, -3.4 * sz);
        s.Polyline({PixelOf(Add(b, f.n, 0.9 * sz)), PixelOf(e), PixelOf(Add(b, f.n, -0.9 * sz))});
        break;
    }
    case kEndCircleWhite:
    case kEndCircle: {
        const QPointF c = PixelOf(Add(e1, f.d, -sz));
        const TViewTransform& v = Shared().ViewTransform;
        const double r = RoundEven(sz * (v.sx + v.sy) / 2);
        s.Ellipse(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
        break;
    }
    case kEndDiamondWhite:
    case kEndDiamond: {
        const TPunkt m = Add(e1, f.d, -sz);
        s.Polygon({PixelOf(Add(e1, f.d, -2 * sz)), PixelOf(Add(m, f.n, sz)), PixelOf(e1),
                   PixelOf(Add(m, f.n, -sz))});
        break;
    }
    case kEndSquareWhite:
    case kEndSquare: {
        const TPunkt q = Add(e1, f.d, -2 * sz);
        s.Polygon({PixelOf(Add(q, f.n, sz)), PixelOf(Add(q, f.n, -sz)), PixelOf(Add(e1, f.n, -sz)),
                   PixelOf(Add(e1, f.n, sz))});
        break;
    }
    case kEndBar:
        s.Polyline({PixelOf(Add(e1, f.n, sz)), PixelOf(Add(e1, f.n, -sz))});
        break;
    default:
        break;
    }
}

void DrawLineEnds(TSurface& s, uint8_t startStyle, uint8_t endStyle, int32_t width, int32_t size,
                  std::span<const TPunkt> points) {
    const size_t n = points.size();
    if (n < 2) return;
    if (startStyle != 0) DrawLineEnd(s, startStyle, width, size, points[0], points[1]);
    if (endStyle != 0) DrawLineEnd(s, endStyle, width, size, points[n - 1], points[n - 2]);
}

std::array<TPunkt, 4> LineEndQuad(TPunkt a, TPunkt e, uint8_t style, int32_t size, int32_t width) {
    const TFrame f = FrameOf(a, e);
    const double c = (style >= 1 && style <= 3) ? 3.4 : 2.0;
    double ext = 2.0 * width + 2;
    if (size == 0) ext /= 2;
    const double h = width / 2.0 + (size == 2 ? 2 * ext : ext);
    const TPunkt tip = Add(e, f.d, width / 2.0 + 1);
    const TPunkt m = Add(tip, f.d, -c * h);
    return {Add(m, f.n, h), Add(m, f.n, -h), Add(tip, f.n, -h), Add(tip, f.n, h)};
}

} // namespace torvi
