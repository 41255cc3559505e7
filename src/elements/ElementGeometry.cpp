// View- and surface-dependent helpers of the element kinds.
#include "elements/ElementGeometry.h"

#include <cmath>

namespace torvi {

QPolygonF PixelsOf(std::span<const TPunkt> points) {
    QPolygonF out;
    out.reserve(static_cast<qsizetype>(points.size()));
    for (const TPunkt& p : points) out.append(PixelOf(p));
    return out;
}

QPolygonF LogicalOf(std::span<const TPunkt> points) {
    QPolygonF out;
    out.reserve(static_cast<qsizetype>(points.size()));
    for (const TPunkt& p : points) out.append(Logical(p));
    return out;
}

double DeviceToUnits(const TSurface& s, int n) {
    return s.ToLogical(QPointF(n, n)).x() - s.ToLogical(QPointF(0, 0)).x();
}

int32_t HitTolerance(const TSurface& s, bool wide) {
    // Logical coordinates are whole units, as the device-to-logical conversion rounds them.
    const int32_t l0 = RoundEven(s.ToLogical(QPointF(0, 0)).x());
    int32_t l1 = RoundEven(s.ToLogical(QPointF(2, 2)).x());
    if (wide) l1 += 18;
    return l1 - l0 + 1;
}

TRechteckI ScreenRectAround(const TSurface& s, const TRechteckF& bounds, int32_t grow) {
    const TRechteckI r = RoundRect(bounds);
    const QPointF a = s.ToDevice(QPointF(r.x1 - grow, r.y1 - grow));
    const QPointF b = s.ToDevice(QPointF(r.x2 + grow, r.y2 + grow));
    return NormRect(
        {static_cast<int32_t>(std::floor(a.x())), static_cast<int32_t>(std::floor(a.y())),
         static_cast<int32_t>(std::ceil(b.x())), static_cast<int32_t>(std::ceil(b.y()))});
}

} // namespace torvi
