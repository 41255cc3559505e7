// Reading and writing the "count - 1" point lists of point-based element records, and the hit
// band of one segment shared by polylines and polygons.
#pragma once

#include "elements/Element.h"

#include <vector>

namespace torvi {

void ReadPointList(TByteReader& r, std::vector<TPunkt>& points);
void WritePointList(TByteWriter& w, const std::vector<TPunkt>& points);
// Rounds every coordinate to a whole unit (older records kept integer coordinates).
void RoundPoints(std::span<TPunkt> points);

// The hit band around the segment p-q with half-width a (logical units), with squares at both
// ends, in device coordinates of s.
TRegion SegmentBand(const TSurface& s, TPunkt p, TPunkt q, int32_t a);

} // namespace torvi
