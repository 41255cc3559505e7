// Circles, ellipses and arcs: construction, ray points, arc spans, curve sampling, hit areas,
// transforms and sizes far beyond a page and down to a unit.
#include "elements/Kreis.h"
#include "ShapeFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace torvi {
namespace {

using test::UnitView;

std::unique_ptr<TKreis> Ellipse(TRechteckF r, bool filled = false) {
    auto k = std::make_unique<TKreis>();
    k->BuildEllipse(r.x1, r.y1, r.x2, r.y2);
    k->NoFill = !filled;
    k->PenWidth = 2;
    return k;
}

// The point at angle a (counter-clockwise on screen) of the ellipse with centre c, radii rx, ry.
TPunkt OnEllipse(TPunkt c, double rx, double ry, double a) {
    return {float(c.x + rx * std::cos(a)), float(c.y - ry * std::sin(a))};
}

// Opens k into the arc from angle a to angle b through its handles.
void SetArc(TKreis& k, double a, double b) {
    k.Bogenanfang = k.RayPoint(a);
    k.Bogenende = k.RayPoint(b);
    k.HandlesChanged();
}

TEST(KreisBuild, CircleAndFlatEllipseControlPoints) {
    struct TCase {
        TRechteckF box;
        TPunkt centre;
        double rx, ry;
    };
    const TCase cases[] = {
        {{0, 0, 100, 100}, {50, 50}, 50, 50},
        {{100, 200, 200, 250}, {150, 225}, 50, 25}, // centre (125, 225) before the stretch
        {{10, 10, 2010, 30}, {1010, 20}, 1000, 10},
        {{200, 250, 100, 200}, {150, 225}, 50, 25}, // the drag went up and left
    };
    for (const auto& c : cases) {
        auto k = Ellipse(c.box);
        ASSERT_EQ(k->Punkte.size(), 32u);
        EXPECT_NEAR(k->Mitte.x, c.centre.x, 1e-3);
        EXPECT_NEAR(k->Mitte.y, c.centre.y, 1e-3);
        for (int j = 0; j < 32; ++j) {
            // Point j sits at angle j * 2pi/32 counter-clockwise from the right-most point.
            const TPunkt want = OnEllipse(c.centre, c.rx, c.ry, j * 2 * kPi / 32);
            EXPECT_NEAR(k->Punkte[j].x, want.x, 1e-2) << j;
            EXPECT_NEAR(k->Punkte[j].y, want.y, 1e-2) << j;
        }
        EXPECT_TRUE(k->IsFullEllipse());
        EXPECT_FLOAT_EQ(k->Startwinkel, 0);
        EXPECT_FLOAT_EQ(k->Endwinkel, 0);
    }
}

TEST(KreisBuild, EmptyRectangleLeavesTheCircleUnchanged) {
    auto k = Ellipse({10, 10, 10, 80});
    EXPECT_TRUE(k->Punkte.empty());
    k->BuildEllipse(0, 0, 100, 100);
    k->BuildEllipse(5, 5, 60, 5);
    EXPECT_EQ(k->Punkte.size(), 32u);
    EXPECT_EQ(k->Mitte, (TPunkt{50, 50}));
}

TEST(KreisArc, SpanDirectionAndControlPoints) {
    struct TCase {
        double from, to, span;
        bool full;
    };
    const TCase cases[] = {
        {0, kPi / 2, kPi / 2, false}, {kPi / 2, 0, 3 * kPi / 2, false},     {1.0, 1.04, 0, true},
        {1.0, 1.06, 0.06, false},     {6.0, 0.5, 0.5 + 2 * kPi - 6, false}, {0, 0, 0, true},
    };
    for (const auto& c : cases) {
        auto k = Ellipse({400, 400, 600, 600});
        SetArc(*k, c.from, c.to);
        EXPECT_EQ(k->IsFullEllipse(), c.full) << c.from << ".." << c.to;
        const auto pts = k->ArcControlPoints();
        if (c.full) {
            EXPECT_EQ(pts.size(), 32u);
            continue;
        }
        EXPECT_NEAR(k->ArcSpan(), c.span, 1e-3);
        EXPECT_NEAR(Angle(k->Mitte, pts.front()), c.from, 1e-3);
        EXPECT_NEAR(Angle(k->Mitte, pts.back()), c.to, 1e-3);
        // Counter-clockwise on screen: the angle from the start only grows along the arc.
        double last = 0;
        for (const TPunkt& p : pts) {
            double a = Angle(k->Mitte, p) - c.from;
            if (a < -1e-3) a += 2 * kPi;
            EXPECT_GE(a, last - 1e-3);
            last = a;
        }
        const size_t inner = size_t(std::floor(c.span / (2 * kPi / 32)));
        EXPECT_NEAR(double(pts.size()), double(inner + 2), 1.0);
    }
}

TEST(KreisArc, OddOrientationsStillGiveOnlyTheArcsPoints) {
    // Clockwise control points (a negative stretch) and an ellipse flattened to a line.
    struct TCase {
        double fx, fy, from, to;
    };
    for (const TCase c :
         {TCase{-1, 1, 0.3, 2.0}, {-1, 1, 6.2, 1.0}, {1, 0, 0, kPi}, {1, 0.001, 0, kPi}}) {
        auto k = Ellipse({0, 0, 200, 200});
        k->ScaleAbout({100, 100}, c.fx, c.fy);
        SetArc(*k, c.from, c.to);
        if (k->IsFullEllipse()) continue; // a line has no crossings to put handles on
        const double span = k->ArcSpan();
        const auto pts = k->ArcControlPoints();
        ASSERT_GE(pts.size(), 2u);
        for (const TPunkt& p : pts) {
            double a = Angle(k->Mitte, p) - Angle(k->Mitte, pts.front());
            if (a < -1e-3) a += 2 * kPi;
            EXPECT_LE(a, span + 1e-3) << c.fx << " " << c.from;
        }
    }
}

TEST(KreisCurve, ClosedCurveEndsWhereItStartsOpenOneAtItsOuterPoints) {
    const std::vector<TPunkt> square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    const QPolygonF closed = CurvePoints(square, true);
    ASSERT_FALSE(closed.isEmpty());
    EXPECT_EQ(closed.front(), QPointF(50, 0));
    EXPECT_EQ(closed.back(), closed.front());
    EXPECT_EQ(closed.size(), 4 * 7); // t = 0, 0.2, ..., 1 and the end once more, per piece
    const QPolygonF open = CurvePoints(square, false);
    EXPECT_EQ(open.front(), QPointF(0, 0));
    EXPECT_EQ(open.back(), QPointF(0, 100));
    EXPECT_EQ(open.size(), 2 + 2 * 7);
    for (const QPointF& p : closed) EXPECT_TRUE(QRectF(0, 0, 100, 100).contains(p));
    EXPECT_TRUE(CurvePoints({}, true).isEmpty());
    EXPECT_EQ(CurvePoints({{3, 4}}, false).size(), 2);
}

TEST(KreisHit, OutlineInsideAndTheMissingPartOfAnArc) {
    struct TCase {
        bool filled;
        double arcFrom, arcTo; // equal: full circle
        TPunkt at;
        bool hit;
    };
    const TPunkt c{500, 500};
    auto on = [&](double a, double r = 100) { return OnEllipse(c, r, r, a); };
    const TCase cases[] = {
        {false, 0, 0, on(1.0), true},
        {false, 0, 0, on(1.0, 102), true},
        {false, 0, 0, on(1.0, 108), false},
        {false, 0, 0, c, false},
        {true, 0, 0, c, true},
        {true, 0, 0, on(2.0, 90), true},
        {false, 0, kPi / 2, on(kPi / 4), true},
        {false, 0, kPi / 2, on(5 * kPi / 4), false},
        {false, 0, kPi / 2, on(3 * kPi / 2), false},
        // Filled arcs hold the area up to their chord, no more.
        {true, 0, kPi / 2, on(kPi / 4, 90), true},
        {true, 0, kPi / 2, on(5 * kPi / 4, 50), false},
    };
    for (const auto& t : cases) {
        TRecordingSurface s;
        UnitView(s);
        auto k = Ellipse({400, 400, 600, 600}, t.filled);
        if (t.arcFrom != t.arcTo) SetArc(*k, t.arcFrom, t.arcTo);
        EXPECT_EQ(k->HitTest(s, RoundEven(t.at.x), RoundEven(t.at.y)), t.hit)
            << t.filled << " " << t.arcFrom << ".." << t.arcTo << " at " << t.at.x << "," << t.at.y;
    }
}

TEST(KreisSize, HugeAndTinyEllipsesGetTheirArcHandlesOnTheCurve) {
    const TRechteckF boxes[] = {
        {0, 0, 40000, 30000},       // 4 m by 3 m
        {-2e6f, -1e6f, 2e6f, 1e6f}, // far beyond any page: tenths would overflow
        {100, 100, 101, 100.5f},    // a tenth of a millimetre
        {50, 50, 50.5f, 50.2f},     // below a unit
    };
    for (const auto& b : boxes) {
        auto k = Ellipse(b);
        ASSERT_EQ(k->Punkte.size(), 32u);
        const double rx = (double(b.x2) - b.x1) / 2, ry = (double(b.y2) - b.y1) / 2;
        k->Startwinkel = 0.5f;
        k->Endwinkel = 2.5f;
        std::vector<TPunkt*> handles;
        k->AddHandles(handles);
        ASSERT_EQ(handles.size(), 2u);
        for (const auto& [h, a] : {std::pair{k->Bogenanfang, 0.5}, std::pair{k->Bogenende, 2.5}}) {
            EXPECT_NEAR(Angle(k->Mitte, h), a, 1e-3) << b.x2;
            // The control polygon is inscribed: the handle lies within 1% inside the curve.
            const double dx = (h.x - k->Mitte.x) / rx, dy = (h.y - k->Mitte.y) / ry;
            EXPECT_NEAR(std::hypot(dx, dy), 0.995, 0.006) << b.x2;
        }
        k->HandlesChanged();
        EXPECT_FALSE(k->IsFullEllipse());
        TRecordingSurface s;
        UnitView(s);
        k->Draw(s);
        EXPECT_EQ(s.ops.size(), 1u);
        (void)k->HitTest(s, int(k->Mitte.x), int(k->Mitte.y));
    }
}

TEST(KreisSize, DrawingAtHighZoomKeepsEveryCurvePixel) {
    // 36 samples per control point at most, whatever the zoom: nothing is cut off.
    auto k = Ellipse({0, 0, 2000, 1000});
    TRecordingSurface s;
    s.SetMapping({50, 50, 0, 0});
    Shared().ViewTransform = {50, 50, 0, 0};
    k->Draw(s);
    ASSERT_EQ(s.ops.size(), 1u);
    const QRectF box = s.ops[0].path.boundingRect();
    // The curve runs just inside its control points (cos(pi/32) of the radius at worst).
    EXPECT_GT(box.width(), 99400);
    EXPECT_LE(box.width(), 100001);
    EXPECT_GT(box.height(), 49700);
    EXPECT_LE(box.height(), 50001);
}

TEST(KreisTransform, MirroringAnArcGivesTheMirroredArc) {
    for (bool vertical : {false, true}) {
        auto k = Ellipse({400, 400, 800, 600});
        SetArc(*k, 0.2, 1.9);
        const auto before = k->ArcControlPoints();
        const TPunkt axis{300, 350};
        if (vertical)
            k->MirrorV(axis);
        else
            k->MirrorH(axis);
        const auto after = k->ArcControlPoints();
        ASSERT_EQ(after.size(), before.size());
        // The same points, walked the other way round (still counter-clockwise on screen).
        for (size_t i = 0; i < before.size(); ++i) {
            const TPunkt m = vertical ? MirrorY(before[i], axis.y) : MirrorX(before[i], axis.x);
            const TPunkt& a = after[after.size() - 1 - i];
            EXPECT_NEAR(a.x, m.x, 0.05) << i;
            EXPECT_NEAR(a.y, m.y, 0.05) << i;
        }
        EXPECT_NEAR(k->ArcSpan(), 1.7, 1e-3);
    }
}

TEST(KreisTransform, RotationAndMoveCarryTheArcAlong) {
    auto k = Ellipse({400, 400, 600, 600});
    SetArc(*k, 0, kPi / 2);
    k->RotateAbout({500, 500}, kPi / 2); // clockwise on screen: the arc now starts at -90°
    EXPECT_NEAR(k->Startwinkel, 3 * kPi / 2, 1e-3);
    EXPECT_NEAR(std::remainder(k->Endwinkel, 2 * kPi), 0, 1e-3);
    k->MoveBy({100, -50});
    EXPECT_NEAR(k->Mitte.x, 600, 1e-3);
    EXPECT_NEAR(k->Bogenanfang.y, 550, 0.5);
    EXPECT_NEAR(k->ArcSpan(), kPi / 2, 1e-3);
}

TEST(KreisSnap, HandlesAndCentreAreConnectionPoints) {
    Shared().ViewTransform = {1, 1, 0, 0};
    auto k = Ellipse({400, 400, 600, 600});
    SetArc(*k, 0, kPi);
    std::vector<TPunkt*> pts;
    k->AddConnectionPoints(pts);
    ASSERT_EQ(pts.size(), 3u);
    TPunkt p{503, 497};
    EXPECT_TRUE(k->SnapToPoint(p));
    EXPECT_EQ(p, k->Mitte);
    TPunkt far{550, 550};
    EXPECT_FALSE(k->SnapToPoint(far));
    const TPunkt ref = k->GetRefPoint();
    EXPECT_NEAR(ref.x, 400, 1e-3);
    EXPECT_NEAR(ref.y, 400, 1e-3);
}

TEST(KreisDegenerate, WithoutControlPointsNothingBreaks) {
    TKreis k;
    TRecordingSurface s;
    UnitView(s);
    bool raised = false;
    k.OnAfterDraw = [&] { raised = true; };
    k.Draw(s);
    EXPECT_TRUE(s.ops.empty());
    EXPECT_TRUE(raised);
    EXPECT_FALSE(k.HitTest(s, 50, 50));
    EXPECT_EQ(k.RayPoint(1.0), k.Mitte);
    EXPECT_EQ(k.GetBounds(), TRechteckF{});
    std::vector<TPunkt*> h;
    k.AddHandles(h);
    k.RotateAbout({1, 1}, 1);
    k.MirrorH({3, 0});
    EXPECT_TRUE(k.DropAfterLoad());
}

} // namespace
} // namespace torvi
