// Rectangles: rounding from the handle, drawing of sharp and rounded corners, hit areas,
// transforms and both record layouts.
#include "elements/Rechteck.h"
#include "ShapeFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace torvi {
namespace {

using test::ReadAt;
using test::TFixture;
using test::UnitView;
using test::Written;

std::unique_ptr<TRechteck> Rect(TRechteckF r, float rundung = 0, bool filled = false) {
    auto e = std::make_unique<TRechteck>();
    e->SetCorners(r);
    e->Rundung = rundung;
    e->PlaceRundungspunkt();
    e->NoFill = !filled;
    e->PenWidth = 2;
    return e;
}

struct TRundungCase {
    TPunkt handle;
    float expected;
};

TEST(RechteckRundung, FromHandleIsClampedToTheShorterEdgeAndToZero) {
    // 300 x 200 units: the edge from corner 0 to corner 3 runs down the left side.
    const TRundungCase cases[] = {
        {{100, 120}, 40}, {{100, 101.45f}, 2.9f}, {{100, 250}, 200}, {{100, 900}, 200},
        {{100, 50}, 0},   {{100, 100}, 0},        {{160, 120}, 40}, // off the edge: y counts
    };
    for (const auto& c : cases) {
        auto r = Rect({100, 100, 400, 300});
        r->Rundungspunkt = c.handle;
        EXPECT_NEAR(r->RundungFromHandle(), c.expected, 1e-3) << c.handle.x << "," << c.handle.y;
    }
}

TEST(RechteckRundung, HandlesChangedSnapsTheHandleOntoTheEdge) {
    auto r = Rect({100, 100, 400, 300});
    std::vector<TPunkt*> handles;
    r->AddHandles(handles);
    ASSERT_EQ(handles.size(), 1u);
    EXPECT_EQ(*handles[0], (TPunkt{100, 100})); // a new rectangle offers it at corner 0
    *handles[0] = {130, 160};
    r->HandlesChanged();
    EXPECT_FLOAT_EQ(r->Rundung, 120);
    EXPECT_EQ(r->Rundungspunkt, (TPunkt{100, 160}));
}

TEST(RechteckRundung, RotationKeepsCornersExactAndTheRounding) {
    for (double degrees : {30.0, 90.0, 135.0, 200.0, 290.0}) {
        auto r = Rect({100, 100, 400, 300}, 60);
        const auto before = r->Ecken;
        const TPunkt c{250, 200};
        r->RotateAbout(c, degrees * kPi / 180);
        for (int i = 0; i < 4; ++i) {
            const TPunkt want = RotatePoint(before[i], c, degrees);
            EXPECT_NEAR(r->Ecken[i].x, want.x, 1e-3) << degrees;
            EXPECT_NEAR(r->Ecken[i].y, want.y, 1e-3) << degrees;
        }
        EXPECT_NEAR(Distance(r->Ecken[0], r->Ecken[1]), 300, 1e-3);
        EXPECT_NEAR(Distance(r->Ecken[0], r->Ecken[3]), 200, 1e-3);
        EXPECT_NEAR(r->RundungFromHandle(), 60, 1e-2) << degrees;
        r->HandlesChanged();
        EXPECT_NEAR(r->Rundung, 60, 1e-2) << degrees;
    }
}

TEST(RechteckRundung, MirrorAndScaleMoveTheHandleWithTheCorners) {
    auto r = Rect({100, 100, 400, 300}, 60);
    r->MirrorH({250, 0});
    EXPECT_NEAR(r->Rundung, 60, 1e-3);
    r->MirrorV({0, 200});
    EXPECT_NEAR(r->Rundung, 60, 1e-3);
    r->ScaleAbout({100, 100}, 1, 0.5); // the edge from corner 0 to 3 is now 100 long
    EXPECT_NEAR(r->Rundung, 30, 1e-3);
}

TEST(RechteckDraw, SharpBelowThreeUnitsRoundFromThree) {
    struct TCase {
        float rundung;
        TPenEnds ends;
        bool curves;
    };
    for (const TCase c : {TCase{2.9f, TPenEnds::SquareMitre, false}, {3, TPenEnds::Round, true}}) {
        TRecordingSurface s;
        UnitView(s);
        auto r = Rect({100, 100, 400, 300}, c.rundung);
        r->Draw(s);
        ASSERT_EQ(s.ops.size(), 1u);
        EXPECT_EQ(s.ops[0].pen.ends, c.ends) << c.rundung;
        bool hasCurve = false;
        const QPainterPath& p = s.ops[0].path;
        for (int i = 0; i < p.elementCount(); ++i)
            hasCurve |= p.elementAt(i).type == QPainterPath::CurveToElement;
        EXPECT_EQ(hasCurve, c.curves) << c.rundung;
    }
}

TEST(RechteckDraw, RoundedFigureRunsThroughTheEdgeInsets) {
    TRecordingSurface s;
    UnitView(s);
    auto r = Rect({100, 100, 400, 300}, 40);
    r->Draw(s);
    const QRectF box = s.ops.at(0).path.boundingRect();
    EXPECT_EQ(box, QRectF(100, 100, 300, 200));
    EXPECT_EQ(s.ops[0].path.elementAt(0), QPointF(100, 120)); // A0: 20 below corner 0
}

TEST(RechteckHit, OutlineInsideAndTheRoundedCornersCutOff) {
    struct TCase {
        float rundung;
        bool filled;
        QPoint at;
        bool hit;
    };
    const TCase cases[] = {
        {0, false, {100, 200}, true},   {0, false, {103, 200}, true}, // within 3 + 1 units
        {0, false, {106, 200}, false},  {0, false, {250, 200}, false},
        {0, true, {250, 200}, true},    {0, true, {103, 103}, true},
        {100, true, {103, 103}, false}, // the cut-off corner
        {100, true, {107, 107}, false}, {100, true, {160, 160}, true},
        {100, true, {250, 101}, true},  {100, false, {250, 200}, false},
        {0, true, {420, 200}, false},
    };
    for (const auto& c : cases) {
        TRecordingSurface s;
        UnitView(s);
        auto r = Rect({100, 100, 400, 300}, c.rundung, c.filled);
        EXPECT_EQ(r->HitTest(s, c.at.x(), c.at.y()), c.hit)
            << c.rundung << " " << c.filled << " " << c.at.x() << "," << c.at.y();
    }
}

TEST(RechteckHit, RotatedRectangleIsHitAlongItsTurnedEdges) {
    TRecordingSurface s;
    UnitView(s);
    auto r = Rect({100, 100, 400, 300}, 0, true);
    r->RotateAbout({250, 200}, 45 * kPi / 180);
    const TPunkt mid = Midpoint(r->Ecken[0], r->Ecken[1]);
    EXPECT_TRUE(r->HitTest(s, int(mid.x), int(mid.y)));
    EXPECT_TRUE(r->HitTest(s, 250, 200));
    EXPECT_FALSE(r->HitTest(s, 105, 105)); // the old corner is outside once turned
}

QByteArray RecordV63(float handleY) {
    TFixture f;
    f.Byte(2).Common(false, 4, 0x0000FF, 0x00FF00, 2);
    f.Floats({100, 100, 400, 100, 400, 301, 100, 301}).Floats({100, handleY});
    return f.Bytes();
}

TEST(RechteckRecord, CurrentLayoutReadsAndWritesBackUnchanged) {
    const QByteArray bytes = RecordV63(120);
    ASSERT_EQ(bytes.size(), 1 + 23 + 40);
    auto e = ReadAt(bytes, 63);
    auto* r = dynamic_cast<TRechteck*>(e.get());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Ecken[2], (TPunkt{400, 301}));
    EXPECT_FLOAT_EQ(r->Rundung, 40);
    EXPECT_EQ(r->PenWidth, 4);
    EXPECT_EQ(r->FillStyle, 2);
    EXPECT_FALSE(r->NoFill);
    EXPECT_EQ(Written(*r), bytes);
}

TEST(RechteckRecord, OldLayoutBecomesTheCurrentRectangle) {
    // An unnormalised box in fractional units and the diameter itself.
    TFixture old;
    old.Byte(2).Common(false, 4, 0x0000FF, 0x00FF00, 2).Floats({400.4f, 300.6f, 100.2f, 100});
    old.Float(40);
    auto e = ReadAt(old.Bytes(), 59);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(Written(*e), RecordV63(120));
}

TEST(RechteckRecord, OldDiameterBeyondTheShorterEdgeIsClamped) {
    for (float stored : {1000.0f, -5.0f, std::nanf("")}) {
        TFixture old;
        old.Byte(2).Common(true, 2, 0, 0xFFFFFF, 0).Floats({0, 0, 300, 200}).Float(stored);
        auto e = ReadAt(old.Bytes(), 59);
        auto* r = dynamic_cast<TRechteck*>(e.get());
        ASSERT_NE(r, nullptr);
        EXPECT_FLOAT_EQ(r->Rundung, stored > 0 ? 200 : 0) << stored;
        EXPECT_NEAR(r->Rundungspunkt.x, 0, 1e-6) << stored;
        EXPECT_FLOAT_EQ(r->Rundungspunkt.y, r->Rundung / 2) << stored;
    }
}

} // namespace
} // namespace torvi
