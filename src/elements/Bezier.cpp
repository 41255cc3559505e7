// TBezier drawing, hit areas, bounds, snapping and its record.
#include "elements/Bezier.h"

#include "elements/ApplyLineDefaults.h"
#include "elements/ElementGeometry.h"
#include "elements/LineEnd.h"
#include "elements/PointList.h"

#include <QPainterPathStroker>
#include <cmath>

namespace torvi {

TBezier::TBezier() : TElement(ElementKind::Bezier) {
    ApplyDefaults();
}

void TBezier::ApplyDefaults() {
    ApplyLineDefaults(*this);
}

size_t TBezier::DrawnPointCount(size_t n) {
    return n < 4 ? 0 : 3 * ((n - 4) / 3) + 4;
}

template <typename F> TPath TBezier::CurvePath(F f) const {
    TPath path;
    const size_t m = DrawnPointCount(Punkte.size());
    if (m == 0) return path;
    QPolygonF rest;
    rest.reserve(qsizetype(m - 1));
    for (size_t i = 1; i < m; ++i) rest.append(f(Punkte[i]));
    path.MoveTo(f(Punkte[0]));
    path.BezierTo(rest);
    return path;
}

void TBezier::DrawControlPolygon(TSurface& s) const {
    TPen pen = s.Pen(); // keeps the raster mode the caller chose
    pen.color = 0xC0C0C0;
    pen.width = 0;
    pen.style = TPenStyle::Dot;
    pen.geometric = false;
    s.SetPen(pen);
    s.SetBrush({0xFFFFFF, TBrushStyle::Clear});
    s.SetPixelMapping();
    s.Polyline(PixelsOf(Punkte));
}

void TBezier::Draw(TSurface& s) {
    if (!Visible) return;
    if (Selected || s.Pen().mode == TPenMode::NotXor) DrawControlPolygon(s);
    TPen pen = s.Pen();
    pen.color = Selected ? Shared().SelectionPenColor : PenColor;
    pen.width = ScreenPenWidth(PenWidth);
    pen.style = NoLine ? TPenStyle::Clear : TPenStyle::Solid;
    pen.geometric = false;
    s.SetPen(pen);
    s.SetBrush({FillColor, TBrushStyle::Clear}); // an open curve is never filled
    s.SetPixelMapping();
    const TPath curve = CurvePath([](TPunkt p) { return PixelOf(p); });
    if (!curve.IsEmpty()) s.StrokePath(curve);
    // Line ends follow the first and last handles, also past an incomplete last piece.
    DrawLineEnds(s, StartEnde, EndEnde, PenWidth, PfeilGroesse, Punkte);
    RaiseAfterDraw();
}

TRegion TBezier::SeedRegion(const TSurface& s) const {
    return Punkte.empty() ? TRegion() : SquareAt(s, Punkte[0], 2);
}

std::vector<std::array<TPunkt, 4>> TBezier::LineEndQuads() const {
    std::vector<std::array<TPunkt, 4>> quads;
    const size_t n = Punkte.size();
    if (n < 2) return quads;
    if (StartEnde != 0)
        quads.push_back(LineEndQuad(Punkte[1], Punkte[0], StartEnde, PfeilGroesse, PenWidth));
    if (EndEnde != 0)
        quads.push_back(LineEndQuad(Punkte[n - 2], Punkte[n - 1], EndEnde, PfeilGroesse, PenWidth));
    return quads;
}

TRegion TBezier::HitRegion(TSurface& s, bool wide) {
    TRegion region = SeedRegion(s);
    const TPath curve = CurvePath([](TPunkt p) { return Logical(p); });
    if (!curve.IsEmpty()) {
        const TPen saved = s.Pen();
        TPen pen;
        pen.geometric = true;
        pen.width = 2.0 * HitTolerance(s, wide) + PenWidth;
        s.SetPen(pen);
        region.Unite(s.PathToRegion(s.WidenPath(curve)));
        s.SetPen(saved);
    }
    for (const auto& q : LineEndQuads()) {
        QPolygonF device;
        for (TPunkt p : q) device.append(s.ToDevice(Logical(p)));
        region.Unite(TRegion::FromPolygon(device));
    }
    return region;
}

TRechteckF TBezier::PointAndEndBounds() const {
    TRechteckF b = BoundsOf(Punkte.data(), int(Punkte.size()));
    for (const auto& q : LineEndQuads())
        for (TPunkt p : q) IncludePoint(b, p);
    return b;
}

TRechteckF TBezier::GetBounds() const {
    if (Shared().BoundsFromPoints) return BoundsOf(Punkte.data(), int(Punkte.size()));
    // The hit area at the current view: the curve widened by the hit tolerance and the pen.
    const TPath curve = CurvePath([](TPunkt p) { return QPointF(p.x, p.y); });
    if (curve.IsEmpty()) return PointAndEndBounds();
    const TViewTransform& v = Shared().ViewTransform;
    const double tolerance = RoundEven(2 / (v.sx > 0 ? v.sx : 1)) + 1;
    QPainterPathStroker stroker;
    stroker.setWidth(2 * tolerance + PenWidth);
    stroker.setCapStyle(Qt::RoundCap);
    const QRectF box = stroker.createStroke(curve.Path()).boundingRect();
    TRechteckF b{float(box.left()), float(box.top()), float(box.right()), float(box.bottom())};
    for (const auto& q : LineEndQuads())
        for (TPunkt p : q) IncludePoint(b, p);
    return b;
}

TRechteckI TBezier::GetScreenRect(const TSurface& s) const {
    // The curve stays inside its control points; line ends may reach beyond them.
    const TRechteckF b = PointAndEndBounds();
    const double grow = PenWidth / 2.0 + HitTolerance(s, true) + PenWidth;
    const QPointF a = s.ToDevice(QPointF(b.x1 - grow, b.y1 - grow));
    const QPointF c = s.ToDevice(QPointF(b.x2 + grow, b.y2 + grow));
    return NormRect(
        {static_cast<int32_t>(std::floor(a.x())), static_cast<int32_t>(std::floor(a.y())),
         static_cast<int32_t>(std::ceil(c.x())), static_cast<int32_t>(std::ceil(c.y()))});
}

bool TBezier::SnapToPoint(TPunkt& p) {
    if (Punkte.empty()) return false;
    for (const TPunkt* q : {&Punkte.front(), &Punkte.back()}) {
        if (NearPoints(*q, p)) {
            p = *q;
            return true;
        }
    }
    return false;
}

void TBezier::AddConnectionPoints(std::vector<TPunkt*>& points) {
    if (Punkte.empty()) return;
    points.push_back(&Punkte.front());
    if (Punkte.size() > 1) points.push_back(&Punkte.back());
}

void TBezier::Save(TByteWriter& w) const {
    SaveCommon(w);
    WritePointList(w, Punkte);
    w.UInt32(Farbe2);
    w.Bool(Zweifarbig);
    w.Byte(StartEnde);
    w.Byte(EndEnde);
    w.Int32(PfeilGroesse);
}

void TBezier::Load(TByteReader& r) {
    LoadCommon(r);
    ReadPointList(r, Punkte);
    Farbe2 = r.UInt32();
    Zweifarbig = r.Bool();
    StartEnde = r.Byte();
    EndEnde = r.Byte();
    PfeilGroesse = r.Int32();
}

} // namespace torvi
