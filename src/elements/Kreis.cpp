// TKreis geometry (ellipse construction, ray points, arcs, curve sampling), drawing, hit
// areas, transforms and its records of every version.
#include "elements/Kreis.h"

#include "elements/ElementGeometry.h"

#include <algorithm>
#include <cmath>

namespace torvi {

TKreis::TKreis() : TElement(ElementKind::Kreis) {
    ApplyDefaults();
}

template <typename F> void TKreis::ForEachPoint(F f) {
    for (TPunkt& p : Punkte) p = f(p);
    Mitte = f(Mitte);
    Bogenanfang = f(Bogenanfang);
    Bogenende = f(Bogenende);
}

void TKreis::BuildEllipse(float x1, float y1, float x2, float y2) {
    const TRechteckF n = NormRectF({x1, y1, x2, y2});
    const double w = double(n.x2) - n.x1;
    const double h = double(n.y2) - n.y1;
    if (!(w > 0 && h > 0) || !std::isfinite(w * h)) return;
    const double r = std::min(w, h) / 2;
    Mitte = {static_cast<float>(n.x1 + r), static_cast<float>(n.y1 + r)};
    Punkte.clear();
    Punkte.reserve(kControlPoints);
    for (int j = 0; j < kControlPoints; ++j) {
        const double phi = 2 * kPi - j * (2 * kPi / kControlPoints);
        Punkte.push_back({static_cast<float>(r * std::cos(phi) + Mitte.x),
                          static_cast<float>(r * std::sin(phi) + Mitte.y)});
    }
    Bogenanfang = Bogenende = {static_cast<float>(Mitte.x + r), Mitte.y};
    ScaleAbout({n.x1, n.y1}, w / (2 * r), h / (2 * r));
}

std::optional<TPunkt> SegmentIntersection(TPunkt a, TPunkt b, TPunkt p, TPunkt q) {
    const double bax = double(b.x) - a.x, bay = double(b.y) - a.y;
    const double qpx = double(q.x) - p.x, qpy = double(q.y) - p.y;
    const double den = qpy * bax - qpx * bay;
    if (den == 0 || !std::isfinite(den)) return std::nullopt;
    const double apx = double(a.x) - p.x, apy = double(a.y) - p.y;
    const double t = (qpx * apy - qpy * apx) / den; // along a-b
    const double u = (bax * apy - bay * apx) / den; // along p-q
    constexpr double kHair = 1e-9;                  // a ray through a vertex hits both edges
    if (t < -kHair || t > 1 + kHair || u < -kHair || u > 1 + kHair) return std::nullopt;
    return TPunkt{static_cast<float>(a.x + bax * t), static_cast<float>(a.y + bay * t)};
}

TPunkt TKreis::RayPoint(double angle) const {
    // Twice the farthest control point is always beyond the polygon, whatever its size.
    double reach = 1;
    for (const TPunkt& p : Punkte) reach = std::max(reach, Distance(Mitte, p));
    reach *= 2;
    const TPunkt end{static_cast<float>(Mitte.x + reach * std::cos(angle)),
                     static_cast<float>(Mitte.y - reach * std::sin(angle))};
    const size_t n = Punkte.size();
    for (size_t i = 0; i < n; ++i)
        if (auto hit = SegmentIntersection(Mitte, end, Punkte[i], Punkte[(i + 1) % n])) return *hit;
    return Mitte;
}

namespace {

double Wrap(double a) {
    return a < 0 ? a + 2 * kPi : a;
}

} // namespace

double TKreis::ArcSpan() const {
    return Wrap(Angle(Mitte, Bogenende) - Angle(Mitte, Bogenanfang));
}

std::vector<TPunkt> TKreis::ArcControlPoints() const {
    const double e = Angle(Mitte, Bogenanfang);
    const double g = ArcSpan();
    if (g < kFullEllipseSpan) return Punkte;
    const size_t n = Punkte.size();
    // The first control point after the start; without one (odd orientation) wrap to 0.
    size_t k = 0;
    for (size_t i = 0; i < n; ++i) {
        double a = Angle(Mitte, Punkte[i]);
        const double b = Angle(Mitte, Punkte[(i + 1) % n]);
        double ep = e;
        if (a > b) {
            a -= 2 * kPi;
            if (e > kPi) ep = e - 2 * kPi;
        }
        if (a < ep && ep <= b) {
            k = (i + 1) % n;
            break;
        }
    }
    std::vector<TPunkt> out;
    out.reserve(n + 2);
    out.push_back(RayPoint(e));
    for (size_t j = 0; j < n; ++j) {
        const TPunkt& p = Punkte[(k + j) % n];
        if (Wrap(Angle(Mitte, p) - e) <= g) out.push_back(p);
    }
    out.push_back(RayPoint(Angle(Mitte, Bogenende)));
    return out;
}

namespace {

void AddQuadratic(QPolygonF& out, QPointF from, QPointF control, QPointF to) {
    for (double t = 0; t <= 1; t += 0.2) {
        const double s = 1 - t;
        const QPointF p = s * s * from + 2 * s * t * control + t * t * to;
        out.append(QPointF(RoundEven(p.x()), RoundEven(p.y())));
    }
    out.append(QPointF(RoundEven(to.x()), RoundEven(to.y())));
}

QPointF Q(TPunkt p) {
    return QPointF(p.x, p.y);
}

} // namespace

QPolygonF CurvePoints(const std::vector<TPunkt>& points, bool closed) {
    QPolygonF out;
    const size_t n = points.size();
    if (n == 0) return out;
    auto mid = [&](size_t i, size_t j) { return (Q(points[i % n]) + Q(points[j % n])) / 2; };
    auto round = [](QPointF p) { return QPointF(RoundEven(p.x()), RoundEven(p.y())); };
    if (closed) {
        out.reserve(qsizetype(n) * 7);
        for (size_t i = 0; i < n; ++i)
            AddQuadratic(out, mid(i, i + 1), Q(points[(i + 1) % n]), mid(i + 1, i + 2));
        return out;
    }
    out.append(round(Q(points[0])));
    for (size_t i = 0; i + 2 < n; ++i)
        AddQuadratic(out, mid(i, i + 1), Q(points[i + 1]), mid(i + 1, i + 2));
    out.append(round(Q(points[n - 1])));
    return out;
}

namespace {

TPunkt ToScreenShared(TPunkt p) {
    return ToScreen(p, Shared().ViewTransform);
}

TPunkt Unchanged(TPunkt p) {
    return p;
}

} // namespace

TPath TKreis::CurveFigure(TPunkt (*f)(TPunkt)) const {
    std::vector<TPunkt> pts = ArcControlPoints();
    for (TPunkt& p : pts) p = f(p);
    const bool full = IsFullEllipse();
    TPath path;
    const QPolygonF curve = CurvePoints(pts, full);
    if (full)
        path.Polygon(curve);
    else
        path.Polyline(curve);
    return path;
}

void TKreis::Draw(TSurface& s) {
    if (!Visible) return;
    PrepareShapeDraw(s);
    if (!Punkte.empty()) StrokeFill(s, CurveFigure(&ToScreenShared));
    RaiseAfterDraw(); // the surface is in pixel mapping either way
}

TRegion TKreis::SeedRegion(const TSurface& s) const {
    return SquareAt(s, Bogenanfang, 1);
}

TRegion TKreis::HitRegion(TSurface& s, bool wide) {
    if (Punkte.empty()) return SeedRegion(s);
    return OutlineHitRegion(s, wide, CurveFigure(&Unchanged), true);
}

TRechteckF TKreis::GetBounds() const {
    // Every hit test asks for the bounds first: a full ellipse needs no copy of its points.
    if (IsFullEllipse()) return BoundsOf(Punkte.data(), int(Punkte.size()));
    const std::vector<TPunkt> pts = ArcControlPoints();
    return BoundsOf(pts.data(), int(pts.size()));
}

void TKreis::AddHandles(std::vector<TPunkt*>& handles) {
    Bogenanfang = RayPoint(Startwinkel);
    Bogenende = RayPoint(Endwinkel);
    handles.push_back(&Bogenanfang);
    handles.push_back(&Bogenende);
}

void TKreis::HandlesChanged() {
    auto reduce = [](double a) { return static_cast<float>(a > 2 * kPi ? a - 2 * kPi : a); };
    Startwinkel = reduce(Angle(Mitte, Bogenanfang));
    Endwinkel = reduce(Angle(Mitte, Bogenende));
}

void TKreis::MoveBy(TPunkt d) {
    ForEachPoint([d](TPunkt p) { return TPunkt{p.x + d.x, p.y + d.y}; });
}

void TKreis::ScaleAbout(TPunkt c, double fx, double fy) {
    ForEachPoint([&](TPunkt p) { return ScalePoint(p, c, fx, fy); });
    HandlesChanged();
}

void TKreis::ShearAbout(TPunkt c, double sx, double sy) {
    ForEachPoint([&](TPunkt p) { return ShearPoint(p, c, sx, sy); });
    HandlesChanged();
}

void TKreis::RotateAbout(TPunkt c, double angle) {
    const double degrees = angle * 180 / kPi;
    ForEachPoint([&](TPunkt p) { return RotatePoint(p, c, degrees); });
    HandlesChanged();
}

void TKreis::Mirror(TPunkt (*mirror)(TPunkt, float), float at) {
    // Reversed order and swapped handles keep the arc counter-clockwise in the mirror.
    Mitte = mirror(Mitte, at);
    for (TPunkt& p : Punkte) p = mirror(p, at);
    std::reverse(Punkte.begin(), Punkte.end());
    const TPunkt start = Bogenanfang;
    Bogenanfang = mirror(Bogenende, at);
    Bogenende = mirror(start, at);
    HandlesChanged();
}

void TKreis::MirrorH(TPunkt axis) {
    Mirror(&MirrorX, axis.x);
}

void TKreis::MirrorV(TPunkt axis) {
    Mirror(&MirrorY, axis.y);
}

TPunkt TKreis::GetRefPoint() const {
    return {RayPoint(kPi).x, RayPoint(kPi / 2).y};
}

bool TKreis::SnapToPoint(TPunkt& p) {
    for (const TPunkt* q : {&Bogenanfang, &Bogenende, &Mitte}) {
        if (NearPoints(*q, p)) {
            p = *q;
            return true;
        }
    }
    return false;
}

void TKreis::AddConnectionPoints(std::vector<TPunkt*>& points) {
    points.push_back(&Bogenanfang);
    points.push_back(&Bogenende);
    points.push_back(&Mitte);
}

void TKreis::Save(TByteWriter& w) const {
    SaveCommon(w);
    w.ListCount(qsizetype(Punkte.size()));
    for (const TPunkt& p : Punkte) w.Punkt(p);
    w.Punkt(Mitte);
    w.Float(Startwinkel);
    w.Float(Endwinkel);
}

void TKreis::Load(TByteReader& r) {
    LoadCommon(r);
    Punkte.clear();
    if (Shared().ReadVersion >= 60) {
        const int32_t n = r.ListCount(8, "control points");
        Punkte.reserve(size_t(n));
        for (int32_t i = 0; i < n; ++i) Punkte.push_back(r.Punkt());
        Mitte = r.Punkt();
    } else {
        // Older records kept the drag rectangle in whole units, in either direction.
        TRechteckF box;
        box.x1 = r.Float();
        box.y1 = r.Float();
        box.x2 = r.Float();
        box.y2 = r.Float();
        const TRechteckI whole = RoundRect(NormRectF(box));
        BuildEllipse(float(whole.x1), float(whole.y1), float(whole.x2), float(whole.y2));
    }
    Startwinkel = r.Float();
    Endwinkel = r.Float();
    Bogenanfang = RayPoint(Startwinkel);
    Bogenende = RayPoint(Endwinkel);
}

} // namespace torvi
