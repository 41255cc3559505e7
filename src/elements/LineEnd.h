// Line ends (arrowheads, circles, diamonds, squares, bars) of polylines and Bezier curves:
// how they are painted and the quadrilateral that stands for them in hit tests and bounds.
#pragma once

#include "geom/Geometry.h"
#include "surface/Surface.h"

#include <array>
#include <cstdint>
#include <span>

namespace torvi {

enum TLineEndStyle : uint8_t {
    kEndNone = 0,
    kEndArrowOpenFill = 1, // triangle, white inside
    kEndArrow = 2,         // triangle in the line colour
    kEndArrowOpen = 3,     // two strokes
    kEndCircleWhite = 4,
    kEndCircle = 5,
    kEndDiamondWhite = 6,
    kEndDiamond = 7,
    kEndSquareWhite = 8,
    kEndSquare = 9,
    kEndBar = 10,
};
constexpr uint8_t kLineEndStyleCount = 11;

// Paints the end at e of a line arriving from a, with the surface's current pen colour and
// mode, in pixel mapping through the shared view transform. width in 0.1 mm; size 0, 1 or 2.
void DrawLineEnd(TSurface& s, uint8_t style, int32_t width, int32_t size, TPunkt e, TPunkt a);

// Both ends of a line through points (nothing with fewer than two points): the start end
// points back along the first segment, the end end along the last.
void DrawLineEnds(TSurface& s, uint8_t startStyle, uint8_t endStyle, int32_t width, int32_t size,
                  std::span<const TPunkt> points);

// The hit and bounds shape of that end, in element units.
std::array<TPunkt, 4> LineEndQuad(TPunkt a, TPunkt e, uint8_t style, int32_t size, int32_t width);

} // namespace torvi
