// TPolyline drawing, hit areas, snapping and its record of every version.
#include "elements/Polyline.h"

#include "elements/ApplyLineDefaults.h"
#include "elements/ElementGeometry.h"
#include "elements/LineEnd.h"
#include "elements/LinePattern.h"
#include "elements/PointList.h"

namespace torvi {

TPolyline::TPolyline() : TElement(ElementKind::Polyline) {
    ApplyDefaults();
}

void TPolyline::ApplyDefaults() {
    ApplyLineDefaults(*this);
}

void TPolyline::SetPen(TSurface& s) const {
    TPen pen = s.Pen(); // keeps the raster mode the caller chose
    pen.color = Selected ? Shared().SelectionPenColor : PenColor;
    pen.width = ScreenPenWidth(PenWidth);
    pen.style = NoLine ? TPenStyle::Clear : TPenStyle::Solid;
    pen.geometric = false;
    s.SetPen(pen);
    s.SetBrush({FillColor, NoFill ? TBrushStyle::Clear : BrushStyleFromByte(FillStyle)});
    s.SetPixelMapping();
}

void TPolyline::Draw(TSurface& s) {
    if (!Visible) return;
    SetPen(s);
    if (LineStyle >= kLinePatternCount) LineStyle = 0;
    const QPolygonF pixels = PixelsOf(Punkte);
    if (LineStyle == 0) {
        // One polyline paints its last pixel too, so no extra stroke back is needed.
        s.Polyline(pixels);
    } else {
        if (Zweifarbig)
            DrawPattern2(s, pixels, PenWidth, Farbe2, LineStyle);
        else
            DrawPattern(s, pixels, PenWidth, LineStyle);
        RaiseAfterDraw();
        SetPen(s);
    }
    DrawLineEnds(s, StartEnde, EndEnde, PenWidth, PfeilGroesse, Punkte);
    RaiseAfterDraw();
}

TRegion TPolyline::SeedRegion(const TSurface& s) const {
    return Punkte.empty() ? TRegion() : SquareAt(s, Punkte[0], 2);
}

TRegion TPolyline::SegmentRegion(TSurface& s, bool wide, int index) {
    if (index < 0 || size_t(index) + 1 >= Punkte.size()) return {};
    const int32_t a = HitTolerance(s, wide) + RoundEven(PenWidth / 2.0);
    return SegmentBand(s, Punkte[index], Punkte[index + 1], a);
}

TRegion TPolyline::HitRegion(TSurface& s, bool wide) {
    TRegion r = SeedRegion(s);
    for (size_t i = 0; i + 1 < Punkte.size(); ++i) r.Unite(SegmentRegion(s, wide, int(i)));
    const size_t n = Punkte.size();
    auto addEnd = [&](uint8_t style, TPunkt a, TPunkt e) {
        if (style == 0) return;
        const auto q = LineEndQuad(a, e, style, PfeilGroesse, PenWidth);
        r.Unite(TRegion::FromPolygon(PixelsOf(q)));
    };
    if (n >= 2) {
        addEnd(StartEnde, Punkte[1], Punkte[0]);
        addEnd(EndEnde, Punkte[n - 2], Punkte[n - 1]);
    }
    return r;
}

TRechteckF TPolyline::GetBounds() const {
    TRechteckF b = BoundsOf(Punkte.data(), int(Punkte.size()));
    const size_t n = Punkte.size();
    auto addEnd = [&](uint8_t style, TPunkt a, TPunkt e) {
        if (style == 0) return;
        for (TPunkt p : LineEndQuad(a, e, style, PfeilGroesse, PenWidth)) IncludePoint(b, p);
    };
    if (n >= 2) {
        addEnd(StartEnde, Punkte[1], Punkte[0]);
        addEnd(EndEnde, Punkte[n - 2], Punkte[n - 1]);
    }
    return b;
}

bool TPolyline::SnapToPoint(TPunkt& p) {
    auto tryPoint = [&](const TPunkt& q) {
        if (!NearPoints(q, p)) return false;
        p = q;
        return true;
    };
    if (Punkte.empty()) return false;
    if (Shared().InComponentSnap) return tryPoint(Punkte.front()) || tryPoint(Punkte.back());
    for (const TPunkt& q : Punkte)
        if (tryPoint(q)) return true;
    return false;
}

void TPolyline::AddConnectionPoints(std::vector<TPunkt*>& points) {
    for (TPunkt& p : Punkte) points.push_back(&p);
}

int TPolyline::SegmentAt(TSurface& s, QPoint device) {
    if (Punkte.size() < 3) return -1;
    for (size_t i = 0; i + 1 < Punkte.size(); ++i)
        if (SegmentRegion(s, false, int(i)).Contains(device)) return int(i);
    return -1;
}

void TPolyline::Save(TByteWriter& w) const {
    SaveCommon(w);
    WritePointList(w, Punkte);
    w.UInt32(Farbe2);
    w.Bool(Zweifarbig);
    w.Byte(StartEnde);
    w.Byte(EndEnde);
    w.Int32(PfeilGroesse);
}

void TPolyline::Load(TByteReader& r) {
    const int32_t version = Shared().ReadVersion;
    LoadCommon(r);
    ReadPointList(r, Punkte);
    if (version >= 50) {
        Farbe2 = r.UInt32();
        Zweifarbig = r.Bool();
    } else {
        Farbe2 = 255;
        Zweifarbig = false;
    }
    if (version >= 60) {
        StartEnde = r.Byte();
        EndEnde = r.Byte();
        PfeilGroesse = r.Int32();
    } else {
        RoundPoints(Punkte);
        StartEnde = 0;
        EndEnde = 0;
        PfeilGroesse = 1;
    }
}

} // namespace torvi
