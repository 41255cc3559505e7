// Mapping, state and figure building shared by every surface implementation.
#include "surface/Surface.h"

#include <QPainterPathStroker>
#include <QTransform>
#include <cmath>

namespace torvi {

QColor ToQColor(TFarbe c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TFarbe FromQColor(const QColor& c) {
    return Rgb(c.red(), c.green(), c.blue());
}

TBrushStyle BrushStyleFromByte(uint8_t v) {
    return v <= 7 ? static_cast<TBrushStyle>(v) : TBrushStyle::Solid;
}

void TPath::Polyline(const QPolygonF& pts) {
    if (pts.isEmpty()) return;
    path_.moveTo(pts[0]);
    for (qsizetype i = 1; i < pts.size(); ++i) path_.lineTo(pts[i]);
}

void TPath::Polygon(const QPolygonF& pts) {
    if (pts.isEmpty()) return;
    Polyline(pts);
    path_.closeSubpath();
}

void TPath::Rectangle(const QRectF& r) {
    path_.addRect(r.normalized());
}

void TPath::Ellipse(const QRectF& r) {
    path_.addEllipse(r.normalized());
}

void TPath::BezierTo(const QPolygonF& pts) {
    for (qsizetype i = 0; i + 2 < pts.size(); i += 3) path_.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
}

QPolygonF TSurface::ToDevice(const QPolygonF& logical) const {
    QPolygonF out;
    out.reserve(logical.size());
    for (const QPointF& p : logical) out.append(mapping_.ToDevice(p));
    return out;
}

double TSurface::DevicePenWidth() const {
    if (!pen_.geometric) return pen_.width;
    return pen_.width * (std::fabs(mapping_.sx) + std::fabs(mapping_.sy)) / 2;
}

void TSurface::LineTo(QPointF p) {
    const QPointF to = mapping_.ToDevice(p);
    DoLine(current_, to);
    current_ = to;
}

void TSurface::Polyline(const QPolygonF& pts) {
    if (pts.size() >= 2) DoPolyline(ToDevice(pts));
}

void TSurface::Polygon(const QPolygonF& pts) {
    if (pts.size() < 2) return;
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    p.addPolygon(ToDevice(pts));
    p.closeSubpath();
    DoPath(p, true, true);
}

void TSurface::PolyPolygon(const std::vector<QPolygonF>& polygons) {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    for (const auto& poly : polygons) {
        if (poly.size() < 2) continue;
        p.addPolygon(ToDevice(poly));
        p.closeSubpath();
    }
    if (!p.isEmpty()) DoPath(p, true, true);
}

void TSurface::PolyPolyline(const std::vector<QPolygonF>& lines) {
    for (const auto& l : lines) Polyline(l);
}

void TSurface::Rectangle(const QRectF& r) {
    TPath p;
    p.Rectangle(r);
    DoPath(DevicePath(p), true, true);
}

void TSurface::Ellipse(const QRectF& r) {
    TPath p;
    p.Ellipse(r);
    DoPath(DevicePath(p), true, true);
}

void TSurface::FillRect(const QRectF& r, const TBrush& b) {
    DoFillRect(QRectF(ToDevice(r.topLeft()), ToDevice(r.bottomRight())).normalized(), b);
}

void TSurface::PolyBezier(const QPolygonF& pts) {
    if (pts.size() < 4) return;
    TPath p;
    p.MoveTo(pts[0]);
    p.BezierTo(pts.mid(1));
    DoPath(DevicePath(p), true, false);
}

QPainterPath TSurface::DevicePath(const TPath& p) const {
    const QTransform t(mapping_.sx, 0, 0, mapping_.sy, mapping_.ox, mapping_.oy);
    QPainterPath d = t.map(p.Path());
    d.setFillRule(Qt::WindingFill);
    return d;
}

TPath TSurface::WidenPath(const TPath& p) const {
    QPainterPathStroker stroker;
    // A cosmetic pen widens by its pixel width; convert to logical units for the stroker.
    const double scale = (std::fabs(mapping_.sx) + std::fabs(mapping_.sy)) / 2;
    double w = pen_.geometric ? pen_.width : pen_.width / (scale > 0 ? scale : 1);
    stroker.setWidth(w > 0 ? w : 1 / (scale > 0 ? scale : 1));
    if (pen_.ends == TPenEnds::SquareMitre) {
        stroker.setCapStyle(Qt::SquareCap);
        stroker.setJoinStyle(Qt::MiterJoin);
    } else {
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
    }
    TPath out;
    out.Path() = stroker.createStroke(p.Path());
    out.Path().setFillRule(Qt::WindingFill);
    return out;
}

void TSurface::SetClipRegion(const TRegion* r) {
    if (r)
        clip_ = *r;
    else
        clip_.reset();
    DoClipChanged();
}

void TSurface::DrawImage(const QImage& image, const QRectF& target) {
    const QPointF a = ToDevice(target.topLeft());
    const QPointF b = ToDevice(target.topRight());
    const QPointF c = ToDevice(target.bottomRight());
    const QPointF d = ToDevice(target.bottomLeft());
    DoImage(image, QPolygonF({a, b, c, d}));
}

bool TSurface::DrawImageParallelogram(const QImage& image, QPointF p0, QPointF p1, QPointF p2) {
    if (!CanTransformImages()) return false;
    const QPointF a = ToDevice(p0), b = ToDevice(p1), d = ToDevice(p2);
    DoImage(image, QPolygonF({a, b, b + (d - a), d}));
    return true;
}

} // namespace torvi
