// TLoetpunkt: the filled dot that marks a junction of wires; every dot has the same radius.
#pragma once

#include "elements/Element.h"

namespace torvi {

class TLoetpunkt : public TElement {
public:
    TLoetpunkt();

    // Not stored: every dot is 0.6 mm in radius, also after scaling.
    int32_t Radius = 6;
    TPunkt Mittelpunkt;

    void Draw(TSurface& s) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    TRechteckF GetBounds() const override;
    void AddHandles(std::vector<TPunkt*>& /*handles*/) override {}
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;
    // The transforms move the centre only.
    std::span<TPunkt> Points() override { return {&Mittelpunkt, 1}; }
};

} // namespace torvi
