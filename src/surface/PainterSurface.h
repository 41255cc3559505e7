// The drawing surface on a QPainter: screen widgets, images, printers, PDF and SVG alike.
#pragma once

#include "surface/Surface.h"

#include <QPainter>
#include <memory>

namespace torvi {

class TPainterSurface : public TSurface {
public:
    // Paints through a painter someone else owns and keeps active.
    explicit TPainterSurface(QPainter& painter);
    // Opens and owns a painter on device (ended when the surface goes).
    explicit TPainterSurface(QPaintDevice* device);
    ~TPainterSurface() override;

    double DpiX() const override;
    double DpiY() const override;
    QPainter& Painter() { return *painter_; }

protected:
    void DoLine(QPointF a, QPointF b) override;
    void DoPolyline(const QPolygonF& device) override;
    void DoPath(const QPainterPath& device, bool stroke, bool fill) override;
    void DoFillRect(const QRectF& device, const TBrush& b) override;
    void DoFillAntiAliased(const QPainterPath& device, TFarbe color) override;
    void DoImage(const QImage& image, const QPolygonF& deviceCorners) override;
    void DoClipChanged() override;

private:
    void Prepare(bool stroke, bool fill);

    std::unique_ptr<QPainter> owned_;
    QPainter* painter_;
};

QPen ToQPen(const TPen& pen, double deviceWidth);
QBrush ToQBrush(const TBrush& brush);

} // namespace torvi
