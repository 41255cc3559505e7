// Bezier curves: the drawn prefix of complete pieces, the control polygon, line ends, hit
// areas, bounds and curves of too few points.
#include "elements/Bezier.h"
#include "ShapeFixtures.h"
#include "elements/LineEnd.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

using test::UnitView;

std::unique_ptr<TBezier> Curve(std::vector<TPunkt> pts) {
    auto b = std::make_unique<TBezier>();
    b->Punkte = std::move(pts);
    b->PenWidth = 2;
    b->StartEnde = b->EndEnde = 0;
    return b;
}

std::vector<TPunkt> Wave(size_t n) {
    std::vector<TPunkt> pts;
    for (size_t i = 0; i < n; ++i) pts.push_back({100.f + 100 * i, i % 2 ? 100.f : 300.f});
    return pts;
}

int CubicPieces(const QPainterPath& p) {
    int n = 0;
    for (int i = 0; i < p.elementCount(); ++i)
        n += p.elementAt(i).type == QPainterPath::CurveToElement;
    return n;
}

TEST(BezierDraw, OnlyTheLongestPrefixOfCompletePiecesIsDrawn) {
    struct TCase {
        size_t points, drawn;
        int pieces;
    };
    const TCase cases[] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0},  {4, 4, 1},
                           {5, 4, 1}, {6, 4, 1}, {7, 7, 2}, {11, 10, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(TBezier::DrawnPointCount(c.points), c.drawn) << c.points;
        TRecordingSurface s;
        UnitView(s);
        auto b = Curve(Wave(c.points));
        b->Draw(s);
        const auto paths = s.OfType(TRecordedOp::Type::Path);
        if (c.pieces == 0) {
            EXPECT_TRUE(s.ops.empty()) << c.points;
            continue;
        }
        ASSERT_EQ(paths.size(), 1u) << c.points;
        EXPECT_EQ(CubicPieces(paths[0].path), c.pieces);
        EXPECT_TRUE(paths[0].stroke);
        EXPECT_FALSE(paths[0].fill);
        const QPainterPath& p = paths[0].path;
        EXPECT_EQ(QPointF(p.elementAt(p.elementCount() - 1)),
                  QPointF(100 + 100 * (c.drawn - 1), c.drawn % 2 ? 300 : 100));
    }
}

TEST(BezierDraw, ControlPolygonIsDottedSilverWhenSelectedOrPreviewed) {
    struct TCase {
        bool selected;
        TPenMode mode;
        bool polygon;
    };
    for (const TCase c : {TCase{false, TPenMode::Copy, false},
                          {true, TPenMode::Copy, true},
                          {false, TPenMode::NotXor, true}}) {
        TRecordingSurface s;
        UnitView(s);
        TPen pen;
        pen.mode = c.mode;
        s.SetPen(pen);
        auto b = Curve(Wave(5));
        b->SetSelected(c.selected);
        b->Draw(s);
        const auto lines = s.OfType(TRecordedOp::Type::Polyline);
        ASSERT_EQ(lines.size(), c.polygon ? 1u : 0u);
        if (c.polygon) {
            EXPECT_EQ(lines[0].pen.color, 0xC0C0C0u);
            EXPECT_EQ(lines[0].pen.style, TPenStyle::Dot);
            EXPECT_EQ(lines[0].pen.mode, c.mode);
            EXPECT_EQ(lines[0].points.size(), 5);
        }
        const auto curve = s.OfType(TRecordedOp::Type::Path);
        ASSERT_EQ(curve.size(), 1u);
        EXPECT_EQ(curve[0].pen.color, c.selected ? Shared().SelectionPenColor : 0u);
    }
}

TEST(BezierDraw, StartArrowPointsFromTheFirstHandleToTheFirstPoint) {
    TRecordingSurface s;
    UnitView(s);
    auto b = Curve({{500, 500}, {300, 500}, {300, 300}, {100, 300}, {50, 50}});
    b->StartEnde = kEndArrow;
    b->EndEnde = kEndBar;
    b->Draw(s);
    const auto paths = s.OfType(TRecordedOp::Type::Path);
    ASSERT_EQ(paths.size(), 2u); // the curve, the filled arrow
    const QRectF arrow = paths[1].path.boundingRect();
    EXPECT_EQ(arrow.right(), 500); // the tip is the first point
    EXPECT_LT(arrow.left(), 500);  // the body runs back towards the handle
    EXPECT_NEAR(arrow.center().y(), 500, 1);
    // The end bar sits at the last stored point, past the incomplete piece.
    const auto bars = s.OfType(TRecordedOp::Type::Polyline);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_NEAR(bars[0].points.boundingRect().center().x(), 50, 4);
}

TEST(BezierHit, TheCurveItsEndsButNotItsControlPolygon) {
    struct TCase {
        QPoint at;
        bool hit;
    };
    // One piece from (100, 300) to (400, 300), pulled up to y = 150 at its middle.
    const TCase cases[] = {{{100, 300}, true},  {{250, 150}, true},  {{250, 154}, true},
                           {{250, 160}, false}, {{100, 100}, false}, {{400, 300}, true},
                           {{421, 315}, true},  {{421, 330}, false}, {{250, 300}, false}};
    for (const auto& c : cases) {
        TRecordingSurface s;
        UnitView(s);
        auto b = Curve({{100, 300}, {100, 100}, {400, 100}, {400, 300}});
        b->EndEnde = kEndSquare;
        b->PfeilGroesse = 2;
        b->PenWidth = 4; // the square is 2 * (2 * 4 + 2) across
        b->Punkte.back() = {400, 300};
        b->Punkte.push_back({420, 300}); // surplus: not drawn, but carries the end
        EXPECT_EQ(b->HitTest(s, c.at.x(), c.at.y()), c.hit) << c.at.x() << "," << c.at.y();
    }
}

TEST(BezierBounds, FromTheWidenedCurveOrFromThePoints) {
    Shared().ViewTransform = {1, 1, 0, 0};
    auto b = Curve({{100, 300}, {100, 0}, {400, 0}, {400, 300}});
    const TRechteckF curve = b->GetBounds();
    // The curve peaks at y = 75; widened by the tolerance (3) and half the pen (1) and more.
    EXPECT_NEAR(curve.y1, 75 - 4, 0.5);
    EXPECT_NEAR(curve.x1, 100 - 4, 0.5);
    Shared().BoundsFromPoints = true;
    const TRechteckF points = b->GetBounds();
    Shared().BoundsFromPoints = false;
    EXPECT_EQ(points, (TRechteckF{100, 0, 400, 300}));
}

TEST(BezierDegenerate, NoneOneOrTwoPointsDrawHitAndMeasure) {
    for (size_t n : {0u, 1u, 2u, 3u}) {
        TRecordingSurface s;
        UnitView(s);
        auto b = Curve(Wave(n));
        b->StartEnde = kEndArrow;
        b->EndEnde = kEndCircle;
        b->SetSelected(true);
        b->Draw(s);
        (void)b->HitTest(s, 100, 300);
        (void)b->GetBounds();
        (void)b->GetScreenRect(s);
        TPunkt p{100, 300};
        EXPECT_EQ(b->SnapToPoint(p), n > 0);
        std::vector<TPunkt*> pts;
        b->AddConnectionPoints(pts);
        EXPECT_EQ(pts.size(), std::min<size_t>(n, 2));
    }
}

TEST(BezierTransform, EveryPointMovesTheLineEndsFollow) {
    auto b = Curve(Wave(4));
    b->MirrorH({0, 0});
    EXPECT_EQ(b->Punkte[0], (TPunkt{-100, 300}));
    b->RotateAbout({0, 0}, kPi);
    EXPECT_NEAR(b->Punkte[0].x, 100, 1e-3);
    EXPECT_NEAR(b->Punkte[0].y, -300, 1e-3);
    std::vector<TPunkt*> h;
    b->AddHandles(h);
    EXPECT_EQ(h.size(), 4u);
}

} // namespace
} // namespace torvi
