// Hit and clip areas in device pixels, built from paths and united without losing precision.
#pragma once

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <vector>

namespace torvi {

// A union of filled areas (non-zero winding each). Kept as separate parts so that union is
// cheap and exact: a point is inside when any part holds it, after a bounds check.
class TRegion {
public:
    TRegion() = default;
    static TRegion FromPath(QPainterPath devicePath);
    static TRegion FromRect(const QRectF& deviceRect);
    static TRegion FromPolygon(const QPolygonF& devicePolygon);
    static TRegion FromEllipse(const QRectF& deviceRect);

    void Unite(const TRegion& other);
    void Unite(TRegion&& other);

    bool IsEmpty() const { return parts_.empty(); }
    bool Contains(QPointF devicePoint) const;
    bool IntersectsRect(const QRectF& deviceRect) const;
    QRectF Bounds() const { return bounds_; }
    // One path of the whole area, for clipping.
    QPainterPath ToPath() const;
    const std::vector<QPainterPath>& Parts() const { return parts_; }

private:
    std::vector<QPainterPath> parts_;
    std::vector<QRectF> partBounds_;
    QRectF bounds_;
};

} // namespace torvi
