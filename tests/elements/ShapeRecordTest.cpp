// Circle and Bezier records of both layouts, the list reader dropping empty circles, and
// malformed records of every shape kind failing with a read error.
#include "ShapeFixtures.h"
#include "elements/Bezier.h"
#include "elements/Kreis.h"
#include "elements/Rechteck.h"

#include <gtest/gtest.h>

#include <climits>

namespace torvi {
namespace {

using test::ReadAt;
using test::TFixture;
using test::Written;

// A circle of four control points (a diamond around (100, 100)) opened into a half.
QByteArray KreisV63(int32_t countMinusOne = 3) {
    TFixture f;
    f.Byte(1).Common(false, 3, 0x102030, 0x00FFFF, 4).Int32(countMinusOne);
    f.Floats({150, 100, 100, 50, 50, 100, 100, 150}).Floats({100, 100}).Float(0).Float(3.14159f);
    return f.Bytes();
}

QByteArray KreisV59(std::initializer_list<float> box) {
    TFixture f;
    f.Byte(1).Common(true, 2, 0, 0xFFFFFF, 0).Floats(box).Float(0.5f).Float(2.5f);
    return f.Bytes();
}

QByteArray BezierRecord(int32_t countMinusOne, int points) {
    TFixture f;
    f.Byte(12).Common(true, 6, 0x0000C0, 0xFFFFFF, 0).Int32(countMinusOne);
    for (int i = 0; i < points; ++i) f.Float(10.f * i).Float(i % 2 ? 5.f : 40.f);
    f.Int32(0x00FF00).Byte(1).Byte(2).Byte(5).Int32(1);
    return f.Bytes();
}

TEST(KreisRecord, CurrentLayoutReadsAndWritesBackUnchanged) {
    const QByteArray bytes = KreisV63();
    auto e = ReadAt(bytes, 63);
    auto* k = dynamic_cast<TKreis*>(e.get());
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->Punkte.size(), 4u);
    EXPECT_EQ(k->FillStyle, 4);
    // The handles are placed on the control polygon from the stored angles.
    EXPECT_NEAR(k->Bogenanfang.x, 150, 1e-3);
    EXPECT_NEAR(k->Bogenende.x, 50, 1e-2);
    EXPECT_NEAR(k->Bogenende.y, 100, 1e-2);
    EXPECT_FALSE(k->IsFullEllipse());
    EXPECT_EQ(Written(*k), bytes);
}

TEST(KreisRecord, OldLayoutBecomesTheEllipseOfItsNormalisedWholeUnitBox) {
    // Stored right to left and bottom to top, in fractions of a unit.
    auto e = ReadAt(KreisV59({200.4f, 150, 0, 50.6f}), 59);
    auto* k = dynamic_cast<TKreis*>(e.get());
    ASSERT_NE(k, nullptr);
    ASSERT_EQ(k->Punkte.size(), 32u);
    EXPECT_NEAR(k->Mitte.x, 100, 1e-3);
    EXPECT_NEAR(k->Mitte.y, 100.5, 1e-3);
    // The arc from 0.5 to 2.5 rad holds the top of the ellipse and stays above its centre.
    EXPECT_NEAR(k->GetBounds().y1, 51, 0.5);
    EXPECT_LT(k->GetBounds().y2, 100);
    TKreis expected;
    expected.NoFill = true;
    expected.PenWidth = 2;
    expected.BuildEllipse(0, 51, 200, 150);
    expected.Startwinkel = 0.5f;
    expected.Endwinkel = 2.5f;
    EXPECT_EQ(Written(*k), Written(expected));
}

TEST(KreisRecord, CircleWithoutControlPointsIsDroppedByTheListReader) {
    TFixture empty63, rect63, rect59;
    empty63.Byte(1).Common(true, 2, 0, 0, 0).Int32(-1).Floats({1, 2, 0, 0});
    rect63.Byte(2).Common(true, 2, 0, 0, 0).Floats({0, 0, 10, 0, 10, 10, 0, 10, 0, 0});
    rect59.Byte(2).Common(true, 2, 0, 0, 0).Floats({0, 0, 10, 10, 0});
    const std::pair<QByteArray, int32_t> cases[] = {
        {empty63.Bytes() + rect63.Bytes(), 63},
        {KreisV59({10, 10, 10, 90}) + rect59.Bytes(), 59}, // no width: no ellipse
    };
    for (const auto& [records, version] : cases) {
        const QByteArray bytes = TFixture().Int32(1).Bytes() + records;
        TReadVersionScope scope(version);
        TByteReader r(bytes);
        TElementList out;
        ReadElementList(r, out);
        ASSERT_EQ(out.size(), 1u) << version;
        EXPECT_EQ(out[0]->Kind, ElementKind::Rechteck);
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(BezierRecord, ReadsAndWritesBackUnchangedWithAnyNumberOfPoints) {
    for (int points : {0, 1, 2, 4, 5, 7}) {
        const QByteArray bytes = BezierRecord(points - 1, points);
        auto e = ReadAt(bytes, 63);
        auto* b = dynamic_cast<TBezier*>(e.get());
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->Punkte.size(), size_t(points));
        EXPECT_EQ(b->Farbe2, 0x00FF00u);
        EXPECT_TRUE(b->Zweifarbig);
        EXPECT_EQ(b->StartEnde, 2);
        EXPECT_EQ(b->EndEnde, 5);
        EXPECT_EQ(b->PfeilGroesse, 1);
        EXPECT_EQ(Written(*b), bytes);
        // The same record at an old version: the layout has no variants.
        EXPECT_EQ(Written(*ReadAt(bytes, 40)), bytes);
    }
}

struct TRecordCase {
    const char* name;
    QByteArray bytes;
    int32_t version;
};

std::vector<TRecordCase> AllRecords() {
    TFixture rect63, rect59;
    rect63.Byte(2).Common(false, 4, 0, 0, 0).Floats({0, 0, 9, 0, 9, 9, 0, 9, 0, 2});
    rect59.Byte(2).Common(false, 4, 0, 0, 0).Floats({0, 0, 9, 9}).Float(4);
    return {{"rect63", rect63.Bytes(), 63},
            {"rect59", rect59.Bytes(), 59},
            {"kreis63", KreisV63(), 63},
            {"kreis59", KreisV59({0, 0, 9, 9}), 59},
            {"bezier", BezierRecord(4, 5), 63}};
}

TEST(ShapeRecord, TruncatedAtEveryOffsetFailsWithAReadError) {
    for (const auto& c : AllRecords()) {
        ASSERT_NO_THROW(ReadAt(c.bytes, c.version)) << c.name;
        for (qsizetype cut = 0; cut < c.bytes.size(); ++cut)
            EXPECT_THROW(ReadAt(c.bytes.left(cut), c.version), TReadError) << c.name << " " << cut;
    }
}

TEST(ShapeRecord, NegativeAndHugeCountsFailWithAReadError) {
    for (int32_t count : {-2, INT_MIN, 5, 6, 1000, INT_MAX}) {
        EXPECT_THROW(ReadAt(KreisV63(count), 63), TReadError) << count;
        EXPECT_THROW(ReadAt(BezierRecord(count, 5), 63), TReadError) << count;
    }
}

TEST(ShapeRecord, NonFiniteCoordinatesReadDrawAndWriteBack) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
    TFixture rect, kreis, kreisOld;
    rect.Byte(2).Common(false, 4, 0, 0, 0).Floats({nan, 0, inf, 0, 9, -inf, 0, 9, nan, nan});
    kreis.Byte(1).Common(false, 2, 0, 0, 0).Int32(1).Floats({nan, 1, inf, 2, 0, 0, nan, 1});
    kreisOld.Byte(1).Common(false, 2, 0, 0, 0).Floats({-inf, 0, inf, nan, nan, 1});
    for (const auto& [bytes, version] : {std::pair{rect.Bytes(), 63}, std::pair{kreis.Bytes(), 63},
                                         std::pair{kreisOld.Bytes(), 59}}) {
        TElementPtr e = ReadAt(bytes, version);
        if (!e) continue; // an old circle of no size is dropped
        TRecordingSurface s;
        test::UnitView(s);
        e->Draw(s);
        (void)e->HitTest(s, 1, 1);
        (void)e->GetBounds();
        std::vector<TPunkt*> h;
        e->AddHandles(h);
        EXPECT_EQ(Written(*e).size(), bytes.size());
    }
}

} // namespace
} // namespace torvi
