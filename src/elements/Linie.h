// TLinie: the straight two-point line of older files, turned into a TPolyline once read.
#pragma once

#include "elements/Element.h"

namespace torvi {

class TPolyline;

class TLinie : public TElement {
public:
    TLinie();

    std::array<TPunkt, 2> P{};

    // A polyline through P1, P2 with this line's colour, width and pattern and no line ends;
    // its two-colour settings come from the current line defaults.
    std::unique_ptr<TPolyline> ToPolyline() const;

    void Draw(TSurface& s) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;
    std::unique_ptr<TElement> ReplacementAfterLoad() override;
    std::span<TPunkt> Points() override { return P; }
};

} // namespace torvi
