// The magnet line block.
#include "editor/Magnetlinie.h"

#include <cmath>

namespace torvi {

void SchreibeMagnetlinien(TByteWriter& w, const std::vector<TMagnetlinieH>& h,
                          const std::vector<TMagnetlinieV>& v) {
    w.ListCount(qsizetype(h.size()));
    for (const TMagnetlinieH& m : h) w.Float(m.y);
    w.ListCount(qsizetype(v.size()));
    for (const TMagnetlinieV& m : v) w.Float(m.x);
}

void LeseMagnetlinien(TByteReader& r, std::vector<TMagnetlinieH>& h,
                      std::vector<TMagnetlinieV>& v) {
    const int32_t nh = r.ListCount(4, "horizontal magnet lines");
    for (int32_t i = 0; i < nh; ++i)
        if (const float y = r.Float(); std::isfinite(y)) h.push_back({y});
    const int32_t nv = r.ListCount(4, "vertical magnet lines");
    for (int32_t i = 0; i < nv; ++i)
        if (const float x = r.Float(); std::isfinite(x)) v.push_back({x});
}

} // namespace torvi
