// Patterned lines (dashes, dots and their mixes) in one or two colours, walked pixel by pixel
// so that a dash cut by a corner continues on the next segment.
#pragma once

#include "surface/Surface.h"

#include <QPolygonF>
#include <cstdint>
#include <vector>

namespace torvi {

constexpr uint8_t kLinePatternCount = 7; // 0 solid, 1..6 patterns

// The on/off (or colour 1 / colour 2) lengths of a pattern in pixels, for pen width w pixels.
std::vector<double> PatternLengths(uint8_t pattern, int32_t w, bool twoColour);

// The dashes of a patterned line through pixel points: runs[0] holds the "on" runs (or those
// of the first colour), runs[1] those of the second colour (two-colour only).
struct TPatternRuns {
    std::vector<QPolygonF> runs[2];
};
TPatternRuns WalkPattern(const QPolygonF& pixels, const std::vector<double>& lengths,
                         bool twoColour);

// Draws in pixel mapping with the surface's current pen colour; width in 0.1 mm.
void DrawPattern(TSurface& s, const QPolygonF& pixels, int32_t width, uint8_t pattern);
void DrawPattern2(TSurface& s, const QPolygonF& pixels, int32_t width, TFarbe colour2,
                  uint8_t pattern);

} // namespace torvi
