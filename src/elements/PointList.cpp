// Point lists of records and the segment hit band.
#include "elements/PointList.h"

#include "elements/ElementGeometry.h"

namespace torvi {

void ReadPointList(TByteReader& r, std::vector<TPunkt>& points) {
    const int32_t count = r.ListCount(8, "points");
    points.clear();
    points.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) points.push_back(r.Punkt());
}

void WritePointList(TByteWriter& w, const std::vector<TPunkt>& points) {
    w.ListCount(static_cast<qsizetype>(points.size()));
    for (const TPunkt& p : points) w.Punkt(p);
}

void RoundPoints(std::span<TPunkt> points) {
    for (TPunkt& p : points) p = {float(RoundEven(p.x)), float(RoundEven(p.y))};
}

TRegion SegmentBand(const TSurface& s, TPunkt pf, TPunkt qf, int32_t a) {
    const TIntPunkt p = RoundPoint(pf);
    const TIntPunkt q = RoundPoint(qf);
    // The band's corners are offset across the segment's direction, so the sign depends on
    // whether the segment rises or falls.
    const int32_t d = ((q.x < p.x) != (q.y < p.y)) ? a : -a;
    auto dev = [&](double x, double y) { return s.ToDevice(QPointF(x, y)); };
    TRegion r = TRegion::FromPolygon(QPolygonF({dev(p.x - a, p.y - d), dev(p.x + a, p.y + d),
                                                dev(q.x + a, q.y + d), dev(q.x - a, q.y - d)}));
    auto square = [&](TIntPunkt c) {
        return TRegion::FromRect(QRectF(dev(c.x - a, c.y - a), dev(c.x + a, c.y + a)));
    };
    r.Unite(square(p));
    r.Unite(square(q));
    return r;
}

} // namespace torvi
