// Page geometry: points, rectangles and the transforms every element kind shares.
//
// Conventions, stated once for the whole program:
//  - Units are 0.1 mm ("element units"), stored as 32-bit floats.
//  - The y axis points down; the origin is the page's top-left corner.
//  - Angles returned by Angle() run counter-clockwise on screen (as seen by the user, y down),
//    in [0, 2*pi).
//  - RotatePoint() with a positive angle turns clockwise on screen.
//  - Rounding to whole units or pixels is to nearest, ties to even (the FPU default).
//  - SamePoint() is the exact-enough comparison (less than one unit apart); equality of floats
//    is never used for geometry.
#pragma once

#include <cstdint>

namespace torvi {

struct TPunkt {
    float x = 0;
    float y = 0;
    friend bool operator==(const TPunkt&, const TPunkt&) = default;
};

// Axis-parallel rectangle: (x1, y1) top-left, (x2, y2) bottom-right once normalised.
struct TRechteckF {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const TRechteckF&, const TRechteckF&) = default;
};

struct TIntPunkt {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const TIntPunkt&, const TIntPunkt&) = default;
};

struct TRechteckI {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const TRechteckI&, const TRechteckI&) = default;
};

// Element units to pixels: pixel = round(P * s + o). Set by whoever draws, before a batch of
// draws (on screen both scales equal the zoom in pixels per 0.1 mm).
struct TViewTransform {
    double sx = 1.0;
    double sy = 1.0;
    int32_t ox = 0;
    int32_t oy = 0;
};

constexpr double kPi = 3.14159265358979323846;

// Nearest integer, ties to even.
int32_t RoundEven(double v);
TIntPunkt RoundPoint(TPunkt p);
TRechteckI RoundRect(const TRechteckF& r);
TRechteckF NormRectF(TRechteckF r);
TRechteckI NormRect(TRechteckI r);

TPunkt ScalePoint(TPunkt p, TPunkt c, double fx, double fy);
TPunkt ShearPoint(TPunkt p, TPunkt c, double sx, double sy);
double Angle(TPunkt c, TPunkt p);
TPunkt RotatePoint(TPunkt p, TPunkt c, double degrees);
TPunkt MirrorX(TPunkt p, float x0);
TPunkt MirrorY(TPunkt p, float y0);
double Distance(TPunkt p, TPunkt q);
TPunkt Midpoint(TPunkt p, TPunkt q);
bool SamePoint(TPunkt p, TPunkt q);

// The view-dependent helpers take the transform explicitly; elements pass the shared one.
TPunkt ToScreen(TPunkt p, const TViewTransform& v);
TIntPunkt ToPixel(TPunkt p, const TViewTransform& v);
int32_t ScreenPenWidth(int32_t width, const TViewTransform& v);
bool NearPoints(TPunkt p, TPunkt q, const TViewTransform& v);

// Grows r (normalised) so that it holds p.
void IncludePoint(TRechteckF& r, TPunkt p);
TRechteckF BoundsOf(const TPunkt* points, int count);
TRechteckF UniteRects(const TRechteckF& a, const TRechteckF& b);

} // namespace torvi
