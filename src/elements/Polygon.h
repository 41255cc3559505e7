// TPolygon: a closed, optionally filled polygon.
#pragma once

#include "elements/Element.h"

#include <vector>

namespace torvi {

class TPolygon : public TElement {
public:
    TPolygon();

    std::vector<TPunkt> Punkte;

    void Draw(TSurface& s) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    TRegion SeedRegion(const TSurface& s) const override;
    int SegmentAt(TSurface& s, QPoint device) override;
    TRegion SegmentRegion(TSurface& s, bool wide, int index) override;
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;
    std::span<TPunkt> Points() override { return Punkte; }
};

} // namespace torvi
