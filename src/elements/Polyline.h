// TPolyline: an open line through its points, with line ends, a pattern and two colours.
#pragma once

#include "elements/Element.h"

#include <vector>

namespace torvi {

class TPolyline : public TElement {
public:
    TPolyline();

    std::vector<TPunkt> Punkte;
    bool Zweifarbig = false;
    TFarbe Farbe2 = 255;
    uint8_t StartEnde = 0;
    uint8_t EndEnde = 0;
    int32_t PfeilGroesse = 0;

    void Draw(TSurface& s) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    TRegion SeedRegion(const TSurface& s) const override;
    TRechteckF GetBounds() const override;
    bool SnapToPoint(TPunkt& p) override;
    void AddConnectionPoints(std::vector<TPunkt*>& points) override;
    int SegmentAt(TSurface& s, QPoint device) override;
    TRegion SegmentRegion(TSurface& s, bool wide, int index) override;
    void ApplyDefaults() override;
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;
    std::span<TPunkt> Points() override { return Punkte; }

private:
    void SetPen(TSurface& s) const;
};

} // namespace torvi
