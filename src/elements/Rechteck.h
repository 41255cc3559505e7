// TRechteck: a rectangle kept as four free corners, so that it stays exact under rotation and
// shear, with optionally rounded corners sized by a draggable handle.
#pragma once

#include "elements/Element.h"

#include <array>
#include <functional>

namespace torvi {

class TRechteck : public TElement {
public:
    TRechteck();

    // Unrotated order: (x1, y1), (x2, y1), (x2, y2), (x1, y2).
    std::array<TPunkt, 4> Ecken{};
    // Lies on the edge from corner 0 towards corner 3, Rundung/2 away from corner 0.
    TPunkt Rundungspunkt{};
    // Rounding diameter in units, 0 for sharp corners; a cache of the handle position.
    float Rundung = 0;

    // Corners from a (possibly unnormalised) drag rectangle; the rounding is kept.
    void SetCorners(const TRechteckF& r);
    // The rounding diameter the handle stands for, clamped to the shorter edge and to >= 0.
    float RundungFromHandle() const;
    // Puts the handle where the current Rundung says.
    void PlaceRundungspunkt();
    // The outline through f (element units to path coordinates): the four corners, or with a
    // rounding of 3 or more the rounded figure (cubic corners) or its octagon.
    TPath RectPath(bool octagon, const std::function<QPointF(TPunkt)>& f) const;

    void Draw(TSurface& s) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    void AddHandles(std::vector<TPunkt*>& handles) override;
    void HandlesChanged() override;
    void MoveBy(TPunkt d) override;
    void ScaleAbout(TPunkt c, double fx, double fy) override;
    void ShearAbout(TPunkt c, double sx, double sy) override;
    void RotateAbout(TPunkt c, double angle) override;
    void MirrorH(TPunkt axis) override;
    void MirrorV(TPunkt axis) override;
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;
    std::span<TPunkt> Points() override { return Ecken; }

private:
    // Applies f to the corners and the handle, then refreshes the rounding cache.
    void Transform(const std::function<TPunkt(TPunkt)>& f);
};

// Below this diameter corners are drawn sharp.
constexpr float kMinRundung = 3;

} // namespace torvi
