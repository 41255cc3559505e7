// Geometry helpers of elements that depend on the shared view transform or on a surface.
#pragma once

#include "elements/SharedState.h"
#include "geom/Geometry.h"
#include "surface/Surface.h"

#include <QPoint>
#include <QPointF>
#include <QPolygonF>
#include <span>

namespace torvi {

// Element units to drawn pixels with the shared view transform.
inline QPointF PixelOf(TPunkt p) {
    const TIntPunkt i = ToPixel(p, Shared().ViewTransform);
    return QPointF(i.x, i.y);
}
QPolygonF PixelsOf(std::span<const TPunkt> points);
inline int32_t ScreenPenWidth(int32_t width) {
    return ScreenPenWidth(width, Shared().ViewTransform);
}
inline bool NearPoints(TPunkt p, TPunkt q) {
    return NearPoints(p, q, Shared().ViewTransform);
}

// Logical coordinates of the editor's mapping, as whole units.
inline QPointF Logical(TPunkt p) {
    const TIntPunkt i = RoundPoint(p);
    return QPointF(i.x, i.y);
}
QPolygonF LogicalOf(std::span<const TPunkt> points);

// The canvas's logical x distance between device points (0, 0) and (n, n).
double DeviceToUnits(const TSurface& s, int n);
// Hit tolerance in logical units: two device pixels plus one unit; wide adds 18 units.
int32_t HitTolerance(const TSurface& s, bool wide);
// The repaint area of bounds (rounded to whole units) grown by grow units on every side, in
// device pixels.
TRechteckI ScreenRectAround(const TSurface& s, const TRechteckF& bounds, int32_t grow);

} // namespace torvi
