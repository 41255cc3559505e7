// Point transforms, angles and rounding as tables of cases.
#include "geom/Geometry.h"

#include <cmath>
#include <gtest/gtest.h>

namespace torvi {
namespace {

struct AngleCase {
    TPunkt p;
    double expected;
};

TEST(Geometry, AngleRunsCounterClockwiseOnScreen) {
    const TPunkt c{10, 10};
    const AngleCase cases[] = {
        {{20, 10}, 0},           {{20, 0}, kPi / 4},      {{10, 0}, kPi / 2},
        {{0, 0}, 3 * kPi / 4},   {{0, 10}, kPi},          {{0, 20}, 5 * kPi / 4},
        {{10, 20}, 3 * kPi / 2}, {{20, 20}, 7 * kPi / 4}, {{10, 10}, 0},
    };
    for (const auto& k : cases)
        EXPECT_NEAR(Angle(c, k.p), k.expected, 1e-9) << k.p.x << "," << k.p.y;
}

struct RotateCase {
    TPunkt p;
    double degrees;
    TPunkt expected;
};

TEST(Geometry, RotatePointTurnsClockwiseOnScreen) {
    const TPunkt c{100, 100};
    const RotateCase cases[] = {
        {{110, 100}, 90, {100, 110}}, // right of the centre to below it
        {{110, 100}, -90, {100, 90}}, // and back up for a negative angle
        {{110, 100}, 180, {90, 100}},  {{100, 50}, 90, {150, 100}},  // above to the right
        {{130, 140}, 360, {130, 140}}, {{100, 100}, 45, {100, 100}}, // the centre stays
    };
    for (const auto& k : cases) {
        const TPunkt r = RotatePoint(k.p, c, k.degrees);
        EXPECT_NEAR(r.x, k.expected.x, 1e-3) << k.degrees;
        EXPECT_NEAR(r.y, k.expected.y, 1e-3) << k.degrees;
    }
}

TEST(Geometry, ScaleAndShearAboutACentre) {
    const TPunkt c{10, 20};
    EXPECT_EQ(ScalePoint({20, 40}, c, 2, 0.5), (TPunkt{30, 30}));
    EXPECT_EQ(ScalePoint({20, 40}, c, -1, 1), (TPunkt{0, 40}));
    EXPECT_EQ(ScalePoint(c, c, 7, 9), c);
    // Shear moves x by the distance from the centre in y, and y by the distance in x.
    EXPECT_EQ(ShearPoint({10, 30}, c, 0.5, 0), (TPunkt{15, 30}));
    EXPECT_EQ(ShearPoint({20, 20}, c, 0, 2), (TPunkt{20, 40}));
    EXPECT_EQ(ShearPoint({20, 30}, c, 1, 1), (TPunkt{30, 40}));
}

TEST(Geometry, RoundingIsToNearestTiesToEven) {
    const struct {
        double v;
        int32_t r;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.51, 3}};
    for (const auto& k : cases) EXPECT_EQ(RoundEven(k.v), k.r) << k.v;
    EXPECT_EQ(RoundPoint({2.5f, 3.5f}), (TIntPunkt{2, 4}));
    EXPECT_EQ(NormRectF({5, 6, 1, 2}), (TRechteckF{1, 2, 5, 6}));
    // Out-of-range values are clamped rather than undefined.
    EXPECT_EQ(RoundEven(1e300), 2147483647);
    EXPECT_EQ(RoundEven(std::nan("")), 0);
}

TEST(Geometry, NearPointsIsTenScreenPixels) {
    const TViewTransform zoom2{2, 2, 0, 0};
    EXPECT_TRUE(NearPoints({100, 100}, {104, 96}, zoom2));
    EXPECT_FALSE(NearPoints({100, 100}, {105, 100}, zoom2));
    const TViewTransform zoomHalf{0.5, 0.5, 0, 0};
    EXPECT_TRUE(NearPoints({100, 100}, {119, 81}, zoomHalf));
    EXPECT_TRUE(SamePoint({1, 1}, {1.9f, 0.1f}));
    EXPECT_FALSE(SamePoint({1, 1}, {2, 1}));
}

} // namespace
} // namespace torvi
