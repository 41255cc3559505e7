// TUrsprungMarke: drawing, hit square and repaint area of the origin marker.
#include "elements/UrsprungMarke.h"

#include "elements/Bauteil.h"

namespace torvi {

void TUrsprungMarke::DrawDot(TSurface& s, TPunkt at, TPenMode mode) const {
    const TMapping saved = s.Mapping();
    const QPointF c = s.ToDevice(QPointF(at.x, at.y));
    TPen pen = s.Pen();
    pen.color = 0;
    pen.width = 0;
    pen.style = TPenStyle::Solid;
    pen.mode = mode;
    s.SetPen(pen);
    s.SetBrush({Rgb(255, 0, 0), TBrushStyle::Solid});
    s.SetPixelMapping();
    s.Ellipse(QRectF(c.x() - Radius, c.y() - Radius, 2.0 * Radius, 2.0 * Radius));
    s.SetMapping(saved);
}

void TUrsprungMarke::Draw(TSurface& s) {
    DrawDot(s, Punkt, TPenMode::Copy);
    Gezeichnet = true;
}

void TUrsprungMarke::DrawPreview(TSurface& s) {
    DrawDot(s, Vorschau, TPenMode::NotXor);
}

QRect TUrsprungMarke::SquareAround(const TSurface& s, TPunkt at) const {
    const QPointF c = s.ToDevice(QPointF(at.x, at.y));
    const int x = RoundEven(c.x());
    const int y = RoundEven(c.y());
    return QRect(QPoint(x - Radius, y - Radius), QPoint(x + Radius, y + Radius));
}

bool TUrsprungMarke::HitTest(const TSurface& s, int x, int y) const {
    return SquareAround(s, Punkt).contains(x, y);
}

QRect TUrsprungMarke::RepaintRect(const TSurface& s) const {
    return SquareAround(s, Punkt);
}

void StoreOrigin(TBauteil& component, const TUrsprungMarke& marker) {
    const TPunkt ref = component.GetRefPoint();
    component.UrsprungOffset = {marker.Punkt.x - ref.x, marker.Punkt.y - ref.y};
}

} // namespace torvi
