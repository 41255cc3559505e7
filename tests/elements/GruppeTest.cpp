// Groups: the nested record, the layer taken from the last member, the reference point, member
// hits, contact collection, forwarding, empty groups and damaged lists.
#include "elements/Gruppe.h"
#include "elements/Loetpunkt.h"
#include "elements/Polyline.h"
#include "support/Records.h"
#include "surface/RecordingSurface.h"

#include <gtest/gtest.h>

using namespace torvi;
using namespace torvi::test;

namespace {

// Stands in for a component contact: only its kind matters to groups.
class TFakeKontakt : public TElement {
public:
    explicit TFakeKontakt(TPunkt p) : TElement(ElementKind::Kontakt), at(p) {}
    TPunkt at;
    TRegion HitRegion(TSurface& s, bool) override { return SquareAt(s, at, 2); }
    void Draw(TSurface&) override {}
    void Save(TByteWriter&) const override {}
    void Load(TByteReader&) override {}
    std::span<TPunkt> Points() override { return {&at, 1}; }
};

TBytes& Dot(TBytes& t, float x, float y, bool formLayer = false) {
    t.U8(8);
    return CommonPart(t, true, false, 2, 0, 0, formLayer).F32(x).F32(y);
}

std::unique_ptr<TLoetpunkt> DotAt(TPunkt p) {
    auto d = std::make_unique<TLoetpunkt>();
    d->Mittelpunkt = p;
    return d;
}

std::unique_ptr<TGruppe> GroupOf(std::vector<TElementPtr> members) {
    auto g = std::make_unique<TGruppe>();
    for (auto& m : members) g->Add(std::move(m));
    return g;
}

template <typename... T> std::vector<TElementPtr> Members(std::unique_ptr<T>... e) {
    std::vector<TElementPtr> v;
    (v.push_back(std::move(e)), ...);
    return v;
}

// count nested groups around one dot.
QByteArray Nested(int depth) {
    TBytes t;
    for (int i = 0; i < depth; ++i) t.U8(6).I32(0);
    Dot(t, 1, 2);
    return t.b;
}

} // namespace

TEST(GruppeRecord, GroupInsideAGroupReadsAndWritesBackByteForByte) {
    TBytes t;
    t.U8(6).I32(1); // two members
    Dot(t, 10, 20);
    t.U8(6).I32(0); // a group of one
    Dot(t, 30, 40);
    TElementPtr e = ReadOne(t.b);
    ASSERT_TRUE(e);
    auto& g = static_cast<TGruppe&>(*e);
    ASSERT_EQ(g.Mitglieder.size(), 2u);
    EXPECT_EQ(g.Mitglieder[0]->Kind, ElementKind::Loetpunkt);
    ASSERT_EQ(g.Mitglieder[1]->Kind, ElementKind::Gruppe);
    const auto& inner = static_cast<TGruppe&>(*g.Mitglieder[1]);
    ASSERT_EQ(inner.Mitglieder.size(), 1u);
    EXPECT_EQ(static_cast<TLoetpunkt&>(*inner.Mitglieder[0]).Mittelpunkt, (TPunkt{30, 40}));
    EXPECT_EQ(WriteOne(g), t.b);
}

TEST(GruppeRecord, TheLastMemberDecidesTheLayerOfAll) {
    for (bool last : {false, true}) {
        TBytes t;
        t.U8(6).I32(2);
        Dot(t, 1, 1, !last);
        Dot(t, 2, 2, !last);
        Dot(t, 3, 3, last);
        TElementPtr e = ReadOne(t.b);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->FormLayer, last);
        for (const auto& m : static_cast<TGruppe&>(*e).Mitglieder) EXPECT_EQ(m->FormLayer, last);
    }
}

TEST(GruppeRecord, DamagedAndTooDeeplyNestedListsAreReadErrors) {
    EXPECT_NO_THROW(ReadOne(Nested(kMaxListNesting)));
    struct Case {
        const char* name;
        QByteArray record;
    };
    TBytes manyClaimed;
    manyClaimed.U8(6).I32(1000000);
    Dot(manyClaimed, 0, 0);
    TBytes negative;
    negative.U8(6).I32(-2);
    TBytes hugeNegative;
    hugeNegative.U8(6).I32(INT32_MIN);
    TBytes unknownKind;
    unknownKind.U8(6).I32(0).U8(13).Raw(QByteArray(40, '\0'));
    const Case cases[] = {
        {"nested one level too deep", Nested(kMaxListNesting + 1)},
        {"nested far too deep", Nested(5000)},
        {"count beyond the data", manyClaimed.b},
        {"count below -1", negative.b},
        {"count of int32 minimum", hugeNegative.b},
        {"member cut off", Nested(3).chopped(4)},
        {"unknown member kind", unknownKind.b},
        {"count cut off", QByteArray("\x06\x01\x00", 3)},
    };
    for (const Case& c : cases) {
        TByteReader r(c.record);
        EXPECT_THROW(ReadElement(r, {}), TReadError) << c.name;
    }
}

TEST(GruppeRecord, EmptyGroupReadsAndWritesBack) {
    const QByteArray record = TBytes{}.U8(6).I32(-1).b;
    TElementPtr e = ReadOne(record);
    ASSERT_TRUE(e);
    EXPECT_TRUE(static_cast<TGruppe&>(*e).Mitglieder.empty());
    EXPECT_EQ(WriteOne(*e), record);
}

TEST(Gruppe, EmptyGroupHasNoBoundsAndNoHit) {
    TGruppe empty;
    TRecordingSurface s;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.GetBounds(), TRechteckF{});
    EXPECT_EQ(empty.GetScreenRect(s), TRechteckI{});
    EXPECT_TRUE(empty.HitRegion(s, true).IsEmpty());
    EXPECT_FALSE(empty.HitTest(s, 0, 0));
    EXPECT_EQ(empty.GetRefPoint(), TPunkt{});

    // An empty group inside another does not pull the bounds to the origin.
    auto outer = GroupOf(Members(std::make_unique<TGruppe>(), DotAt({100, 100})));
    EXPECT_EQ(outer->GetBounds(), (TRechteckF{94, 94, 106, 106}));
    EXPECT_EQ(outer->GetRefPoint(), (TPunkt{100, 100}));
    EXPECT_FALSE(outer->IsEmpty());
}

TEST(Gruppe, ReferencePointTakesTheCombinedTest) {
    struct Case {
        const char* name;
        std::vector<TPunkt> dots;
        TPunkt expected;
    };
    const Case cases[] = {
        {"right and above is not taken", {{0, 10}, {5, 0}}, {0, 10}},
        {"same x and above is taken", {{5, 10}, {5, 0}}, {5, 0}},
        {"left at the same height is not taken", {{5, 0}, {0, 0}}, {5, 0}},
        {"left and above is taken", {{5, 10}, {4, 9}, {0, 20}}, {4, 9}},
    };
    for (const Case& c : cases) {
        TGruppe g;
        for (TPunkt p : c.dots) g.Add(DotAt(p));
        EXPECT_EQ(g.GetRefPoint(), c.expected) << c.name;
        EXPECT_EQ(GroupRef(g), c.expected) << c.name;
    }
}

TEST(Gruppe, ContactsDoNotMoveTheReferencePoint) {
    auto g = GroupOf(Members(std::make_unique<TFakeKontakt>(TPunkt{-50, -50}), DotAt({10, 10})));
    EXPECT_EQ(GroupRef(*g), (TPunkt{10, 10}));
    EXPECT_EQ(GroupRef(*g, true), (TPunkt{-50, -50}));

    // Only contacts: the corner of their bounds, not an undefined point.
    auto pins = GroupOf(Members(std::make_unique<TFakeKontakt>(TPunkt{30, 5}),
                                std::make_unique<TFakeKontakt>(TPunkt{10, 25})));
    EXPECT_EQ(GroupRef(*pins), (TPunkt{10, 5}));
}

TEST(Gruppe, CollectContactsDescendsIntoNestedGroups) {
    auto inner = GroupOf(Members(std::make_unique<TFakeKontakt>(TPunkt{2, 2}), DotAt({0, 0})));
    TElement* innerContact = inner->Mitglieder[0].get();
    TElementList list;
    list.push_back(std::make_unique<TFakeKontakt>(TPunkt{1, 1}));
    TElement* outerContact = list[0].get();
    list.push_back(std::move(inner));
    list.push_back(DotAt({5, 5}));
    const std::vector<TElement*> found = CollectContacts(list);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], outerContact);
    EXPECT_EQ(found[1], innerContact);
    EXPECT_TRUE(CollectContacts({}).empty());
}

TEST(Gruppe, HitMemberFindsTheElementInsideNestedGroups) {
    auto far = DotAt({500, 500});
    auto target = DotAt({100, 100});
    TElement* hit = target.get();
    auto nested = GroupOf(Members(DotAt({300, 300}), std::move(target)));
    auto g = GroupOf(Members(std::move(far), std::move(nested), DotAt({100, 100})));
    TRecordingSurface s;
    EXPECT_EQ(HitMember(*g, s, 100, 100), hit); // the nested one comes first in list order
    EXPECT_EQ(HitMember(*g, s, 500, 500), g->Mitglieder[0].get());
    EXPECT_EQ(HitMember(*g, s, 900, 900), nullptr);
    EXPECT_TRUE(g->HitTest(s, 300, 300));
    EXPECT_FALSE(g->HitTest(s, 900, 900));
    TGruppe empty;
    EXPECT_EQ(HitMember(empty, s, 0, 0), nullptr);
}

TEST(Gruppe, OperationsReachEveryMember) {
    auto line = std::make_unique<TPolyline>();
    line->Punkte = {{0, 0}, {100, 0}};
    line->PenColor = 0x123456;
    TPolyline* l = line.get();
    auto dotInner = DotAt({50, 50});
    TLoetpunkt* d = dotInner.get();
    auto g = GroupOf(Members(std::move(line), GroupOf(Members(std::move(dotInner)))));

    g->MoveBy({10, 5});
    EXPECT_EQ(l->Punkte[0], (TPunkt{10, 5}));
    EXPECT_EQ(d->Mittelpunkt, (TPunkt{60, 55}));
    g->MirrorV({0, 0});
    EXPECT_EQ(d->Mittelpunkt, (TPunkt{60, -55}));
    g->ScaleAbout({0, 0}, 2, 2);
    EXPECT_EQ(d->Mittelpunkt, (TPunkt{120, -110}));
    EXPECT_EQ(d->Radius, 6);
    g->SetSelected(true);
    EXPECT_TRUE(l->Selected && d->Selected);
    g->SetFormLayer(true);
    EXPECT_TRUE(l->FormLayer && d->FormLayer);
    g->SetColor(0x0000FF);
    EXPECT_EQ(l->PenColor, 0x0000FFu);
    EXPECT_EQ(d->FillColor, 0x0000FFu);

    TPunkt near{22, -8};
    EXPECT_TRUE(g->SnapToPoint(near));
    EXPECT_EQ(near, l->Punkte[0]);
    std::vector<TPunkt*> handles;
    g->AddHandles(handles);
    EXPECT_TRUE(handles.empty());
}

TEST(Gruppe, DrawsEveryMemberAndPassesTheirEventsOn) {
    auto g = GroupOf(Members(DotAt({10, 10}), GroupOf(Members(DotAt({20, 20})))));
    int afterDraw = 0;
    g->OnAfterDraw = [&] { ++afterDraw; };
    TRecordingSurface s;
    g->Draw(s);
    EXPECT_EQ(s.ops.size(), 2u);
    EXPECT_EQ(afterDraw, 2);
    g->Visible = false;
    g->Draw(s);
    EXPECT_EQ(s.ops.size(), 2u);

    // Members read from a record pass their events on as well.
    TBytes t;
    t.U8(6).I32(0);
    Dot(t, 1, 1);
    TElementPtr read = ReadOne(t.b);
    int readDraws = 0;
    read->OnAfterDraw = [&] { ++readDraws; };
    read->Draw(s);
    EXPECT_EQ(readDraws, 1);
}
