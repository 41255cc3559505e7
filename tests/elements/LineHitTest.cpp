// Hit tests of lines, polygons and line ends at an editor zoom.
#include "elements/ElementGeometry.h"
#include "elements/LineEnd.h"
#include "elements/Polygon.h"
#include "elements/Polyline.h"
#include "surface/RecordingSurface.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

// The editor maps units to pixels with the zoom; the view transform is the same mapping.
class LineHit : public ::testing::Test {
protected:
    void SetUp() override {
        s.SetMapping({zoom, zoom, 0, 0});
        Shared().ViewTransform = {zoom, zoom, 0, 0};
    }
    void TearDown() override { Shared().ViewTransform = {}; }
    // Device pixel of a page point.
    QPoint Px(double x, double y) const { return QPoint(int(x * zoom), int(y * zoom)); }
    bool Hit(TElement& e, double x, double y) {
        const QPoint p = Px(x, y);
        return e.HitTest(s, p.x(), p.y());
    }

    const double zoom = 0.5;
    TRecordingSurface s;
};

TEST_F(LineHit, OnNearAndOffThinAndWideLines) {
    // At zoom 0.5 the tolerance is 2 pixels = 4 units, plus one unit: 5 units.
    ASSERT_EQ(HitTolerance(s, false), 5);
    const struct {
        int32_t width;
        double offset; // distance from the line, units
        bool hit;
    } cases[] = {
        {2, 0, true},   {2, 4, true},    {2, 12, false},   {40, 0, true},
        {40, 20, true}, {40, 30, false}, {40, -30, false},
    };
    for (const auto& c : cases) {
        TPolyline l;
        l.Punkte = {{100, 100}, {500, 100}, {500, 400}};
        l.PenWidth = c.width;
        EXPECT_EQ(Hit(l, 300, 100 + c.offset), c.hit) << c.width << " " << c.offset;
        // Same on the vertical segment.
        EXPECT_EQ(Hit(l, 500 + c.offset, 250), c.hit) << c.width << " " << c.offset;
    }
}

TEST_F(LineHit, DiagonalSegmentsAreHitAlongTheirLength) {
    TPolyline l;
    l.Punkte = {{0, 0}, {400, 400}};
    EXPECT_TRUE(Hit(l, 200, 200));
    EXPECT_TRUE(Hit(l, 202, 198));
    EXPECT_FALSE(Hit(l, 250, 150));
    TPolyline rising;
    rising.Punkte = {{0, 400}, {400, 0}};
    EXPECT_TRUE(Hit(rising, 200, 200));
    EXPECT_FALSE(Hit(rising, 150, 150));
}

TEST_F(LineHit, FilledPolygonsAreHitInsideOutlinedOnlyOnTheEdge) {
    TPolygon p;
    p.Punkte = {{100, 100}, {500, 100}, {500, 500}, {100, 500}};
    EXPECT_FALSE(Hit(p, 300, 300));
    EXPECT_TRUE(Hit(p, 300, 102));
    EXPECT_TRUE(Hit(p, 100, 300)); // the closing edge counts
    p.NoFill = false;
    EXPECT_TRUE(Hit(p, 300, 300));
    EXPECT_FALSE(Hit(p, 600, 300));
    EXPECT_FALSE(Hit(p, 300, 50));
}

TEST_F(LineHit, ArrowheadsAreHitBeyondTheLineTolerance) {
    TPolyline l;
    l.Punkte = {{100, 300}, {600, 300}};
    l.PenWidth = 4;
    l.PfeilGroesse = 2;
    // Near the end, well off the line but within the large arrowhead.
    EXPECT_FALSE(Hit(l, 590, 320));
    l.EndEnde = kEndArrow;
    EXPECT_TRUE(Hit(l, 590, 320));
    // The bounds grow by the line end too.
    EXPECT_GT(l.GetBounds().y2, 320);
}

TEST_F(LineHit, SegmentAtFindsTheSegmentUnderThePointer) {
    TPolyline two;
    two.Punkte = {{0, 0}, {400, 0}};
    EXPECT_EQ(two.SegmentAt(s, Px(200, 0)), -1); // two points: no segment to split
    TPolyline three;
    three.Punkte = {{0, 0}, {400, 0}, {400, 400}};
    EXPECT_EQ(three.SegmentAt(s, Px(200, 0)), 0);
    EXPECT_EQ(three.SegmentAt(s, Px(400, 200)), 1);
    EXPECT_EQ(three.SegmentAt(s, Px(200, 200)), -1);
    TPolygon tri;
    tri.Punkte = {{0, 0}, {400, 0}, {400, 400}};
    EXPECT_EQ(tri.SegmentAt(s, Px(200, 200)), 2); // the closing edge has the last index
}

TEST_F(LineHit, SnappingInsideAComponentOnlyUsesTheEnds) {
    TPolyline l;
    l.Punkte = {{0, 0}, {100, 0}, {200, 0}};
    TPunkt p{101, 1};
    EXPECT_TRUE(l.SnapToPoint(p));
    EXPECT_EQ(p, (TPunkt{100, 0}));
    Shared().InComponentSnap = true;
    TPunkt q{101, 1};
    EXPECT_FALSE(l.SnapToPoint(q));
    TPunkt end{199, 2};
    EXPECT_TRUE(l.SnapToPoint(end));
    Shared().InComponentSnap = false;
    EXPECT_EQ(end, (TPunkt{200, 0}));
}

} // namespace
} // namespace torvi
