// Drawing texts and frames into images and onto a recording surface: where the ink lands,
// smoothing, frames, underlines and clipping.
#include "elements/Kontakt.h"
#include "elements/Text.h"
#include "elements/TextRect.h"
#include "surface/PainterSurface.h"
#include "surface/RecordingSurface.h"

#include <QImage>
#include <gtest/gtest.h>

namespace torvi {
namespace {

// Resets the output flags around each test.
class TextDraw : public ::testing::Test {
protected:
    void SetUp() override {
        Shared().ViewTransform = {1, 1, 0, 0};
        Shared().TextAntiAliasing = false;
        Shared().Printing = false;
        Shared().PreviewOrBitmapOutput = false;
    }
    void TearDown() override { SetUp(); }

    static QImage Render(TElement& e, int w = 1000, int h = 600) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            TPainterSurface s(&img);
            e.Draw(s);
        }
        return img;
    }
};

struct TInk {
    QRect bounds;
    int pixels = 0;
    int grey = 0; // neither the background nor the full text colour
};

TInk InkOf(const QImage& img) {
    TInk ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (p == qRgb(255, 255, 255)) continue;
            ++ink.pixels;
            ink.bounds |= QRect(x, y, 1, 1);
            if (p != qRgb(0, 0, 0)) ++ink.grey;
        }
    return ink;
}

std::unique_ptr<TText> Label(const QString& text, TPunkt at, int32_t height = 100) {
    auto t = std::make_unique<TText>();
    t->Schrift.Color = 0;
    t->SetTextAndFont(text, t->Schrift, false, height);
    t->PlaceAt(at);
    return t;
}

TEST_F(TextDraw, GlyphsLandInsideTheBox) {
    auto t = Label("Hgjy", {100, 100});
    const TInk ink = InkOf(Render(*t));
    ASSERT_GT(ink.pixels, 500);
    const TRechteckF b = t->GetBounds();
    EXPECT_GE(ink.bounds.left(), b.x1 - 1);
    EXPECT_LE(ink.bounds.right(), b.x2 + 1);
    EXPECT_GE(ink.bounds.top(), b.y1 - 1);
    EXPECT_LE(ink.bounds.bottom(), b.y2 + 1);
    // Descenders reach below the baseline, capitals nearly to the top of the cell.
    EXPECT_GT(ink.bounds.bottom(), b.y1 + 0.8 * 100);
    EXPECT_LT(ink.bounds.top(), b.y1 + 0.3 * 100);
}

TEST_F(TextDraw, RotatedLabelInkLiesAlongTheTurnedBaseline) {
    auto t = Label("Lange Zeile", {300, 50});
    const TInk upright = InkOf(Render(*t));
    t->RotateAbout({300, 50}, kPi / 2); // clockwise: the text runs downwards
    const TInk turned = InkOf(Render(*t, 1000, 1000));
    EXPECT_NEAR(turned.bounds.width(), upright.bounds.height(), 3);
    EXPECT_NEAR(turned.bounds.height(), upright.bounds.width(), 3);
    // The baseline is now the box's left... the glyph bottoms face corner 3, left of 0.
    EXPECT_LT(turned.bounds.right(), 300 + 2);
    EXPECT_GT(turned.bounds.top(), 50 - 2);
}

TEST_F(TextDraw, SmoothingGivesGreyEdgesOnlyOnScreen) {
    auto t = Label("Kante", {100, 100});
    EXPECT_EQ(InkOf(Render(*t)).grey, 0);
    Shared().TextAntiAliasing = true;
    EXPECT_GT(InkOf(Render(*t)).grey, 20);
    Shared().Printing = true;
    EXPECT_EQ(InkOf(Render(*t)).grey, 0);
    Shared().Printing = false;
    Shared().PreviewOrBitmapOutput = true;
    EXPECT_EQ(InkOf(Render(*t)).grey, 0);
}

TEST_F(TextDraw, SelectedTextsUseTheSelectionColour) {
    auto t = Label("Wahl", {100, 100});
    t->SetSelected(true);
    TRecordingSurface s;
    t->Draw(s);
    const auto paths = s.OfType(TRecordedOp::Type::Path);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0].brush.color, Shared().SelectionPenColor);
    EXPECT_TRUE(paths[0].fill);
    EXPECT_FALSE(paths[0].stroke);
}

TEST_F(TextDraw, DragPreviewDrawsOnlyTheDottedBox) {
    auto t = Label("Vorschau", {100, 100});
    TRecordingSurface s;
    TPen pen;
    pen.mode = TPenMode::NotXor;
    s.SetPen(pen);
    t->Draw(s);
    ASSERT_EQ(s.ops.size(), 1u);
    EXPECT_EQ(s.ops[0].type, TRecordedOp::Type::Polyline);
    EXPECT_EQ(s.ops[0].pen.style, TPenStyle::Dot);
    EXPECT_EQ(s.ops[0].points.size(), 5);
}

// Lines drawn apart from the glyph fill: link frames, underlines, contact frames.
std::vector<TRecordedOp> LinesOf(TElement& e) {
    TRecordingSurface s;
    e.Draw(s);
    return s.OfType(TRecordedOp::Type::Polyline);
}

TEST_F(TextDraw, WebAddressesAreUnderlined) {
    struct TCase {
        const char* text;
        bool underlined;
    };
    for (TCase c : {TCase{"www.beispiel.de", true}, TCase{"WWW.BEISPIEL.DE", true},
                    TCase{"https://x", true}, TCase{"Http", true}, TCase{" www.x", false},
                    TCase{"xwww.", false}, TCase{"ww.x", false}}) {
        SCOPED_TRACE(c.text);
        auto t = Label(c.text, {100, 100}, 100);
        const auto lines = LinesOf(*t);
        ASSERT_EQ(lines.size(), c.underlined ? 1u : 0u);
        if (c.underlined) {
            EXPECT_GE(lines[0].pen.width, 2);
            EXPECT_NEAR(lines[0].points[0].y(), 200, 0.6); // along the bottom edge
        }
    }
}

TEST_F(TextDraw, LinkSourcesPointRightAndTargetsNotchLeft) {
    auto t = Label("Link", {100, 100});
    t->LinkZiel = "Seite 2";
    auto src = LinesOf(*t);
    ASSERT_EQ(src.size(), 3u); // top, bottom, pointed end
    EXPECT_GT(src[2].points[1].x(), t->Kasten[1].x);
    t->LinkZiel.clear();
    t->IstLinkZiel = true;
    auto dst = LinesOf(*t);
    ASSERT_EQ(dst.size(), 3u);
    EXPECT_LT(dst[2].points[1].x(), t->Kasten[0].x);
    EXPECT_NEAR(dst[2].points[2].x(), t->Kasten[0].x, 0.6); // the notch on the left edge
    t->LinkZiel = "beide";
    EXPECT_EQ(LinesOf(*t).size(), 4u);
}

TEST_F(TextDraw, ContactFrameOnlyWhileEditing) {
    TKontakt k;
    k.PlaceAt({100, 100});
    EXPECT_EQ(LinesOf(k).size(), 0u);
    k.KontaktRahmen = true;
    const auto lines = LinesOf(k);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].pen.style, TPenStyle::Solid);
    EXPECT_EQ(lines[0].points.size(), 5);
}

TEST_F(TextDraw, InvisibleTextsDrawNothing) {
    auto t = Label("weg", {100, 100});
    t->Visible = false;
    int raised = 0;
    t->OnAfterDraw = [&] { ++raised; };
    TRecordingSurface s;
    t->Draw(s);
    EXPECT_TRUE(s.ops.empty());
    EXPECT_EQ(raised, 0);
    t->Visible = true;
    t->Draw(s);
    EXPECT_EQ(raised, 1);
}

std::unique_ptr<TTextRect> Frame(const QStringList& lines, uint8_t alignment) {
    auto f = std::make_unique<TTextRect>();
    f->Rahmen = {TPunkt{100, 100}, TPunkt{500, 100}, TPunkt{500, 400}, TPunkt{100, 400}};
    TSchrift font = f->Schrift;
    font.Color = 0;
    f->SetLines(lines, font, 60, alignment);
    return f;
}

TEST_F(TextDraw, FrameClipsALongLine) {
    auto f = Frame({"Diese Zeile ist viel zu lang fuer den Rahmen"}, 0);
    Shared().Printing = true; // no dotted outline, glyphs only
    const TInk ink = InkOf(Render(*f));
    ASSERT_GT(ink.pixels, 500);
    EXPECT_LE(ink.bounds.right(), 500);
    EXPECT_GE(ink.bounds.right(), 490); // the line reaches the edge
    EXPECT_GT(f->ZeilenTexte[0]->GetBounds().x2, 600);
}

TEST_F(TextDraw, CentredLinesAreCentredInk) {
    auto f = Frame({"Mitte", "mittig"}, 2);
    Shared().Printing = true;
    const TInk ink = InkOf(Render(*f));
    EXPECT_NEAR(ink.bounds.center().x(), 300, 6);
}

TEST_F(TextDraw, DottedFrameOnScreenOnly) {
    auto f = Frame({"a"}, 0);
    auto dotted = [&] {
        TRecordingSurface s;
        f->Draw(s);
        int n = 0;
        for (const auto& op : s.OfType(TRecordedOp::Type::Polyline))
            n += op.pen.style == TPenStyle::Dot;
        return n;
    };
    EXPECT_EQ(dotted(), 1);
    Shared().Printing = true;
    EXPECT_EQ(dotted(), 0);
    Shared().Printing = false;
    Shared().PreviewOrBitmapOutput = true;
    EXPECT_EQ(dotted(), 0);
}

TEST_F(TextDraw, SelectedFrameColoursItsLinesUntilDeselected) {
    auto f = Frame({"eins", "zwei"}, 0);
    auto fills = [&] {
        TRecordingSurface s;
        f->Draw(s);
        std::vector<TFarbe> colours;
        for (const auto& op : s.OfType(TRecordedOp::Type::Path)) colours.push_back(op.brush.color);
        return colours;
    };
    f->SetSelected(true);
    EXPECT_EQ(fills(),
              (std::vector<TFarbe>{Shared().SelectionPenColor, Shared().SelectionPenColor}));
    f->SetSelected(false);
    EXPECT_EQ(fills(), (std::vector<TFarbe>{0, 0}));
}

TEST_F(TextDraw, FrameKeepsTheCallersClip) {
    auto f = Frame({"Rahmen mit Clip"}, 0);
    TRecordingSurface s;
    const TRegion clip = TRegion::FromRect(QRectF(0, 0, 200, 1000));
    s.SetClipRegion(&clip);
    f->Draw(s);
    ASSERT_TRUE(s.ClipRegion().has_value());
    EXPECT_EQ(s.ClipRegion()->Bounds(), clip.Bounds());
}

} // namespace
} // namespace torvi
