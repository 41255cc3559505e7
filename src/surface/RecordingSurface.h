// A surface that records what is drawn instead of painting it, for tests of drawing code.
#pragma once

#include "surface/Surface.h"

#include <QString>
#include <vector>

namespace torvi {

struct TRecordedOp {
    enum class Type { Line, Polyline, Path, FillRect, FillAntiAliased, Image };
    Type type;
    QPolygonF points;  // device coordinates: the line ends, the polyline, or the path's polygons
    QPainterPath path; // for paths
    TPen pen;
    TBrush brush;
    double deviceWidth = 0;
    bool stroke = false;
    bool fill = false;
};

class TRecordingSurface : public TSurface {
public:
    std::vector<TRecordedOp> ops;
    double dpiX = 96, dpiY = 96;
    bool canTransformImages = true;

    double DpiX() const override { return dpiX; }
    double DpiY() const override { return dpiY; }
    // The recorded ops of one type.
    std::vector<TRecordedOp> OfType(TRecordedOp::Type t) const;

protected:
    void DoLine(QPointF a, QPointF b) override;
    void DoPolyline(const QPolygonF& device) override;
    void DoPath(const QPainterPath& device, bool stroke, bool fill) override;
    void DoFillRect(const QRectF& device, const TBrush& b) override;
    void DoFillAntiAliased(const QPainterPath& device, TFarbe color) override;
    void DoImage(const QImage& image, const QPolygonF& deviceCorners) override;
    bool CanTransformImages() const override { return canTransformImages; }

private:
    TRecordedOp Make(TRecordedOp::Type t) const;
};

} // namespace torvi
