// TBezier: an open curve of cubic pieces through its points (0, 3, 6, ... on the curve, the
// two between them steering the piece), with the line ends of polylines.
#pragma once

#include "elements/Element.h"

#include <vector>

namespace torvi {

class TBezier : public TElement {
public:
    TBezier();

    std::vector<TPunkt> Punkte;
    // Stored like a polyline's; the curve is always drawn solid in one colour.
    bool Zweifarbig = false;
    TFarbe Farbe2 = 255;
    uint8_t StartEnde = 0;
    uint8_t EndEnde = 0;
    int32_t PfeilGroesse = 0;

    // How many leading points make complete pieces: the longest prefix of 3k + 1 points, 0
    // when there are fewer than 4.
    static size_t DrawnPointCount(size_t n);

    void Draw(TSurface& s) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    TRegion SeedRegion(const TSurface& s) const override;
    TRechteckF GetBounds() const override;
    TRechteckI GetScreenRect(const TSurface& s) const override;
    bool SnapToPoint(TPunkt& p) override;
    void AddConnectionPoints(std::vector<TPunkt*>& points) override;
    void ApplyDefaults() override;
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;
    std::span<TPunkt> Points() override { return Punkte; }

private:
    // The drawn pieces through f, as one open figure (empty below 4 points).
    template <typename F> TPath CurvePath(F f) const;
    void DrawControlPolygon(TSurface& s) const;
    // Bounds of the points and of the line-end shapes.
    TRechteckF PointAndEndBounds() const;
    std::vector<std::array<TPunkt, 4>> LineEndQuads() const;
};

} // namespace torvi
