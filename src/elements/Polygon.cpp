// TPolygon drawing, hit areas and record.
#include "elements/Polygon.h"

#include "elements/ElementGeometry.h"
#include "elements/PointList.h"

namespace torvi {

TPolygon::TPolygon() : TElement(ElementKind::Polygon) {
    ApplyDefaults();
}

void TPolygon::Draw(TSurface& s) {
    if (!Visible) return;
    PrepareShapeDraw(s);
    const QPolygonF pixels = PixelsOf(Punkte);
    if (pixels.size() > 2) {
        TPath p;
        p.Polygon(pixels);
        StrokeFill(s, p);
    } else {
        s.Polyline(pixels); // two points make a line, not an area
    }
    RaiseAfterDraw();
}

TRegion TPolygon::SeedRegion(const TSurface& s) const {
    return Punkte.empty() ? TRegion() : SquareAt(s, Punkte[0], 2);
}

TRegion TPolygon::SegmentRegion(TSurface& s, bool wide, int index) {
    const int n = int(Punkte.size());
    if (index < 0 || index >= n || n < 2) return {};
    const int32_t a = HitTolerance(s, wide) + RoundEven(PenWidth / 2.0);
    return SegmentBand(s, Punkte[index], Punkte[(index + 1) % n], a);
}

TRegion TPolygon::HitRegion(TSurface& s, bool wide) {
    TRegion r = SeedRegion(s);
    const int n = int(Punkte.size());
    for (int i = 0; n >= 2 && i < n; ++i) r.Unite(SegmentRegion(s, wide, i));
    if (!NoFill && n >= 3) {
        QPolygonF device;
        for (const TPunkt& p : Punkte) device.append(s.ToDevice(Logical(p)));
        r.Unite(TRegion::FromPolygon(device));
    }
    return r;
}

int TPolygon::SegmentAt(TSurface& s, QPoint device) {
    const int n = int(Punkte.size());
    if (n < 3) return -1;
    for (int i = 0; i < n; ++i)
        if (SegmentRegion(s, false, i).Contains(device)) return i;
    return -1;
}

void TPolygon::Save(TByteWriter& w) const {
    SaveCommon(w);
    WritePointList(w, Punkte);
}

void TPolygon::Load(TByteReader& r) {
    LoadCommon(r);
    ReadPointList(r, Punkte);
    if (Shared().ReadVersion < 60) RoundPoints(Punkte);
}

} // namespace torvi
