// Records of polylines, polygons and old straight lines, of every version, from hand-written
// bytes; and lists that are damaged in every way a file can be.
#include "RecordBytes.h"
#include "elements/ElementList.h"
#include "elements/Linie.h"
#include "elements/Polygon.h"
#include "elements/Polyline.h"
#include "surface/RecordingSurface.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

using test::RecordBytes;

TElementPtr ReadOne(const QByteArray& bytes, int version) {
    TReadVersionScope v(version);
    TByteReader r(bytes);
    TElementPtr e = ReadElement(r);
    EXPECT_TRUE(r.AtEnd()) << "record not consumed to its end";
    return e;
}

QByteArray WriteOne(const TElement& e) {
    TByteWriter w;
    WriteElement(w, e);
    return w.Data();
}

// A polyline of version 63: kind, common part, points, second colour, two-colour, ends, size.
QByteArray Polyline63() {
    return RecordBytes()
        .u8(4)
        .common(false, true, 6, 0x0000FF, 3, 0xFFFFFF, 0, true)
        .i32(2)
        .pt(10.25f, 20)
        .pt(30, 40.5f)
        .pt(-5, 7)
        .i32(0x00FF00)
        .u8(1)
        .u8(2)
        .u8(9)
        .i32(2);
}

TEST(LineRecords, Polyline63ReadsEveryFieldAndWritesBackByteForByte) {
    const QByteArray bytes = Polyline63();
    auto e = ReadOne(bytes, 63);
    auto* l = dynamic_cast<TPolyline*>(e.get());
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->PenWidth, 6);
    EXPECT_EQ(l->PenColor, 0x0000FFu);
    EXPECT_EQ(l->LineStyle, 3);
    EXPECT_TRUE(l->FormLayer);
    ASSERT_EQ(l->Punkte.size(), 3u);
    EXPECT_EQ(l->Punkte[0], (TPunkt{10.25f, 20}));
    EXPECT_EQ(l->Punkte[2], (TPunkt{-5, 7}));
    EXPECT_EQ(l->Farbe2, 0x00FF00u);
    EXPECT_TRUE(l->Zweifarbig);
    EXPECT_EQ(l->StartEnde, 2);
    EXPECT_EQ(l->EndEnde, 9);
    EXPECT_EQ(l->PfeilGroesse, 2);
    EXPECT_EQ(WriteOne(*l), bytes);
}

TEST(LineRecords, OlderPolylinesGetTheDefaultsOfTheirTime) {
    // Version 55: second colour and two-colour stored, no line ends yet.
    const QByteArray v55 = RecordBytes()
                               .u8(4)
                               .common(false, true, 2, 0, 1, 0xFFFFFF, 0, false)
                               .i32(1)
                               .pt(10.5f, 11.5f)
                               .pt(20.4f, -3.6f)
                               .i32(0x123456)
                               .u8(1);
    // Version 49: neither.
    const QByteArray v49 = RecordBytes()
                               .u8(4)
                               .common(false, true, 2, 0, 0, 0xFFFFFF, 0, false)
                               .i32(1)
                               .pt(2.5f, 3.5f)
                               .pt(4, 5);
    auto a = ReadOne(v55, 55);
    auto* l55 = dynamic_cast<TPolyline*>(a.get());
    ASSERT_NE(l55, nullptr);
    EXPECT_EQ(l55->Punkte[0], (TPunkt{10, 12})); // ties to even
    EXPECT_EQ(l55->Punkte[1], (TPunkt{20, -4}));
    EXPECT_EQ(l55->Farbe2, 0x123456u);
    EXPECT_TRUE(l55->Zweifarbig);
    EXPECT_EQ(l55->StartEnde, 0);
    EXPECT_EQ(l55->EndEnde, 0);
    EXPECT_EQ(l55->PfeilGroesse, 1);

    auto b = ReadOne(v49, 49);
    auto* l49 = dynamic_cast<TPolyline*>(b.get());
    ASSERT_NE(l49, nullptr);
    EXPECT_EQ(l49->Punkte[0], (TPunkt{2, 4}));
    EXPECT_EQ(l49->Farbe2, 255u);
    EXPECT_FALSE(l49->Zweifarbig);
    EXPECT_EQ(l49->PfeilGroesse, 1);
    // Written again it is a version-63 record with all fields.
    EXPECT_EQ(WriteOne(*l49).size(), 1 + 23 + 4 + 16 + 4 + 1 + 1 + 1 + 4);
}

TEST(LineRecords, PolygonRoundsBeforeVersion60AndRoundTripsAt63) {
    const QByteArray bytes = RecordBytes()
                                 .u8(5)
                                 .common(true, false, 4, 0x10, 0, 0x808080, 6, false)
                                 .i32(2)
                                 .pt(0.5f, 1.5f)
                                 .pt(100.25f, 0)
                                 .pt(50, 80.75f);
    auto e63 = ReadOne(bytes, 63);
    auto* p = dynamic_cast<TPolygon*>(e63.get());
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->NoLine);
    EXPECT_FALSE(p->NoFill);
    EXPECT_EQ(p->FillColor, 0x808080u);
    EXPECT_EQ(p->FillStyle, 6);
    EXPECT_EQ(p->Punkte[1], (TPunkt{100.25f, 0}));
    EXPECT_EQ(WriteOne(*p), bytes);

    auto e59 = ReadOne(bytes, 59);
    auto* old = dynamic_cast<TPolygon*>(e59.get());
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->Punkte[0], (TPunkt{0, 2}));
    EXPECT_EQ(old->Punkte[1], (TPunkt{100, 0}));
    EXPECT_EQ(old->Punkte[2], (TPunkt{50, 81}));
}

TEST(LineRecords, OldStraightLineBecomesAPolylineKeepingItsLook) {
    Shared().LineDefaults.twoColour = true; // the conversion takes these from the defaults
    Shared().LineDefaults.color2 = 0x00AA00;
    const QByteArray bytes = RecordBytes()
                                 .i32(0) // a list of one element
                                 .u8(0)
                                 .common(false, true, 8, 0x4080C0, 2, 0xFFFFFF, 0, true)
                                 .pt(1.4f, 2.6f)
                                 .pt(300, 400);
    TElementList list;
    TReadVersionScope v(45);
    TByteReader r(bytes);
    ReadElementList(r, list);
    Shared().LineDefaults = TLineDefaults{};
    ASSERT_EQ(list.size(), 1u);
    auto* l = dynamic_cast<TPolyline*>(list[0].get());
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Kind, ElementKind::Polyline);
    EXPECT_EQ(l->Punkte, (std::vector<TPunkt>{{1, 3}, {300, 400}}));
    EXPECT_EQ(l->PenWidth, 8);
    EXPECT_EQ(l->PenColor, 0x4080C0u);
    EXPECT_EQ(l->LineStyle, 2);
    EXPECT_TRUE(l->FormLayer);
    EXPECT_EQ(l->StartEnde, 0);
    EXPECT_EQ(l->EndEnde, 0);
    EXPECT_EQ(l->PfeilGroesse, 1);
    EXPECT_TRUE(l->Zweifarbig);
    EXPECT_EQ(l->Farbe2, 0x00AA00u);
}

TEST(LineRecords, NegativeColoursReadAsBlack) {
    const QByteArray bytes =
        RecordBytes().u8(5).common(false, false, 2, -16777201, 0, -5, 0, false).i32(-1);
    auto e = ReadOne(bytes, 63);
    EXPECT_EQ(e->PenColor, 0u);
    EXPECT_EQ(e->FillColor, 0u);
}

TEST(LineRecords, DegeneratePolylinesReadDrawHitAndWrite) {
    for (int points : {0, 1}) {
        RecordBytes b;
        b.u8(4).common(false, true, 2, 0, 2, 0xFFFFFF, 0, false).i32(points - 1);
        for (int i = 0; i < points; ++i) b.pt(5, 5);
        b.i32(255).u8(1).u8(2).u8(5).i32(1);
        auto e = ReadOne(b, 63);
        ASSERT_NE(e, nullptr);
        TRecordingSurface s;
        e->Draw(s);
        EXPECT_FALSE(e->HitTest(s, 100, 100));
        (void)e->GetBounds();
        EXPECT_EQ(e->SegmentAt(s, QPoint(5, 5)), -1);
        EXPECT_EQ(WriteOne(*e), b.data()) << points << " points";
    }
}

// A list of three elements of this kinds, used to damage it in every way.
QByteArray ThreeElementList() {
    return RecordBytes()
        .i32(2)
        .bytes(Polyline63())
        .u8(5)
        .common(false, false, 2, 0, 0, 0xFF, 0, false)
        .i32(0)
        .pt(1, 2)
        .u8(0)
        .common(false, true, 2, 0, 0, 0xFFFFFF, 0, false)
        .pt(0, 0)
        .pt(1, 1);
}

TEST(ListRecords, TruncationAtEveryOffsetIsAReadError) {
    const QByteArray full = ThreeElementList();
    {
        TElementList list;
        TByteReader r(full);
        ReadElementList(r, list);
        EXPECT_EQ(list.size(), 3u);
        EXPECT_TRUE(r.AtEnd());
    }
    for (qsizetype cut = 0; cut < full.size(); ++cut) {
        TElementList list;
        const QByteArray part = full.left(cut);
        TByteReader r(part);
        EXPECT_THROW(ReadElementList(r, list), TReadError) << "cut at " << cut;
    }
}

TEST(ListRecords, ImpossibleCountsAndUnknownKindsAreReadErrors) {
    const struct {
        const char* name;
        QByteArray bytes;
        qint64 offset;
    } cases[] = {
        {"huge element count", RecordBytes().i32(0x7FFFFFFE).u8(4), 0},
        {"negative element count", RecordBytes().i32(-7), 0},
        {"unknown kind", RecordBytes().i32(0).u8(13).zeros(30), 4},
        {"kind 127", RecordBytes().i32(0).u8(0xFF).zeros(30), 4},
        {"huge point count",
         RecordBytes().i32(0).u8(4).common(false, true, 2, 0, 0, 0, 0, false).i32(0x10000000), 28},
        {"negative point count",
         RecordBytes().i32(0).u8(5).common(false, true, 2, 0, 0, 0, 0, false).i32(-2), 28},
    };
    for (const auto& c : cases) {
        TElementList list;
        TByteReader r(c.bytes);
        try {
            ReadElementList(r, list);
            ADD_FAILURE() << c.name << ": read without error";
        } catch (const TReadError& e) {
            EXPECT_EQ(e.Offset(), c.offset) << c.name << ": " << e.what();
        }
    }
}

TEST(ListRecords, SubsetWriteCountsOnlyTheKeptElements) {
    TElementList list;
    for (int i = 0; i < 3; ++i) {
        auto p = std::make_unique<TPolygon>();
        p->Punkte = {{float(i), 0}};
        p->Selected = i != 1;
        list.push_back(std::move(p));
    }
    TByteWriter w;
    WriteElementList(w, list, [](const TElement& e) { return e.Selected; });
    TElementList back;
    TByteReader r(w.Data());
    ReadElementList(r, back);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1]->Points()[0].x, 2);
}

} // namespace
} // namespace torvi
