// Components: their record in every layout, numbering of the identifier, transforms that carry
// the origin along, hits of hidden texts and snapping to the symbol's lines.
#include "elements/Bauteil.h"
#include "TextFixtures.h"
#include "elements/ElementList.h"
#include "elements/Kontakt.h"
#include "elements/Polyline.h"
#include "elements/UrsprungMarke.h"
#include "surface/RecordingSurface.h"

#include <gtest/gtest.h>

namespace torvi::test {
namespace {

// A current text record at (x, y); shown is stored for identifier texts.
QByteArray CurrentText(const QByteArray& text, float x, float y, const QByteArray* shown,
                       int32_t height = 40) {
    TBytes b;
    b.Common().Box(x, y, 120, float(height)).Str(text).Font("Arial", 0, 0, height);
    b.U8(0).U8(0).Str("");
    if (shown) b.Str(*shown);
    return b.b;
}

// A text record of the anchor layout (versions up to 59).
QByteArray OldText(int32_t version, const QByteArray& text, float x, float y, int32_t height = 40) {
    TBytes b;
    b.Common().F32(x).F32(y).Str(text).I32(0).Short("Arial", 20).U8(0).I32(0).I32(height);
    if (version >= 50) b.U8(0);
    return b.b;
}

struct TPartBytes {
    QByteArray contact1, contact2, drawing, identifier, value;
};

TPartBytes CurrentParts() {
    static const QByteArray shown = "R12";
    TBytes k1, k2;
    k1.b = CurrentText("1", 0, 0, nullptr, 18);
    k1.Str("K1");
    k2.b = CurrentText("2", 300, 0, nullptr, 18);
    k2.Str("K2");
    return {k1.b, k2.b, CurrentText("Symbol", 100, 20, nullptr),
            CurrentText("R12", 100, -60, &shown), CurrentText("4k7", 100, 80, nullptr)};
}

TPartBytes OldParts(int32_t version) {
    TBytes k1, k2;
    k1.b = OldText(version, "1", 0.4f, 30.6f, 18);
    k1.Str("K1");
    k2.b = OldText(version, "2", 300, 30, 18);
    k2.Str("K2");
    return {k1.b, k2.b, OldText(version, "Symbol", 100, 50), OldText(version, "R12", 100, -30),
            OldText(version, "4k7", 100, 110)};
}

// A component record: two contacts and a text as the symbol, then identifier, value and the
// properties.
QByteArray ComponentRecord(int32_t version, const TPartBytes& p, float ox = 5, float oy = -3) {
    TBytes b;
    b.I32(2).U8(int(ElementKind::Kontakt)).b.append(p.contact1);
    b.U8(int(ElementKind::Text)).b.append(p.drawing);
    b.U8(int(ElementKind::Kontakt)).b.append(p.contact2);
    b.b.append(p.identifier);
    b.b.append(p.value);
    b.U8(1).U8(0).U8(1).U8(0).Str("Widerstand 1/4 W").Str("R").I32(12).F32(ox).F32(oy);
    b.I32(10).U8(1);
    if (version >= 50) b.Str("Metallschicht");
    return b.b;
}

TBauteil& AsComponent(const TElementPtr& e) {
    return static_cast<TBauteil&>(*e);
}

TEST(BauteilRecord, CurrentRecordReadsAndWritesBackByteForByte) {
    const QByteArray bytes = ComponentRecord(63, CurrentParts());
    TElementPtr e = ReadAt(ElementKind::Bauteil, bytes, 63);
    const TBauteil& b = AsComponent(e);
    ASSERT_EQ(b.Symbol->Mitglieder.size(), 3u);
    EXPECT_EQ(b.Symbol->Mitglieder[0]->Kind, ElementKind::Kontakt);
    EXPECT_EQ(static_cast<const TKontakt&>(*b.Symbol->Mitglieder[2]).KontaktName, "K2");
    EXPECT_TRUE(b.BezeichnerText->Bauteiltext);
    EXPECT_FALSE(b.WertText->Bauteiltext);
    EXPECT_EQ(b.BezeichnerText->Text, "R12");
    EXPECT_EQ(b.WertText->Text, "4k7");
    EXPECT_TRUE(b.AutoNum);
    EXPECT_FALSE(b.Nachfragen);
    EXPECT_TRUE(b.WertSichtbar);
    EXPECT_FALSE(b.BezSichtbar);
    EXPECT_EQ(b.Beschreibung, "Widerstand 1/4 W");
    EXPECT_EQ(b.Bezeichner, "R");
    EXPECT_EQ(b.Nummer, 12);
    EXPECT_EQ(b.UrsprungOffset, (TPunkt{5, -3}));
    EXPECT_EQ(b.Raster, 10);
    EXPECT_TRUE(b.InStueckliste);
    EXPECT_EQ(b.SLText, "Metallschicht");
    EXPECT_EQ(WriteBody(b), bytes);
}

TEST(BauteilRecord, ElementListCopyKeepsTheComponent) {
    TBauteil b;
    b.Symbol->Add(CreateElement(uint8_t(ElementKind::Kontakt)));
    b.Bezeichner = "C";
    b.AutoNum = true;
    b.SetNummer(3);
    b.UrsprungOffset = {1.5f, 2.5f};
    TElementPtr copy = CopyElement(b);
    ASSERT_EQ(copy->Kind, ElementKind::Bauteil);
    EXPECT_EQ(WriteBody(*copy), WriteBody(b));
    EXPECT_EQ(AsComponent(copy).BezeichnerText->Text, "C3");
}

TEST(BauteilRecord, ReadComponentsPassTheirPartsEventsOn) {
    // A component inside a group, read as a page reads it.
    TGruppe g;
    g.Add(std::make_unique<TBauteil>());
    std::vector<TElement*> changed;
    TElementHooks hooks;
    hooks.textChanged = [&](TElement& e) { changed.push_back(&e); };
    TElementPtr copy = CopyElement(g, hooks);
    ASSERT_EQ(copy->Kind, ElementKind::Gruppe);
    auto& inner = AsComponent(static_cast<TGruppe&>(*copy).Mitglieder.at(0));
    EXPECT_TRUE(inner.BezeichnerText->Bauteiltext);
    changed.clear();
    inner.AutoNum = true;
    inner.Bezeichner = "K";
    inner.SetNummer(7);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], inner.BezeichnerText.get());
    inner.WertText->SetText("230 V");
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[1], inner.WertText.get());
}

TEST(BauteilRecord, OldLayoutsWithoutListTextAndWithTheOldOffset) {
    for (int32_t version : {49, 59}) {
        SCOPED_TRACE(version);
        const QByteArray bytes = ComponentRecord(version, OldParts(version), 5.4f, -2.6f);
        TElementPtr e = ReadAt(ElementKind::Bauteil, bytes, version);
        const TBauteil& b = AsComponent(e);
        EXPECT_EQ(b.SLText, version >= 50 ? "Metallschicht" : "");
        ASSERT_EQ(b.Symbol->Mitglieder.size(), 3u);
        // The old offset was measured from the first contact (it lies left of and above
        // the drawing); today's from the drawing alone.
        const TPunkt withContacts = b.Symbol->Mitglieder[0]->GetRefPoint();
        const TPunkt drawing = b.Symbol->Mitglieder[1]->GetRefPoint();
        EXPECT_EQ(b.GetRefPoint(), drawing);
        const float dx = float(RoundEven(drawing.x - withContacts.x));
        const float dy = float(RoundEven(drawing.y - withContacts.y));
        EXPECT_NE(dx, 0);
        EXPECT_NE(dy, 0);
        EXPECT_EQ(b.UrsprungOffset, (TPunkt{5 - dx, -3 - dy}));
    }
}

void ExpectReadError(const QByteArray& bytes, int32_t version) {
    TReadVersionScope scope(version);
    TBauteil b;
    TByteReader r(bytes);
    EXPECT_THROW(b.Load(r), TReadError);
}

TEST(BauteilRecord, TruncatedAndOverlongRecordsFail) {
    const std::vector<std::pair<int32_t, QByteArray>> cases = {
        {63, ComponentRecord(63, CurrentParts())}, {59, ComponentRecord(59, OldParts(59))}};
    for (const auto& [version, bytes] : cases) {
        SCOPED_TRACE(version);
        for (qsizetype cut = 0; cut < bytes.size(); ++cut)
            ExpectReadError(bytes.left(cut), version);
    }
    // A description longer than a record may hold.
    TPartBytes p = CurrentParts();
    TBytes b;
    b.I32(0).U8(int(ElementKind::Text)).b.append(p.drawing);
    b.b.append(p.identifier);
    b.b.append(p.value);
    b.U8(0).U8(0).U8(1).U8(1).Str(QByteArray(251, 'x'));
    ExpectReadError(b.b, 63);
}

// A component with a three-point line as its symbol, identifier above and value below.
std::unique_ptr<TBauteil> LineComponent() {
    auto b = std::make_unique<TBauteil>();
    auto line = std::make_unique<TPolyline>();
    line->Punkte = {{100, 100}, {150, 140}, {200, 100}};
    b->Symbol->Add(std::move(line));
    b->BezeichnerText->SetTextAndFont("R1", b->BezeichnerText->Schrift, false, 40);
    b->BezeichnerText->PlaceAt({100, 20});
    b->WertText->SetTextAndFont("10k", b->WertText->Schrift, false, 40);
    b->WertText->PlaceAt({100, 160});
    b->UrsprungOffset = {30, 17};
    return b;
}

class BauteilView : public ::testing::Test {
protected:
    void SetUp() override { Shared().ViewTransform = {1, 1, 0, 0}; }
    void TearDown() override { SetUp(); }
};

TEST_F(BauteilView, AutoNumberingKeepsTheIdentifierHeight) {
    TBauteil b;
    for (const TText* t : {b.BezeichnerText.get(), b.WertText.get()}) {
        EXPECT_TRUE(t->Text.isEmpty());
        EXPECT_TRUE(t->Anzeigetext.isEmpty());
    }
    EXPECT_TRUE(b.BezeichnerText->Bauteiltext);
    EXPECT_EQ(b.Raster, 10);
    EXPECT_TRUE(b.WertSichtbar && b.BezSichtbar && b.InStueckliste);
    // The owner writes the shown text of an identifier.
    TElementHooks hooks;
    hooks.textChanged = [](TElement& e) {
        auto& t = static_cast<TText&>(e);
        t.Anzeigetext = t.Text;
    };
    b.Connect(hooks);
    b.BezeichnerText->SetTextAndFont("x", b.BezeichnerText->Schrift, false, 60);
    b.BezeichnerText->PlaceAt({10, 10});
    b.Bezeichner = "R";
    b.SetNummer(12);
    EXPECT_EQ(b.BezeichnerText->Text, "x") << "without AutoNum the identifier stays";
    b.AutoNum = true;
    b.SetNummer(12);
    EXPECT_EQ(b.BezeichnerText->Text, "R12");
    EXPECT_EQ(b.BezeichnerText->Anzeigetext, "R12");
    const double h = b.BezeichnerText->BoxHeight();
    EXPECT_NEAR(h, 60, 1e-3);
    b.SetNummer(13);
    EXPECT_EQ(b.Nummer, 13);
    EXPECT_EQ(b.BezeichnerText->Text, "R13");
    EXPECT_NEAR(b.BezeichnerText->BoxHeight(), h, 1e-3);
    EXPECT_EQ(b.BezeichnerText->Schrift.Height, 60);
    EXPECT_EQ(b.BezeichnerText->Kasten[0], (TPunkt{10, 10}));
}

TEST_F(BauteilView, TransformsCarryTheOriginAlong) {
    struct TCase {
        const char* name;
        std::function<void(TElement&)> apply;
        std::function<TPunkt(TPunkt)> point;
    };
    const TPunkt c{37, -12};
    const std::vector<TCase> cases = {
        {"rotate 90", [&](TElement& e) { e.RotateAbout(c, kPi / 2); },
         [&](TPunkt p) { return RotatePoint(p, c, 90); }},
        {"rotate -90", [&](TElement& e) { e.RotateAbout(c, -kPi / 2); },
         [&](TPunkt p) { return RotatePoint(p, c, -90); }},
        {"mirror h", [&](TElement& e) { e.MirrorH(c); }, [&](TPunkt p) { return MirrorX(p, c.x); }},
        {"mirror v", [&](TElement& e) { e.MirrorV(c); }, [&](TPunkt p) { return MirrorY(p, c.y); }},
        {"scale", [&](TElement& e) { e.ScaleAbout(c, 2, 0.5); },
         [&](TPunkt p) { return ScalePoint(p, c, 2, 0.5); }},
        {"shear", [&](TElement& e) { e.ShearAbout(c, 0.25, 0); },
         [&](TPunkt p) { return ShearPoint(p, c, 0.25, 0); }},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.name);
        auto b = LineComponent();
        const TPunkt before = b->Ursprung();
        const TPunkt refBefore = b->GetRefPoint();
        k.apply(*b);
        const TPunkt expected = k.point(before);
        EXPECT_NEAR(b->Ursprung().x, expected.x, 1e-3);
        EXPECT_NEAR(b->Ursprung().y, expected.y, 1e-3);
        // The symbol's reference point moved with it, so the offset had to change.
        EXPECT_NEAR(Distance(b->GetRefPoint(), k.point(refBefore)), 0, 1e-3);
    }
    // Four quarter turns bring the origin back.
    auto b = LineComponent();
    const TPunkt start = b->Ursprung();
    for (int i = 0; i < 4; ++i) b->RotateAbout(c, kPi / 2);
    EXPECT_NEAR(b->Ursprung().x, start.x, 1e-3);
    EXPECT_NEAR(b->Ursprung().y, start.y, 1e-3);
}

TEST_F(BauteilView, HiddenTextsStillHitButLeaveRegionAndBounds) {
    auto b = LineComponent();
    TRecordingSurface s;
    const TRechteckF id = NormRectF(b->BezeichnerText->GetBounds());
    const int x = int((id.x1 + id.x2) / 2);
    const int y = int((id.y1 + id.y2) / 2);
    ASSERT_TRUE(b->BezeichnerText->HitTest(s, x, y));
    const TRechteckF shownBounds = NormRectF(b->GetBounds());
    b->BezSichtbar = false;
    EXPECT_TRUE(b->HitTest(s, x, y)) << "a click on the hidden identifier picks the component";
    EXPECT_FALSE(b->HitRegion(s, false).Contains(QPointF(x, y)));
    const TRechteckF value = NormRectF(b->WertText->GetBounds());
    EXPECT_TRUE(b->HitRegion(s, false).Contains(
        QPointF((value.x1 + value.x2) / 2, (value.y1 + value.y2) / 2)));
    const TRechteckF hiddenBounds = NormRectF(b->GetBounds());
    EXPECT_LT(shownBounds.y1, hiddenBounds.y1);
    EXPECT_GE(hiddenBounds.y1, 100 - 1);

    // Hidden texts are not drawn: only the line and the value draw.
    TRecordingSurface all, hidden;
    b->BezSichtbar = true;
    b->Draw(all);
    b->BezSichtbar = false;
    b->Draw(hidden);
    EXPECT_LT(hidden.ops.size(), all.ops.size());
    b->WertSichtbar = false;
    TRecordingSurface none;
    b->Draw(none);
    EXPECT_LT(none.ops.size(), hidden.ops.size());
    EXPECT_FALSE(b->HitRegion(s, false).IsEmpty()) << "the symbol's line is still there";
}

TEST_F(BauteilView, SnapsAndConnectsOnlyAtLineEnds) {
    auto b = LineComponent();
    TPunkt inner{150, 140};
    EXPECT_FALSE(b->SnapToPoint(inner));
    EXPECT_FALSE(Shared().InComponentSnap);
    TPunkt end{201, 101};
    EXPECT_TRUE(b->SnapToPoint(end));
    EXPECT_EQ(end, (TPunkt{200, 100}));
    EXPECT_FALSE(Shared().InComponentSnap);

    TPunkt outside{150, 140};
    std::vector<TPunkt*> points{&outside};
    b->AddConnectionPoints(points);
    ASSERT_EQ(points.size(), 3u) << "points already in the list stay";
    EXPECT_EQ(points[0], &outside);
    EXPECT_EQ(*points[1], (TPunkt{100, 100}));
    EXPECT_EQ(*points[2], (TPunkt{200, 100}));
}

TEST_F(BauteilView, GroupOriginFollowsTheFirstComponent) {
    TGruppe g;
    EXPECT_EQ(GroupOrigin(g), (TPunkt{0, 0}));
    auto line = std::make_unique<TPolyline>();
    line->Punkte = {{0, 50}, {10, 60}};
    g.Add(std::move(line));
    EXPECT_EQ(GroupOrigin(g), (TPunkt{0, 0}));
    g.Add(LineComponent());
    // Group reference (0, 50), component reference (100, 100), offset (30, 17).
    EXPECT_EQ(GroupOrigin(g), (TPunkt{-130, -67}));
}

TEST_F(BauteilView, SelectionAndLayerReachEveryPart) {
    auto b = LineComponent();
    b->SetSelected(true);
    b->SetFormLayer(true);
    for (TElement* part :
         {static_cast<TElement*>(b->Symbol.get()), static_cast<TElement*>(b->BezeichnerText.get()),
          static_cast<TElement*>(b->WertText.get()), b->Symbol->Mitglieder[0].get()}) {
        EXPECT_TRUE(part->Selected);
        EXPECT_TRUE(part->FormLayer);
    }
}

} // namespace
} // namespace torvi::test

namespace torvi::test {
namespace {

TEST(UrsprungMarke, DrawsAFixedSizeDotAndHitsItsSquare) {
    TRecordingSurface s;
    const TMapping zoomed{2, 2, 30, -40};
    s.SetMapping(zoomed);
    TUrsprungMarke m;
    m.Punkt = {100, 50};
    m.Vorschau = {10, 20};
    const QPointF at = s.ToDevice(QPointF(100, 50));
    const QPointF preview = s.ToDevice(QPointF(10, 20));
    m.Draw(s);
    m.DrawPreview(s);
    EXPECT_TRUE(m.Gezeichnet);
    EXPECT_EQ(s.Mapping().sx, zoomed.sx) << "the caller's mapping is kept";
    EXPECT_EQ(s.Mapping().ox, zoomed.ox);
    const auto paths = s.OfType(TRecordedOp::Type::Path);
    ASSERT_EQ(paths.size(), 2u);
    const std::array<std::pair<QPointF, TPenMode>, 2> expected = {
        std::pair{at, TPenMode::Copy}, std::pair{preview, TPenMode::NotXor}};
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const QRectF box = paths[i].path.boundingRect();
        // The zoom does not change the 5-pixel radius.
        EXPECT_NEAR(box.width(), 10, 0.01);
        EXPECT_NEAR(box.center().x(), expected[i].first.x(), 0.01);
        EXPECT_NEAR(box.center().y(), expected[i].first.y(), 0.01);
        EXPECT_EQ(paths[i].brush.color, Rgb(255, 0, 0));
        EXPECT_EQ(paths[i].pen.color, 0u);
        EXPECT_EQ(paths[i].pen.width, 0);
        EXPECT_EQ(paths[i].pen.mode, expected[i].second);
        EXPECT_TRUE(paths[i].fill && paths[i].stroke);
    }
    const int x = int(at.x());
    const int y = int(at.y());
    for (const auto& [dx, dy, hit] : std::vector<std::tuple<int, int, bool>>{
             {0, 0, true}, {5, 5, true}, {-5, 5, true}, {6, 0, false}, {0, -6, false}}) {
        SCOPED_TRACE(testing::Message() << dx << "," << dy);
        EXPECT_EQ(m.HitTest(s, x + dx, y + dy), hit);
    }
    EXPECT_TRUE(m.RepaintRect(s).contains(x - 5, y + 5));
    EXPECT_FALSE(m.RepaintRect(s).contains(x + 6, y));

    TBauteil b;
    auto line = std::make_unique<TPolyline>();
    line->Punkte = {{60, 40}, {80, 40}};
    b.Symbol->Add(std::move(line));
    StoreOrigin(b, m);
    EXPECT_EQ(b.UrsprungOffset, (TPunkt{40, 10}));
    EXPECT_EQ(b.Ursprung(), m.Punkt);
}

} // namespace
} // namespace torvi::test
