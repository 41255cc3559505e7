// Records of texts, contacts and text frames: every layout version, byte-exact round trips at
// the current version, and malformed records.
#include "TextFixtures.h"
#include "elements/ElementList.h"
#include "elements/Kontakt.h"
#include "elements/Text.h"
#include "elements/TextRect.h"

#include <gtest/gtest.h>

namespace torvi::test {

TElementPtr ReadAt(ElementKind kind, const QByteArray& bytes, int32_t version) {
    TReadVersionScope scope(version);
    TElementPtr e = CreateElement(uint8_t(kind));
    TByteReader r(bytes);
    e->Load(r);
    EXPECT_TRUE(r.AtEnd()) << "record not consumed: " << r.Remaining() << " bytes left";
    return e;
}

QByteArray WriteBody(const TElement& e) {
    TByteWriter w;
    e.Save(w);
    return w.Take();
}

namespace {

// Text record of the current layout; shown is written only when given.
QByteArray TextRecord(const QByteArray& text, const QByteArray* shown, int32_t height = 40,
                      int style = 0, int right = 0, int target = 0, const QByteArray& link = {}) {
    TBytes b;
    b.Common().Box(100, 200, 300, 40).Str(text).Font("Arial", style, 0x0000FF, height);
    b.U8(right).U8(target).Str(link);
    if (shown) b.Str(*shown);
    return b.b;
}

const QByteArray kDate = "Datum: 1.2.2003";

struct TRoundTrip {
    const char* name;
    ElementKind kind;
    QByteArray bytes;
};

QByteArray ContactRecord() {
    TBytes b;
    b.b = TextRecord("3", nullptr, 18);
    b.Str("K3");
    return b.b;
}

QByteArray FrameRecord(int alignment) {
    TBytes b;
    b.Common().Box(50, 60, 800, 300).U8(alignment).Font("Times New Roman", 1, 0x00FF00, 40);
    b.I32(3).Str("erste Zeile").Str("").Str("dritte Zeile, etwas l\xe4nger");
    return b.b;
}

TEST(TextRecord, CurrentRecordsWriteBackByteForByte) {
    const std::vector<TRoundTrip> cases = {
        {"plain", ElementKind::Text, TextRecord("Hallo Welt", nullptr)},
        {"placeholder", ElementKind::Text, TextRecord("Datum: <Datum>", &kDate)},
        {"bold italic right target link", ElementKind::Text,
         TextRecord("x", nullptr, 120, 3, 1, 1, "Ziel 1")},
        {"only one bracket", ElementKind::Text, TextRecord("a < b", nullptr)},
        {"contact", ElementKind::Kontakt, ContactRecord()},
        {"frame left", ElementKind::TextRect, FrameRecord(0)},
        {"frame centred", ElementKind::TextRect, FrameRecord(2)},
    };
    for (const TRoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        TElementPtr e = ReadAt(c.kind, c.bytes, 63);
        EXPECT_EQ(WriteBody(*e), c.bytes);
    }
}

TEST(TextRecord, PlaceholderTextKeepsItsShownText) {
    auto e = ReadAt(ElementKind::Text, TextRecord("Datum: <Datum>", &kDate), 63);
    auto& t = static_cast<TText&>(*e);
    EXPECT_EQ(t.Text, "Datum: <Datum>");
    EXPECT_EQ(t.Anzeigetext, QString::fromLatin1(kDate));
    EXPECT_EQ(t.Schrift.Color, 0x0000FFu);
    EXPECT_EQ(t.Schrift.Name, "Arial");
}

TEST(TextRecord, ContactWritesItsRealTextWhileTheNameIsShown) {
    // The real text "<Nr>" holds a placeholder, the name does not: the shown-text field must
    // follow the written text, or the record could not be read back.
    TBytes b;
    const QByteArray shown = "7";
    b.b = TextRecord("<Nr>", &shown, 18);
    b.Str("K1");
    auto e = ReadAt(ElementKind::Kontakt, b.b, 63);
    auto& k = static_cast<TKontakt&>(*e);
    EXPECT_EQ(k.GesicherterText, "<Nr>");
    k.NameZeigen();
    EXPECT_EQ(k.Text, "K1");
    EXPECT_EQ(WriteBody(k), b.b);
    auto back = ReadAt(ElementKind::Kontakt, WriteBody(k), 63);
    EXPECT_EQ(static_cast<TText&>(*back).Text, "<Nr>");
    k.TextZeigen();
    EXPECT_EQ(k.Text, "<Nr>");
    EXPECT_EQ(WriteBody(k), b.b);
}

TEST(TextRecord, FrameLinesAndFont) {
    auto e = ReadAt(ElementKind::TextRect, FrameRecord(1), 63);
    auto& f = static_cast<TTextRect&>(*e);
    ASSERT_EQ(f.Zeilen.size(), 3);
    EXPECT_EQ(f.Zeilen[2], QString::fromUtf8("dritte Zeile, etwas länger"));
    EXPECT_EQ(f.ZeilenTexte.size(), 3u);
    EXPECT_EQ(f.Schrift.Style, 1);
    EXPECT_EQ(f.Ausrichtung, 1);
}

// Bytes after the box of a current text record (everything but offset 23..55).
QByteArray WithoutBox(const QByteArray& b) {
    return b.left(kCommonPartSize) + b.mid(kCommonPartSize + 32);
}

TEST(TextRecord, Versions60To62ReadAndWriteTheCurrentLayout) {
    struct TCase {
        int32_t version;
        QByteArray text;
        bool shownStored;
    };
    const std::vector<TCase> cases = {
        {62, "Seite <Seite>", true},
        {62, "plain", false},
        {61, "Seite <Seite>", false},
        {60, "plain", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.version);
        const QByteArray shown = "Seite 4";
        const QByteArray in = TextRecord(c.text, c.shownStored ? &shown : nullptr);
        auto e = ReadAt(ElementKind::Text, in, c.version);
        auto& t = static_cast<TText&>(*e);
        EXPECT_EQ(t.Anzeigetext, QString::fromLatin1(c.shownStored ? shown : c.text));
        // Written at 63 the shown text is present whenever the text has a placeholder.
        const QByteArray shownCopy = t.Anzeigetext.toLatin1();
        const QByteArray expected =
            TextRecord(c.text, HasPlaceholder(t.Text) ? &shownCopy : nullptr);
        const QByteArray out = WriteBody(t);
        EXPECT_EQ(WithoutBox(out), WithoutBox(expected));
        EXPECT_EQ(WriteBody(*ReadAt(ElementKind::Text, out, 63)), out);
    }
}

TEST(TextRecord, OldWidthMeasureIsCorrected) {
    // 60..62 measured extent + |A| + |C| of the first character; the box is stretched to the
    // natural width, anchored on the aligned side.
    for (int right : {0, 1}) {
        SCOPED_TRACE(right);
        TBytes b;
        b.Common().Box(100, 200, 300, 40).Str("Wolke").Font("Arial", 0, 0, 40);
        b.U8(right).U8(0).Str("");
        auto e = ReadAt(ElementKind::Text, b.b, 61);
        auto& t = static_cast<TText&>(*e);
        const double w = Distance(t.Kasten[0], t.Kasten[1]);
        EXPECT_LT(w, 300); // the old measure counted the bearings twice
        EXPECT_GT(w, 250);
        const TPunkt anchor = right ? t.Kasten[1] : t.Kasten[0];
        EXPECT_FLOAT_EQ(anchor.x, right ? 400.f : 100.f);
        auto same = ReadAt(ElementKind::Text, b.b, 63);
        EXPECT_FLOAT_EQ(static_cast<TText&>(*same).Kasten[1].x, 400.f);
    }
}

QByteArray OldTextRecord(int32_t version, const QByteArray& text, int32_t turns, int right,
                         int32_t height = 40) {
    TBytes b;
    b.Common().F32(100.4f).F32(199.6f).Str(text).I32(turns).Short("Arial", 20).U8(0).I32(0);
    b.I32(height);
    if (version >= 50) b.U8(right);
    return b.b;
}

TEST(TextRecord, AnchorLayoutBuildsTheBoxWithQuarterTurns) {
    struct TCase {
        int32_t turns;
        int right;
        // Expected direction of the baseline (corner 0 to 1) as unit steps.
        int dx, dy;
    };
    const std::vector<TCase> cases = {{0, 0, 1, 0}, {1, 0, 0, -1}, {2, 0, -1, 0},
                                      {3, 0, 0, 1}, {1, 1, 0, -1}, {6, 0, -1, 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "turns " << c.turns << " right " << c.right);
        auto e = ReadAt(ElementKind::Text, OldTextRecord(59, "Anker", c.turns, c.right), 59);
        auto& t = static_cast<TText&>(*e);
        const TPunkt n = t.NaturalSize();
        const TPunkt& a = t.Kasten[0];
        const TPunkt& b = t.Kasten[1];
        EXPECT_NEAR(b.x - a.x, c.dx * n.x, 0.01);
        EXPECT_NEAR(b.y - a.y, c.dy * n.x, 0.01);
        // The anchor, rounded to whole units, is where the text starts or (right) ends.
        const TPunkt& anchor = c.right ? b : a;
        EXPECT_NEAR(anchor.x, 100, 0.01);
        EXPECT_NEAR(anchor.y, 200, 0.01);
        EXPECT_EQ(bool(t.Rechtsbuendig), bool(c.right));
        EXPECT_NEAR(t.BoxHeight(), 40, 0.01);
    }
}

TEST(TextRecord, VersionsBelow50HaveNoAlignmentByte) {
    auto e = ReadAt(ElementKind::Text, OldTextRecord(49, "alt", 0, 0), 49);
    EXPECT_FALSE(static_cast<TText&>(*e).Rechtsbuendig);
    // Written back it is a current record that reads again to the same bytes.
    const QByteArray out = WriteBody(*e);
    EXPECT_EQ(WriteBody(*ReadAt(ElementKind::Text, out, 63)), out);
}

TEST(TextRecord, OldContactAndFrameLayouts) {
    TBytes k;
    k.b = OldTextRecord(59, "2", 0, 0, 18);
    k.Str("K2");
    auto c = ReadAt(ElementKind::Kontakt, k.b, 59);
    EXPECT_EQ(static_cast<TKontakt&>(*c).KontaktName, "K2");

    for (int turns : {0, 1, 2, 3, 7}) {
        SCOPED_TRACE(turns);
        TBytes f;
        f.Common().F32(10.3f).F32(20.0f).F32(410.0f).F32(219.7f).I32(turns).U8(0);
        f.Short("Arial", 20).U8(0).I32(0).I32(40).I32(2).Str("a").Str("b");
        auto e = ReadAt(ElementKind::TextRect, f.b, 59);
        const auto& r = static_cast<TTextRect&>(*e).Rahmen;
        const std::array<TPunkt, 4> corners = {TPunkt{10, 20}, TPunkt{410, 20}, TPunkt{410, 220},
                                               TPunkt{10, 220}};
        const int q = std::min(turns, 3);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(r[(i + q) % 4], corners[i]) << "corner " << i;
    }
}

TEST(TextRecord, HeightsAreKeptInsideTheirRange) {
    struct TCase {
        int32_t stored, read;
    };
    for (TCase c : {TCase{0, 1}, TCase{-7, 1}, TCase{1, 1}, TCase{5000, 5000}, TCase{5001, 5000},
                    TCase{INT32_MAX, 5000}, TCase{INT32_MIN, 1}}) {
        SCOPED_TRACE(c.stored);
        auto e = ReadAt(ElementKind::Text, TextRecord("h", nullptr, c.stored), 63);
        EXPECT_EQ(static_cast<TText&>(*e).Schrift.Height, c.read);
        TBytes f;
        f.Common().Box(0, 0, 100, 100).U8(0).Font("Arial", 0, 0, c.stored).I32(1).Str("z");
        auto r = ReadAt(ElementKind::TextRect, f.b, 63);
        EXPECT_EQ(static_cast<TTextRect&>(*r).Schrift.Height, c.read);
    }
}

void ExpectReadError(ElementKind kind, const QByteArray& bytes, int32_t version) {
    TReadVersionScope scope(version);
    TElementPtr e = CreateElement(uint8_t(kind));
    TByteReader r(bytes);
    EXPECT_THROW(e->Load(r), TReadError);
}

TEST(TextRecord, TruncatedRecordsFailAtEveryCut) {
    const std::vector<TRoundTrip> cases = {
        {"placeholder", ElementKind::Text, TextRecord("<a>", &kDate)},
        {"contact", ElementKind::Kontakt, ContactRecord()},
        {"frame", ElementKind::TextRect, FrameRecord(0)},
        {"old text", ElementKind::Text, OldTextRecord(59, "alt", 1, 1)},
    };
    for (const TRoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        const int32_t version = QByteArray(c.name).startsWith("old") ? 59 : 63;
        for (qsizetype cut = 0; cut < c.bytes.size(); ++cut)
            ExpectReadError(c.kind, c.bytes.left(cut), version);
    }
}

TEST(TextRecord, LengthsBeyondCapacityOrDisagreeingFail) {
    const QByteArray long256(256, 'x');
    const QByteArray long251(251, 'y');
    // A text of 256 characters (length byte wraps to 0).
    TBytes tooLong;
    tooLong.Common().Box(0, 0, 1, 1).I32(256).U8(0).b.append(long256);
    ExpectReadError(ElementKind::Text, tooLong.b, 63);
    // Length byte 3 against int32 length 5.
    TBytes disagree;
    disagree.Common().Box(0, 0, 1, 1).I32(5).U8(3).b.append("abcde");
    ExpectReadError(ElementKind::Text, disagree.b, 63);
    // Negative length.
    TBytes negative;
    negative.Common().Box(0, 0, 1, 1).I32(-1).U8(255);
    ExpectReadError(ElementKind::Text, negative.b, 63);
    // A frame line of 251 characters.
    TBytes line;
    line.Common().Box(0, 0, 9, 9).U8(0).Font("Arial", 0, 0, 40).I32(1).I32(251).U8(251);
    line.b.append(long251);
    ExpectReadError(ElementKind::TextRect, line.b, 63);
    // Line counts the data cannot hold, and negative ones.
    for (int32_t n : {-1, 2, 1000000000}) {
        TBytes count;
        count.Common().Box(0, 0, 9, 9).U8(0).Font("Arial", 0, 0, 40).I32(n).Str("a");
        ExpectReadError(ElementKind::TextRect, count.b, 63);
    }
    // An old font name longer than its 20 characters.
    TBytes name;
    name.Common().F32(0).F32(0).Str("a").I32(0).U8(21);
    name.b.append(QByteArray(20, 'n'));
    name.U8(0).I32(0).I32(40).U8(0);
    ExpectReadError(ElementKind::Text, name.b, 59);
}

TEST(TextRecord, WritingCutsOverlongTexts) {
    TTextRect f;
    f.SetLines({QString(300, 'L')}, f.Schrift, 40, 0);
    auto back = ReadAt(ElementKind::TextRect, WriteBody(f), 63);
    EXPECT_EQ(static_cast<TTextRect&>(*back).Zeilen[0].size(), 250);

    // Cut to 255, the placeholder's ">" is lost: the shown text must then not be written.
    TText t;
    t.Text = QString(254, 'a') + "<b>";
    t.Anzeigetext = "shown";
    auto tb = ReadAt(ElementKind::Text, WriteBody(t), 63);
    EXPECT_EQ(static_cast<TText&>(*tb).Text.size(), 255);
}

TEST(TextRecord, ElementListCarriesAllThreeKinds) {
    TElementList list;
    list.push_back(std::make_unique<TText>());
    list.push_back(std::make_unique<TKontakt>());
    list.push_back(std::make_unique<TTextRect>());
    TByteWriter w;
    WriteElementList(w, list);
    TElementList back;
    TByteReader r(w.Data());
    ReadElementList(r, back);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0]->Kind, ElementKind::Text);
    EXPECT_EQ(back[1]->Kind, ElementKind::Kontakt);
    EXPECT_EQ(back[2]->Kind, ElementKind::TextRect);
    TByteWriter again;
    WriteElementList(again, back);
    EXPECT_EQ(again.Data(), w.Data());
}

} // namespace
} // namespace torvi::test
