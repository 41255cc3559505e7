// View- and surface-dependent helpers of the element kinds.
#include "elements/ElementGeometry.h"

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

} // namespace torvi
