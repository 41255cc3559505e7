// TPainterSurface: each figure is mapped to device pixels and painted aliased, as on a
// classic raster device; only the anti-aliased fill smooths.
#include "surface/PainterSurface.h"

#include <QPaintDevice>
#include <QPaintEngine>

namespace torvi {

QPen ToQPen(const TPen& pen, double deviceWidth) {
    if (pen.style == TPenStyle::Clear) return QPen(Qt::NoPen);
    QPen p(ToQColor(pen.color));
    p.setWidthF(deviceWidth <= 1 ? 0 : deviceWidth);
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                               Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
    p.setStyle(kStyles[static_cast<int>(pen.style)]);
    const bool square = pen.geometric && pen.ends == TPenEnds::SquareMitre;
    p.setCapStyle(square ? Qt::SquareCap : Qt::RoundCap);
    p.setJoinStyle(square ? Qt::MiterJoin : Qt::RoundJoin);
    return p;
}

QBrush ToQBrush(const TBrush& brush) {
    static constexpr Qt::BrushStyle kStyles[] = {
        Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
        Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    const auto i = static_cast<int>(brush.style);
    return QBrush(ToQColor(brush.color), kStyles[i >= 0 && i <= 7 ? i : 0]);
}

TPainterSurface::TPainterSurface(QPainter& painter) : painter_(&painter) {}

TPainterSurface::TPainterSurface(QPaintDevice* device)
    : owned_(std::make_unique<QPainter>(device)), painter_(owned_.get()) {}

TPainterSurface::~TPainterSurface() = default;

double TPainterSurface::DpiX() const {
    return painter_->device() ? painter_->device()->logicalDpiX() : 96;
}

double TPainterSurface::DpiY() const {
    return painter_->device() ? painter_->device()->logicalDpiY() : 96;
}

void TPainterSurface::Prepare(bool stroke, bool fill) {
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setPen(stroke ? ToQPen(Pen(), DevicePenWidth()) : QPen(Qt::NoPen));
    painter_->setBrush(fill ? ToQBrush(Brush()) : QBrush(Qt::NoBrush));
    // Raster operations exist only on the raster engine (images and screen back buffers);
    // elsewhere a preview simply paints.
    const bool raster =
        painter_->paintEngine() && painter_->paintEngine()->type() == QPaintEngine::Raster;
    const bool notXor = Pen().mode == TPenMode::NotXor && raster;
    painter_->setCompositionMode(notXor ? QPainter::RasterOp_NotSourceXorDestination
                                        : QPainter::CompositionMode_SourceOver);
}

void TPainterSurface::DoLine(QPointF a, QPointF b) {
    Prepare(true, false);
    painter_->drawLine(a, b);
}

void TPainterSurface::DoPolyline(const QPolygonF& device) {
    Prepare(true, false);
    painter_->drawPolyline(device);
}

void TPainterSurface::DoPath(const QPainterPath& device, bool stroke, bool fill) {
    Prepare(stroke, fill);
    painter_->drawPath(device);
}

void TPainterSurface::DoFillRect(const QRectF& device, const TBrush& b) {
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->fillRect(device, ToQBrush(b));
}

void TPainterSurface::DoFillAntiAliased(const QPainterPath& device, TFarbe color) {
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->fillPath(device, QBrush(ToQColor(color)));
    painter_->setRenderHint(QPainter::Antialiasing, false);
}

void TPainterSurface::DoImage(const QImage& image, const QPolygonF& c) {
    if (image.isNull() || c.size() < 4) return;
    // Map the image rectangle onto the parallelogram c[0], c[1], c[3].
    const double w = image.width(), h = image.height();
    const QTransform t((c[1].x() - c[0].x()) / w, (c[1].y() - c[0].y()) / w,
                       (c[3].x() - c[0].x()) / h, (c[3].y() - c[0].y()) / h, c[0].x(), c[0].y());
    painter_->save();
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->setTransform(t, true);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_->drawImage(QPointF(0, 0), image);
    painter_->restore();
}

void TPainterSurface::DoClipChanged() {
    if (ClipRegion())
        painter_->setClipPath(ClipRegion()->ToPath());
    else
        painter_->setClipping(false);
}

} // namespace torvi
