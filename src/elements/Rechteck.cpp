// TRechteck geometry, drawing, hit areas, transforms and its records of every version.
#include "elements/Rechteck.h"

#include "elements/ElementGeometry.h"

#include <algorithm>
#include <cmath>

namespace torvi {

TRechteck::TRechteck() : TElement(ElementKind::Rechteck) {
    PlaceRundungspunkt();
    ApplyDefaults();
}

void TRechteck::SetCorners(const TRechteckF& r) {
    const TRechteckF n = NormRectF(r);
    Ecken = {TPunkt{n.x1, n.y1}, TPunkt{n.x2, n.y1}, TPunkt{n.x2, n.y2}, TPunkt{n.x1, n.y2}};
    PlaceRundungspunkt();
}

float TRechteck::RundungFromHandle() const {
    const TPunkt c0 = Ecken[0];
    const TPunkt h = Rundungspunkt;
    const double a = Angle(Ecken[3], c0);
    const int g = RoundEven(a * 180 / kPi);
    // Near-vertical edges measure along y, the others along x, to avoid dividing by ~0.
    const bool vertical = (g > 44 && g < 136) || (g > 224 && g <= 315);
    const double d =
        vertical ? -(double(c0.y) - h.y) / std::sin(a) * 2 : (double(c0.x) - h.x) / std::cos(a) * 2;
    const double limit = std::min(Distance(c0, Ecken[3]), Distance(c0, Ecken[1]));
    if (!(d > 0)) return 0; // also NaN
    return static_cast<float>(std::min(d, limit));
}

void TRechteck::PlaceRundungspunkt() {
    const double a = Angle(Ecken[3], Ecken[0]);
    Rundungspunkt = {static_cast<float>(Ecken[0].x - std::cos(a) * Rundung / 2),
                     static_cast<float>(Ecken[0].y + std::sin(a) * Rundung / 2)};
}

namespace {

// The point on the edge from c towards n at distance h from c, or n itself on a short edge.
TPunkt Inset(TPunkt c, TPunkt n, double h) {
    const double len = Distance(c, n);
    if (!(len > h)) return n;
    const double k = h / len;
    return ScalePoint(n, c, k, k);
}

} // namespace

TPath TRechteck::RectPath(bool octagon, const std::function<QPointF(TPunkt)>& f) const {
    TPath path;
    if (!(Rundung >= kMinRundung)) {
        path.Polygon({f(Ecken[0]), f(Ecken[1]), f(Ecken[2]), f(Ecken[3])});
        return path;
    }
    const double h = Rundung / 2.0;
    std::array<TPunkt, 4> a{}, b{};
    for (int i = 0; i < 4; ++i) {
        a[i] = Inset(Ecken[i], Ecken[(i + 3) % 4], h);
        b[i] = Inset(Ecken[i], Ecken[(i + 1) % 4], h);
    }
    if (octagon) {
        QPolygonF poly;
        for (int i = 0; i < 4; ++i) poly << f(a[i]) << f(b[i]);
        path.Polygon(poly);
        return path;
    }
    path.MoveTo(f(a[0]));
    for (int i = 0; i < 4; ++i) {
        path.BezierTo({f(Ecken[i]), f(b[i]), f(b[i])});
        path.LineTo(f(a[(i + 1) % 4]));
    }
    return path;
}

void TRechteck::Draw(TSurface& s) {
    if (!Visible) return;
    PrepareShapeDraw(s);
    Rundung = RundungFromHandle();
    TPen pen = s.Pen();
    pen.geometric = true; // in pixel mapping its width stays in pixels
    pen.ends = Rundung >= kMinRundung ? TPenEnds::Round : TPenEnds::SquareMitre;
    s.SetPen(pen);
    StrokeFill(s, RectPath(false, [](TPunkt p) { return PixelOf(p); }));
    RaiseAfterDraw();
}

TRegion TRechteck::HitRegion(TSurface& s, bool wide) {
    Rundung = RundungFromHandle();
    auto logical = [](TPunkt p) { return Logical(p); };
    // The rounded figure holds its octagon, so its filled area covers both.
    return OutlineHitRegion(s, wide, RectPath(false, logical), true);
}

void TRechteck::AddHandles(std::vector<TPunkt*>& handles) {
    PlaceRundungspunkt();
    handles.push_back(&Rundungspunkt);
}

void TRechteck::HandlesChanged() {
    Rundung = RundungFromHandle();
    PlaceRundungspunkt();
}

void TRechteck::Transform(const std::function<TPunkt(TPunkt)>& f) {
    for (TPunkt& p : Ecken) p = f(p);
    Rundungspunkt = f(Rundungspunkt);
    Rundung = RundungFromHandle();
}

void TRechteck::MoveBy(TPunkt d) {
    Transform([d](TPunkt p) { return TPunkt{p.x + d.x, p.y + d.y}; });
}

void TRechteck::ScaleAbout(TPunkt c, double fx, double fy) {
    Transform([&](TPunkt p) { return ScalePoint(p, c, fx, fy); });
}

void TRechteck::ShearAbout(TPunkt c, double sx, double sy) {
    Transform([&](TPunkt p) { return ShearPoint(p, c, sx, sy); });
}

void TRechteck::RotateAbout(TPunkt c, double angle) {
    const double degrees = angle * 180 / kPi;
    Transform([&](TPunkt p) { return RotatePoint(p, c, degrees); });
}

void TRechteck::MirrorH(TPunkt axis) {
    Transform([&](TPunkt p) { return MirrorX(p, axis.x); });
}

void TRechteck::MirrorV(TPunkt axis) {
    Transform([&](TPunkt p) { return MirrorY(p, axis.y); });
}

void TRechteck::Save(TByteWriter& w) const {
    SaveCommon(w);
    for (const TPunkt& p : Ecken) w.Punkt(p);
    w.Punkt(Rundungspunkt);
}

void TRechteck::Load(TByteReader& r) {
    LoadCommon(r);
    if (Shared().ReadVersion >= 60) {
        for (TPunkt& p : Ecken) p = r.Punkt();
        Rundungspunkt = r.Punkt();
        Rundung = RundungFromHandle();
        return;
    }
    // Older records kept an axis-parallel rectangle in whole units and the diameter itself.
    TRechteckF box;
    box.x1 = r.Float();
    box.y1 = r.Float();
    box.x2 = r.Float();
    box.y2 = r.Float();
    const TRechteckI whole = RoundRect(NormRectF(box));
    SetCorners({float(whole.x1), float(whole.y1), float(whole.x2), float(whole.y2)});
    Rundung = r.Float();
    PlaceRundungspunkt();
    HandlesChanged(); // a stored diameter beyond the shorter edge (or NaN) is brought in range
}

} // namespace torvi
