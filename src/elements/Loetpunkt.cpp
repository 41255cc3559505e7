// TLoetpunkt drawing, hit area and record.
#include "elements/Loetpunkt.h"

#include "elements/ElementGeometry.h"

namespace torvi {

TLoetpunkt::TLoetpunkt() : TElement(ElementKind::Loetpunkt) {
    PenColor = 0;
    PenWidth = 2;
    LineStyle = 0;
    FillColor = 0;
    FillStyle = 0;
    NoLine = true;
    NoFill = false;
}

void TLoetpunkt::Draw(TSurface& s) {
    if (!Visible) return;
    TPen pen = s.Pen(); // keeps the raster mode: dragged dots are drawn as they are
    pen.color = Selected ? Shared().SelectionPenColor : PenColor;
    pen.width = ScreenPenWidth(PenWidth);
    pen.style = NoLine ? TPenStyle::Clear : TPenStyle::Solid;
    pen.geometric = false;
    const TFarbe fill = Selected ? Shared().SelectionPenColor : FillColor;
    s.SetPen(pen);
    s.SetBrush({fill, NoFill ? TBrushStyle::Clear : BrushStyleFromByte(FillStyle)});
    s.SetPixelMapping();
    const TPunkt c = ToScreen(Mittelpunkt, Shared().ViewTransform);
    const int32_t r = ScreenPenWidth(Radius);
    // The far corner lies one pixel out: the ellipse covers the pixels up to it, exclusive.
    const QPointF a(RoundEven(c.x - r), RoundEven(c.y - r));
    const QPointF b(RoundEven(c.x + r) + 1, RoundEven(c.y + r) + 1);
    TPath path;
    path.Ellipse(QRectF(a, b));
    StrokeFill(s, path);
    RaiseAfterDraw();
}

TRechteckF TLoetpunkt::GetBounds() const {
    return {Mittelpunkt.x - Radius, Mittelpunkt.y - Radius, Mittelpunkt.x + Radius,
            Mittelpunkt.y + Radius};
}

TRegion TLoetpunkt::HitRegion(TSurface& s, bool wide) {
    const TRechteckI b = RoundRect(GetBounds());
    const int32_t grow = HitTolerance(s, wide) + RoundEven(PenWidth / 2.0);
    const QPointF a = s.ToDevice(QPointF(b.x1 - grow, b.y1 - grow));
    const QPointF z = s.ToDevice(QPointF(b.x2 + grow, b.y2 + grow));
    return TRegion::FromEllipse(QRectF(a, z).normalized());
}

void TLoetpunkt::Save(TByteWriter& w) const {
    SaveCommon(w);
    w.Punkt(Mittelpunkt);
}

void TLoetpunkt::Load(TByteReader& r) {
    LoadCommon(r);
    Mittelpunkt = r.Punkt();
}

} // namespace torvi
