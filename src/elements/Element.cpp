// Base behaviour of TElement: the common record part, transforms over the points, the draw
// prologue of filled shapes and the common hit-area scheme.
#include "elements/Element.h"

#include "elements/ElementGeometry.h"

#include <cmath>

namespace torvi {

TElement::TElement(ElementKind kind) : Kind(kind) {}

TElement::~TElement() = default;

bool TElement::HitTest(TSurface& s, int x, int y) {
    // The repaint rectangle holds every hit area, so it is a cheap first test.
    const TRechteckI r = GetScreenRect(s);
    if (x < r.x1 || x > r.x2 || y < r.y1 || y > r.y2) return false;
    return HitRegion(s, false).Contains(QPointF(x, y));
}

void TElement::MoveBy(TPunkt d) {
    for (TPunkt& p : Points()) {
        p.x += d.x;
        p.y += d.y;
    }
}

TRechteckF TElement::GetBounds() const {
    auto pts = Points();
    return BoundsOf(pts.data(), static_cast<int>(pts.size()));
}

TRechteckI TElement::GetScreenRect(const TSurface& s) const {
    const TRechteckI r = RoundRect(GetBounds());
    const int32_t grow = HitTolerance(s, true) + PenWidth;
    const QPointF a = s.ToDevice(QPointF(r.x1 - grow, r.y1 - grow));
    const QPointF b = s.ToDevice(QPointF(r.x2 + grow, r.y2 + grow));
    return NormRect(
        {static_cast<int32_t>(std::floor(a.x())), static_cast<int32_t>(std::floor(a.y())),
         static_cast<int32_t>(std::ceil(b.x())), static_cast<int32_t>(std::ceil(b.y()))});
}

void TElement::AddHandles(std::vector<TPunkt*>& handles) {
    for (TPunkt& p : Points()) handles.push_back(&p);
}

void TElement::ScaleAbout(TPunkt c, double fx, double fy) {
    for (TPunkt& p : Points()) p = ScalePoint(p, c, fx, fy);
}

void TElement::ShearAbout(TPunkt c, double sx, double sy) {
    for (TPunkt& p : Points()) p = ShearPoint(p, c, sx, sy);
}

void TElement::RotateAbout(TPunkt c, double angle) {
    const double degrees = angle * 180 / kPi;
    for (TPunkt& p : Points()) p = RotatePoint(p, c, degrees);
}

void TElement::MirrorH(TPunkt axis) {
    for (TPunkt& p : Points()) p = MirrorX(p, axis.x);
}

void TElement::MirrorV(TPunkt axis) {
    for (TPunkt& p : Points()) p = MirrorY(p, axis.y);
}

TRegion TElement::SquareAt(const TSurface& s, TPunkt p, int half) const {
    const QPointF d = s.ToDevice(Logical(p));
    return TRegion::FromRect(QRectF(d.x() - half, d.y() - half, 2 * half, 2 * half));
}

TRegion TElement::SeedRegion(const TSurface& s) const {
    auto pts = Points();
    return pts.empty() ? TRegion() : SquareAt(s, pts[0], 2);
}

TPunkt TElement::GetRefPoint() const {
    auto pts = Points();
    return pts.empty() ? TPunkt{} : pts[0];
}

void TElement::SetColor(TFarbe c) {
    if (PenColor != 0xFFFFFF) PenColor = c;
    if (FillColor != 0xFFFFFF) FillColor = c;
}

void TElement::ApplyDefaults() {
    const TShapeDefaults& d = Shared().ShapeDefaults;
    PenColor = d.lineColor;
    FillColor = d.fillColor;
    PenWidth = d.width;
    FillStyle = d.fillStyle;
    NoLine = d.noLine;
    NoFill = d.noFill;
}

void TElement::Connect(const TElementHooks& hooks) {
    OnTextChanged = hooks.textChanged;
    OnAfterDraw = hooks.afterDraw;
}

void TElement::SaveCommon(TByteWriter& w) const {
    w.Bool(NoLine);
    w.Bool(NoFill);
    w.Int32(PenWidth);
    w.UInt32(PenColor);
    w.Byte(LineStyle);
    w.Bytes(reinterpret_cast<const char*>(Filler1.data()), 3);
    w.UInt32(FillColor);
    w.Byte(FillStyle);
    w.Bytes(reinterpret_cast<const char*>(Filler2.data()), 3);
    w.Bool(FormLayer);
}

void TElement::LoadCommon(TByteReader& r) {
    NoLine = r.Bool();
    NoFill = r.Bool();
    PenWidth = r.Int32();
    const int32_t pen = r.Int32();
    PenColor = pen < 0 ? 0 : static_cast<TFarbe>(pen); // system colours are not allowed
    LineStyle = r.Byte();
    for (auto& b : Filler1) b = r.Byte();
    const int32_t fill = r.Int32();
    FillColor = fill < 0 ? 0 : static_cast<TFarbe>(fill);
    FillStyle = r.Byte();
    for (auto& b : Filler2) b = r.Byte();
    SetFormLayer(r.Bool());
}

void TElement::PrepareShapeDraw(TSurface& s) const {
    const TSharedState& st = Shared();
    TPen pen = s.Pen(); // keeps the raster mode the caller chose
    pen.color = PenColor;
    pen.width = ScreenPenWidth(PenWidth);
    pen.style = NoLine ? TPenStyle::Clear : TPenStyle::Solid;
    pen.geometric = false;
    TBrush brush{FillColor, NoFill ? TBrushStyle::Clear : BrushStyleFromByte(FillStyle)};
    if (Selected) {
        pen.color = st.SelectionPenColor;
        if (!NoFill) {
            if (FillColor == 0)
                brush.color = st.SelectionPenColor;
            else if (FillColor != 0xFFFFFF)
                brush.color = st.SelectionFillColor;
        }
    }
    if (pen.mode == TPenMode::NotXor) {
        if (NoLine) {
            pen.style = TPenStyle::Solid;
            pen.width = 0;
            pen.color = st.SelectionPenColor;
        }
        brush.style = TBrushStyle::Clear; // previews are outlines only
    }
    s.SetPen(pen);
    s.SetBrush(brush);
    s.SetPixelMapping();
}

void TElement::StrokeFill(TSurface& s, const TPath& devicePath) {
    const bool clearBrush = s.Brush().style == TBrushStyle::Clear;
    const bool clearPen = s.Pen().style == TPenStyle::Clear;
    if (clearBrush)
        s.StrokePath(devicePath);
    else if (clearPen)
        s.FillPath(devicePath);
    else
        s.StrokeAndFillPath(devicePath);
}

TRegion TElement::OutlineHitRegion(TSurface& s, bool wide, const TPath& figure, bool closed) const {
    TRegion region = SeedRegion(s);
    const TPen saved = s.Pen();
    TPen pen;
    pen.geometric = true;
    pen.width = 2.0 * HitTolerance(s, wide) + PenWidth;
    pen.ends = TPenEnds::SquareMitre;
    s.SetPen(pen);
    TPath outline = figure;
    if (closed && !NoFill) outline.CloseFigure();
    region.Unite(s.PathToRegion(s.WidenPath(outline)));
    s.SetPen(saved);
    if (!NoFill) region.Unite(s.PathToRegion(figure));
    return region;
}

} // namespace torvi
