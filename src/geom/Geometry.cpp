// Shared geometry helpers: rounding, transforms of single points, view mapping.
#include "geom/Geometry.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace torvi {

int32_t RoundEven(double v) {
    if (!std::isfinite(v)) return 0;
    v = std::clamp(v, -2147483648.0, 2147483647.0);
    return static_cast<int32_t>(std::nearbyint(v)); // default rounding mode: ties to even
}

TIntPunkt RoundPoint(TPunkt p) {
    return {RoundEven(p.x), RoundEven(p.y)};
}

TRechteckI RoundRect(const TRechteckF& r) {
    return {RoundEven(r.x1), RoundEven(r.y1), RoundEven(r.x2), RoundEven(r.y2)};
}

TRechteckF NormRectF(TRechteckF r) {
    if (r.x1 > r.x2) std::swap(r.x1, r.x2);
    if (r.y1 > r.y2) std::swap(r.y1, r.y2);
    return r;
}

TRechteckI NormRect(TRechteckI r) {
    if (r.x1 > r.x2) std::swap(r.x1, r.x2);
    if (r.y1 > r.y2) std::swap(r.y1, r.y2);
    return r;
}

TPunkt ScalePoint(TPunkt p, TPunkt c, double fx, double fy) {
    return {static_cast<float>(c.x - (c.x - p.x) * fx), static_cast<float>(c.y - (c.y - p.y) * fy)};
}

TPunkt ShearPoint(TPunkt p, TPunkt c, double sx, double sy) {
    return {static_cast<float>(p.x - (c.y - p.y) * sx), static_cast<float>(p.y - (c.x - p.x) * sy)};
}

double Angle(TPunkt c, TPunkt p) {
    const double dx = double(p.x) - c.x;
    const double dy = double(p.y) - c.y;
    if (dx > 0 && dy < 0) return std::atan(-dy / dx);
    if (dx < 0 && dy < 0) return std::atan(dx / dy) + kPi / 2;
    if (dx < 0 && dy > 0) return std::atan(dy / -dx) + kPi;
    if (dx > 0 && dy > 0) return std::atan(dx / dy) + 3 * kPi / 2;
    if (dx == 0 && dy < 0) return kPi / 2;
    if (dy == 0 && dx < 0) return kPi;
    if (dx == 0 && dy > 0) return 3 * kPi / 2;
    return 0;
}

TPunkt RotatePoint(TPunkt p, TPunkt c, double degrees) {
    const double r = Distance(c, p);
    const double a = Angle(c, p) + kPi / 2 - degrees * kPi / 180;
    return {static_cast<float>(c.x + r * std::sin(a)), static_cast<float>(c.y + r * std::cos(a))};
}

TPunkt MirrorX(TPunkt p, float x0) {
    return {2 * x0 - p.x, p.y};
}
TPunkt MirrorY(TPunkt p, float y0) {
    return {p.x, 2 * y0 - p.y};
}

double Distance(TPunkt p, TPunkt q) {
    return std::hypot(double(q.x) - p.x, double(q.y) - p.y);
}

TPunkt Midpoint(TPunkt p, TPunkt q) {
    return {p.x + (q.x - p.x) / 2, p.y + (q.y - p.y) / 2};
}

bool SamePoint(TPunkt p, TPunkt q) {
    return std::fabs(p.x - q.x) < 1 && std::fabs(p.y - q.y) < 1;
}

TPunkt ToScreen(TPunkt p, const TViewTransform& v) {
    return {static_cast<float>(p.x * v.sx + v.ox), static_cast<float>(p.y * v.sy + v.oy)};
}

TIntPunkt ToPixel(TPunkt p, const TViewTransform& v) {
    // Rounded from double so that large pages at high zoom keep their pixel precision.
    return {RoundEven(p.x * v.sx + v.ox), RoundEven(p.y * v.sy + v.oy)};
}

int32_t ScreenPenWidth(int32_t width, const TViewTransform& v) {
    return RoundEven((v.sx + v.sy) * width / 2);
}

bool NearPoints(TPunkt p, TPunkt q, const TViewTransform& v) {
    const TIntPunkt a = RoundPoint(p);
    const TIntPunkt b = RoundPoint(q);
    return std::abs(double(a.x) - b.x) < 10 / v.sx && std::abs(double(a.y) - b.y) < 10 / v.sy;
}

void IncludePoint(TRechteckF& r, TPunkt p) {
    r.x1 = std::min(r.x1, p.x);
    r.y1 = std::min(r.y1, p.y);
    r.x2 = std::max(r.x2, p.x);
    r.y2 = std::max(r.y2, p.y);
}

TRechteckF BoundsOf(const TPunkt* points, int count) {
    if (count <= 0) return {};
    TRechteckF r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (int i = 1; i < count; ++i) IncludePoint(r, points[i]);
    return r;
}

TRechteckF UniteRects(const TRechteckF& a, const TRechteckF& b) {
    return {std::min(a.x1, b.x1), std::min(a.y1, b.y1), std::max(a.x2, b.x2), std::max(a.y2, b.y2)};
}

} // namespace torvi
