// Layout of texts and text frames: natural size, growing and aligned boxes, placeholders,
// transforms, height limits and frame lines.
#include "elements/Kontakt.h"
#include "elements/Text.h"
#include "elements/TextRect.h"
#include "surface/RecordingSurface.h"
#include "surface/TextOutlines.h"
#include "text/Sprache.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

double Width(const TText& t) {
    return Distance(t.Kasten[0], t.Kasten[1]);
}

// Stretches the box along its baseline by f, keeping the aligned side.
void Stretch(TText& t, double f) {
    auto& k = t.Kasten;
    const int a = t.Rechtsbuendig ? 1 : 0, b = t.Rechtsbuendig ? 2 : 3;
    k[1 - a] = ScalePoint(k[1 - a], k[a], f, f);
    k[5 - b] = ScalePoint(k[5 - b], k[b], f, f);
}

TEST(TextLayout, DefaultsFollowTheLanguage) {
    const char* expected[] = {"Text", "Label", "Texte"};
    const char* frame[] = {"Text...", "Text...", "Texte..."};
    for (int lang = 0; lang < 3; ++lang) {
        SetSprache(lang);
        EXPECT_EQ(TText().Text, expected[lang]);
        EXPECT_EQ(TTextRect().Zeilen, QStringList{frame[lang]});
    }
    SetSprache(0);
    TKontakt k;
    EXPECT_EQ(k.Schrift.Height, 18);
    EXPECT_NEAR(k.BoxHeight(), 18, 0.01);
}

TEST(TextLayout, NaturalSizeFollowsFontAndHeight) {
    TText t;
    t.SetText("Wasser");
    const TPunkt n = t.NaturalSize();
    EXPECT_FLOAT_EQ(n.y, 40); // the reference cell height is the font height
    t.Schrift.Height = 80;
    EXPECT_NEAR(t.NaturalSize().x, 2 * n.x, 0.01);
    t.Schrift.Style = kFontBold;
    EXPECT_GT(t.NaturalSize().x, 2 * n.x);
    // An empty shown text measures as one space, so it still has a box.
    t.SetText("");
    const TPunkt empty = t.NaturalSize();
    t.SetText(" ");
    EXPECT_EQ(empty, t.NaturalSize());
    EXPECT_GE(empty.x, 1);
}

TEST(TextLayout, GrowingTheTextWidensTheBoxByTheNaturalRatio) {
    for (bool right : {false, true}) {
        SCOPED_TRACE(right);
        TText t;
        t.Rechtsbuendig = right;
        t.SetText("ab");
        t.PlaceAt({500, 300});
        // A box stretched by the user stays stretched by the same ratio.
        Stretch(t, 1.5);
        const auto before = t.Kasten;
        const double w1 = t.NaturalSize().x;
        t.SetTextAndFont("abcdef", t.Schrift, right, 40);
        const double w2 = t.NaturalSize().x;
        EXPECT_NEAR(Width(t), 1.5 * w1 * (w2 / w1), 0.01);
        // Left-aligned grows to the right, right-aligned to the left.
        const int fixed = right ? 1 : 0;
        EXPECT_EQ(t.Kasten[fixed], before[fixed]);
        EXPECT_EQ(t.Kasten[fixed + (right ? 1 : 3)], before[fixed + (right ? 1 : 3)]);
        EXPECT_EQ(t.GetRefPoint(), before[fixed]);
    }
}

TEST(TextLayout, NewHeightScalesTheBoxOnce) {
    TText t;
    t.SetText("Hoehe");
    t.PlaceAt({0, 0});
    const double w = Width(t);
    t.SetTextAndFont("Hoehe", t.Schrift, false, 80);
    EXPECT_NEAR(Width(t), 2 * w, 0.01);
    EXPECT_NEAR(t.BoxHeight(), 80, 0.01);
}

TEST(TextLayout, PlaceholdersAreResolvedAtEveryDraw) {
    for (bool right : {false, true}) {
        SCOPED_TRACE(right);
        QString value = "1";
        TText t;
        TElementHooks hooks;
        int asked = 0;
        hooks.textAufloesen = [&](const QString& s) {
            ++asked;
            return QString(s).replace("<Seite>", value);
        };
        t.Connect(hooks);
        t.Rechtsbuendig = right;
        t.SetText("Seite <Seite>");
        EXPECT_EQ(t.Anzeigetext, "Seite 1");
        t.PlaceAt({1000, 100});
        const auto start = t.Kasten;
        const double w1 = Width(t);
        TRecordingSurface s;
        t.Draw(s);
        EXPECT_EQ(Width(t), w1);
        value = "1234";
        const int before = asked;
        t.Draw(s);
        EXPECT_GT(asked, before);
        EXPECT_EQ(t.Anzeigetext, "Seite 1234");
        const double ratio = t.NaturalSize().x / (w1);
        EXPECT_NEAR(Width(t), w1 * ratio, 0.01);
        EXPECT_GT(Width(t), w1);
        if (right) {
            EXPECT_EQ(t.Kasten[1], start[1]);
            EXPECT_LT(t.Kasten[0].x, start[0].x);
        } else {
            EXPECT_EQ(t.Kasten[0], start[0]);
            EXPECT_GT(t.Kasten[1].x, start[1].x);
        }
    }
}

TEST(TextLayout, CachedOutlinesAreNotRebuiltWhileNothingChanges) {
    TText plain;
    TText placeholder;
    TElementHooks hooks;
    hooks.textAufloesen = [](const QString&) { return QStringLiteral("fest"); };
    placeholder.Connect(hooks);
    placeholder.SetText("<x>");
    placeholder.ShearAbout({0, 0}, 0.3, 0); // an odd box must not drift either
    TRecordingSurface s;
    plain.Draw(s);
    placeholder.Draw(s);
    const long builds = TText::OutlineBuildCount();
    for (int i = 0; i < 5; ++i) {
        plain.Draw(s);
        placeholder.Draw(s);
    }
    EXPECT_EQ(TText::OutlineBuildCount(), builds);
    plain.MoveBy({1, 0});
    plain.Draw(s);
    EXPECT_EQ(TText::OutlineBuildCount(), builds + 1);
}

TEST(TextLayout, ScalingKeepsHeightsInRange) {
    TText t;
    t.PlaceAt({100, 100});
    t.ScaleAbout({100, 100}, 150, 150); // 600 mm
    EXPECT_EQ(t.Schrift.Height, kMaxTextHeight);
    EXPECT_NEAR(t.BoxHeight(), kMaxTextHeight, 0.5);
    TText small;
    small.PlaceAt({100, 100});
    small.ScaleAbout({0, 0}, 0.001, 0.001);
    const TRechteckF b = small.GetBounds();
    EXPECT_FLOAT_EQ(b.x2 - b.x1, 1);
    EXPECT_FLOAT_EQ(b.y2 - b.y1, 1);
    EXPECT_EQ(small.Schrift.Height, 1);
}

TEST(TextLayout, MirroringKeepsTheTextReadable) {
    TText t;
    t.PlaceAt({100, 100});
    t.MirrorH({0, 0});
    EXPECT_TRUE(t.Rechtsbuendig);
    EXPECT_LT(t.Kasten[0].x, t.Kasten[1].x); // still reads left to right
    EXPECT_NEAR(t.BoxHeight(), 40, 0.01);
    t.MirrorV({0, 0});
    EXPECT_LT(t.Kasten[0].y, t.Kasten[3].y);
    Shared().ShiftHeld = true;
    TText m;
    m.PlaceAt({100, 100});
    m.MirrorH({0, 0});
    EXPECT_GT(m.Kasten[0].x, m.Kasten[1].x); // glyphs mirrored
    EXPECT_TRUE(m.Rechtsbuendig);            // alignment toggles all the same
    EXPECT_NEAR(m.BoxHeight(), 40, 0.01);
    m.RotateAbout({0, 0}, kPi / 2);
    EXPECT_FLOAT_EQ(m.Kasten[0].x, -100);
    Shared().ShiftHeld = false;
}

TEST(TextLayout, LinkFramesReachBeyondTheBox) {
    TText t;
    t.PlaceAt({100, 100});
    const TRechteckF box = t.GetBounds();
    t.LinkZiel = "Ziel";
    EXPECT_GT(t.GetBounds().x2, box.x2);
    EXPECT_EQ(t.GetBounds().x1, box.x1);
    t.LinkZiel.clear();
    t.IstLinkZiel = true;
    EXPECT_LT(t.GetBounds().x1, box.x1);
    EXPECT_EQ(t.GetBounds().x2, box.x2);
}

// Frame of 800 x 400 units at (100, 100) with the given lines and alignment.
std::unique_ptr<TTextRect> Frame(const QStringList& lines, uint8_t alignment) {
    auto f = std::make_unique<TTextRect>();
    f->Rahmen = {TPunkt{100, 100}, TPunkt{900, 100}, TPunkt{900, 500}, TPunkt{100, 500}};
    f->SetLines(lines, f->Schrift, 40, alignment);
    return f;
}

TEST(TextFrameLayout, LinesFollowTheAlignment) {
    const QStringList lines = {"eins", "zwei zwei", "drei drei drei"};
    auto left = Frame(lines, 0);
    auto right = Frame(lines, 1);
    auto centred = Frame(lines, 2);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto& l = left->ZeilenTexte[size_t(i)]->Kasten;
        EXPECT_NEAR(l[0].x, 100, 1e-3);
        EXPECT_NEAR(l[0].y, 100 + 40 * i, 1e-3);
        EXPECT_NEAR(l[3].y, 140 + 40 * i, 1e-3);
        const auto& r = right->ZeilenTexte[size_t(i)]->Kasten;
        EXPECT_NEAR(r[1].x, 900, 1e-3);
        EXPECT_NEAR(r[1].y, 100 + 40 * i, 1e-3);
        const auto& c = centred->ZeilenTexte[size_t(i)]->Kasten;
        EXPECT_NEAR((c[0].x + c[1].x) / 2, 500, 1e-3);
        EXPECT_NEAR(c[0].y, 100 + 40 * i, 1e-3);
        // Every line keeps its natural width.
        EXPECT_NEAR(Distance(l[0], l[1]), Distance(c[0], c[1]), 1e-3);
    }
}

TEST(TextFrameLayout, ShearedAndTurnedFramesStepAlongTheirSides) {
    auto f = Frame({"a", "b", "c"}, 0);
    f->ShearAbout({100, 500}, 0.5, 0); // the top moves left by half the height
    for (size_t i = 0; i < 3; ++i) {
        const auto& k = f->ZeilenTexte[i]->Kasten;
        // Each line's left edge lies on the frame's sheared left edge.
        const double t = (k[0].y - 100) / 400.0;
        EXPECT_NEAR(k[0].x, f->Rahmen[0].x + t * (f->Rahmen[3].x - f->Rahmen[0].x), 1e-2);
        EXPECT_NEAR(k[0].y, 100 + 40.0 * double(i), 1e-2);
    }
    auto g = Frame({"a", "b"}, 0);
    g->RotateAbout({100, 100}, kPi / 2); // clockwise: lines now step to the left
    const auto& second = g->ZeilenTexte[1]->Kasten;
    EXPECT_NEAR(second[0].x, 60, 1e-2);
    EXPECT_NEAR(second[0].y, 100, 1e-2);
    g->MirrorH({0, 0});
    const auto& r = g->Rahmen;
    EXPECT_GT(Distance(r[0], r[1]), 0);
}

} // namespace
} // namespace torvi
