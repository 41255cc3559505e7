// Magnet lines: user-placed horizontal and vertical guide lines of a page, and their block
// ("count - 1" of horizontal positions, then of vertical ones) in files and snapshots.
#pragma once

#include "stream/ByteReader.h"
#include "stream/ByteWriter.h"

#include <vector>

namespace torvi {

// Default position of a new line: 50 mm.
constexpr float kMagnetlinieStandard = 500;

struct TMagnetlinieH {
    float y = kMagnetlinieStandard;
    bool Selected = false;
};

struct TMagnetlinieV {
    float x = kMagnetlinieStandard;
    bool Selected = false;
};

void SchreibeMagnetlinien(TByteWriter& w, const std::vector<TMagnetlinieH>& h,
                          const std::vector<TMagnetlinieV>& v);
// Appends the lines of one block; positions that are not finite numbers are dropped, since no
// view can place them.
void LeseMagnetlinien(TByteReader& r, std::vector<TMagnetlinieH>& h, std::vector<TMagnetlinieV>& v);

} // namespace torvi
