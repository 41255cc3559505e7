// TKreis: a circle or ellipse kept as the control points of a smooth closed curve, which two
// arc handles can open into an elliptic arc running counter-clockwise on screen.
#pragma once

#include "elements/Element.h"

#include <optional>
#include <vector>

namespace torvi {

class TKreis : public TElement {
public:
    TKreis();

    std::vector<TPunkt> Punkte; // control points of the closed curve, 32 once built
    TPunkt Mitte{};
    TPunkt Bogenanfang{};
    TPunkt Bogenende{};
    float Startwinkel = 0; // radians, Angle(Mitte, Bogenanfang)
    float Endwinkel = 2.0f;

    // A circle of the shorter side stretched into the rectangle; nothing for an empty one.
    void BuildEllipse(float x1, float y1, float x2, float y2);
    // Where the ray from Mitte at angle (counter-clockwise on screen) leaves the control
    // polygon; Mitte when it leaves nowhere.
    TPunkt RayPoint(double angle) const;
    // Arc span in radians, [0, 2*pi): below kFullEllipseSpan the curve is a full ellipse.
    double ArcSpan() const;
    bool IsFullEllipse() const { return ArcSpan() < kFullEllipseSpan; }
    // The control points of the visible part, with the exact arc ends for an arc.
    std::vector<TPunkt> ArcControlPoints() const;

    void Draw(TSurface& s) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    TRegion SeedRegion(const TSurface& s) const override;
    TRechteckF GetBounds() const override;
    void AddHandles(std::vector<TPunkt*>& handles) override;
    void HandlesChanged() override;
    void MoveBy(TPunkt d) override;
    void ScaleAbout(TPunkt c, double fx, double fy) override;
    void ShearAbout(TPunkt c, double sx, double sy) override;
    void RotateAbout(TPunkt c, double angle) override;
    void MirrorH(TPunkt axis) override;
    void MirrorV(TPunkt axis) override;
    TPunkt GetRefPoint() const override;
    bool SnapToPoint(TPunkt& p) override;
    void AddConnectionPoints(std::vector<TPunkt*>& points) override;
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;
    bool DropAfterLoad() const override { return Punkte.empty(); }
    std::span<TPunkt> Points() override { return Punkte; }

    static constexpr int kControlPoints = 32;
    static constexpr double kFullEllipseSpan = 0.05;

private:
    // Applies f to the control points, Mitte and both handles.
    template <typename F> void ForEachPoint(F f);
    void Mirror(TPunkt (*mirror)(TPunkt, float), float at);
    // The visible curve through f, sampled, as a closed (full) or open (arc) figure.
    TPath CurveFigure(TPunkt (*f)(TPunkt)) const;
};

// Where segment a-b crosses segment p-q (ends included, within a hair), if it does.
std::optional<TPunkt> SegmentIntersection(TPunkt a, TPunkt b, TPunkt p, TPunkt q);

// The smooth curve through the control points: quadratic pieces between the midpoints of
// neighbouring points, each sampled at t = 0, 0.2, ..., 1 plus its end point, all rounded to
// whole coordinates. Closed curves wrap around; open ones start and end at the outer points.
QPolygonF CurvePoints(const std::vector<TPunkt>& points, bool closed);

} // namespace torvi
