// What polylines and polygons draw, seen through the recording surface and in real pixels.
#include "elements/LineEnd.h"
#include "elements/LinePattern.h"
#include "elements/Polygon.h"
#include "elements/Polyline.h"
#include "surface/PainterSurface.h"
#include "surface/RecordingSurface.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

namespace torvi {
namespace {

using Op = TRecordedOp::Type;

class LineDraw : public ::testing::Test {
protected:
    void SetUp() override { Shared().ViewTransform = {1, 1, 0, 0}; }
    void TearDown() override { Shared().ViewTransform = {}; }
};

std::unique_ptr<TPolyline> Line(std::vector<TPunkt> pts, uint8_t pattern = 0) {
    auto l = std::make_unique<TPolyline>();
    l->Punkte = std::move(pts);
    l->LineStyle = pattern;
    return l;
}

double Length(const QPolygonF& run) {
    double d = 0;
    for (qsizetype i = 0; i + 1 < run.size(); ++i)
        d += std::hypot(run[i + 1].x() - run[i].x(), run[i + 1].y() - run[i].y());
    return d;
}

TEST_F(LineDraw, InvisibleElementsDrawNothingAndRaiseNothing) {
    auto line = Line({{0, 0}, {100, 0}}, 2);
    line->EndEnde = kEndArrow;
    auto poly = std::make_unique<TPolygon>();
    poly->Punkte = {{0, 0}, {10, 0}, {10, 10}};
    for (TElement* e : std::initializer_list<TElement*>{line.get(), poly.get()}) {
        int raised = 0;
        e->OnAfterDraw = [&] { ++raised; };
        e->Visible = false;
        TRecordingSurface s;
        e->Draw(s);
        EXPECT_TRUE(s.ops.empty());
        EXPECT_EQ(raised, 0);
        e->Visible = true;
        e->Draw(s);
        EXPECT_FALSE(s.ops.empty());
        EXPECT_GE(raised, 1);
    }
}

TEST_F(LineDraw, SelectionColours) {
    const TFarbe pen = Shared().SelectionPenColor, fill = Shared().SelectionFillColor;
    const struct {
        TFarbe fillColour;
        TFarbe drawnFill;
    } cases[] = {{0, pen}, {0xFFFFFF, 0xFFFFFF}, {0x123456, fill}};
    for (const auto& c : cases) {
        TPolygon p;
        p.Punkte = {{0, 0}, {50, 0}, {50, 50}};
        p.NoFill = false;
        p.FillColor = c.fillColour;
        p.SetSelected(true);
        TRecordingSurface s;
        p.Draw(s);
        const auto paths = s.OfType(Op::Path);
        ASSERT_EQ(paths.size(), 1u);
        EXPECT_EQ(paths[0].pen.color, pen);
        EXPECT_EQ(paths[0].brush.color, c.drawnFill) << std::hex << c.fillColour;
    }
    auto l = Line({{0, 0}, {10, 10}});
    l->SetSelected(true);
    TRecordingSurface s;
    l->Draw(s);
    EXPECT_EQ(s.ops.at(0).pen.color, pen);
}

TEST_F(LineDraw, DragPreviewOfAPolygonIsAnOutlineOnly) {
    TPolygon p;
    p.Punkte = {{0, 0}, {50, 0}, {50, 50}};
    p.NoFill = false;
    p.NoLine = true;
    TRecordingSurface s;
    TPen preview;
    preview.mode = TPenMode::NotXor;
    s.SetPen(preview);
    p.Draw(s);
    const auto op = s.OfType(Op::Path).at(0);
    EXPECT_TRUE(op.stroke);
    EXPECT_FALSE(op.fill);
    EXPECT_EQ(op.pen.style, TPenStyle::Solid);
    EXPECT_EQ(op.pen.color, Shared().SelectionPenColor);
}

TEST_F(LineDraw, TwoPointPolygonIsALine) {
    TPolygon p;
    p.Punkte = {{0, 0}, {50, 20}};
    p.NoFill = false;
    TRecordingSurface s;
    p.Draw(s);
    EXPECT_TRUE(s.OfType(Op::Path).empty());
    EXPECT_EQ(s.OfType(Op::Polyline).size(), 1u);
}

TEST_F(LineDraw, DashCutByACornerContinuesOnTheNextSegment) {
    // Pen width 0 gives u = 1: pattern 2 is 5 on, 2 off. The first segment is 12 long, so the
    // second dash has 2 pixels before the corner and must go on for 3 after it.
    auto l = Line({{0, 0}, {12, 0}, {12, 20}}, 2);
    l->PenWidth = 0;
    TRecordingSurface s;
    l->Draw(s);
    const auto runs = s.OfType(Op::Polyline);
    ASSERT_GE(runs.size(), 2u);
    EXPECT_DOUBLE_EQ(Length(runs[0].points), 5);
    EXPECT_EQ(runs[1].points.first(), QPointF(7, 0));
    EXPECT_EQ(runs[1].points[1], QPointF(12, 0)); // through the corner
    EXPECT_DOUBLE_EQ(Length(runs[1].points), 5);
    for (size_t i = 2; i + 1 < runs.size(); ++i) EXPECT_DOUBLE_EQ(Length(runs[i].points), 5);
}

TEST_F(LineDraw, RepeatedPointsDoNotBreakThePattern) {
    const auto lengths = PatternLengths(3, 1, false);
    const QPolygonF plain({{0, 0}, {40, 0}, {40, 40}});
    const QPolygonF repeated({{0, 0}, {40, 0}, {40, 0}, {40, 40}});
    const auto a = WalkPattern(plain, lengths, false);
    const auto b = WalkPattern(repeated, lengths, false);
    EXPECT_EQ(a.runs[0], b.runs[0]);
}

TEST_F(LineDraw, PatternTablesScaleWithThePenWidth) {
    // Screen pen width 3 gives u = 4.
    EXPECT_EQ(PatternLengths(1, 3, false), (std::vector<double>{4, 8}));
    EXPECT_EQ(PatternLengths(4, 3, false), (std::vector<double>{4, 8, 4, 8, 20, 8}));
    EXPECT_EQ(PatternLengths(5, 3, false), (std::vector<double>{1, 4}));
    EXPECT_EQ(PatternLengths(2, 3, true), (std::vector<double>{24, 8}));
    EXPECT_EQ(PatternLengths(6, 3, true), (std::vector<double>{4, 8}));
    EXPECT_TRUE(PatternLengths(0, 3, false).empty());
}

TEST_F(LineDraw, TwoColourLinesAlternateColoursAndSolidIgnoresTheSecond) {
    auto l = Line({{0, 0}, {100, 0}}, 1);
    l->PenWidth = 0;
    l->Zweifarbig = true;
    l->PenColor = 0x0000FF;
    l->Farbe2 = 0x00FF00;
    TRecordingSurface s;
    l->Draw(s);
    bool first = false, second = false;
    for (const auto& op : s.OfType(Op::Polyline)) {
        first |= op.pen.color == 0x0000FFu;
        second |= op.pen.color == 0x00FF00u;
        EXPECT_EQ(op.deviceWidth, 1); // one pixel wider than the single-colour pen
    }
    EXPECT_TRUE(first && second);

    l->LineStyle = 0;
    TRecordingSurface solid;
    l->Draw(solid);
    ASSERT_EQ(solid.ops.size(), 1u);
    EXPECT_EQ(solid.ops[0].pen.color, 0x0000FFu);
}

TEST_F(LineDraw, PatternAboveSixIsResetToSolid) {
    auto l = Line({{0, 0}, {100, 0}}, 9);
    TRecordingSurface s;
    l->Draw(s);
    EXPECT_EQ(l->LineStyle, 0);
    EXPECT_EQ(s.ops.size(), 1u);
}

TEST_F(LineDraw, ArrowheadMeasuresAsTheSizesSay) {
    // Width 2: medium s = 6, so 3.4 * 6 = 20.4 long and 10.8 wide; small is half, large twice.
    Shared().ViewTransform = {10, 10, 0, 0};
    const struct {
        int size;
        double factor;
    } sizes[] = {{0, 0.5}, {1, 1}, {2, 2}};
    for (const auto& c : sizes) {
        auto l = Line({{0, 50}, {100, 50}});
        l->PenWidth = 2;
        l->EndEnde = kEndArrow;
        l->PfeilGroesse = c.size;
        TRecordingSurface s;
        l->Draw(s);
        const auto heads = s.OfType(Op::Path);
        ASSERT_EQ(heads.size(), 1u);
        const QRectF b = heads[0].points.boundingRect();
        EXPECT_NEAR(b.width(), 204 * c.factor, 1) << c.size;
        EXPECT_NEAR(b.height(), 108 * c.factor, 1) << c.size;
        EXPECT_NEAR(b.right(), 1000, 0.5);
        EXPECT_TRUE(heads[0].fill);
        EXPECT_EQ(heads[0].brush.color, l->PenColor);
    }
}

TEST_F(LineDraw, ThickLineInksPixelsOnItsPathOnly) {
    QImage image(100, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        TPainterSurface s(&image);
        auto l = Line({{10, 30}, {90, 30}});
        l->PenWidth = 6;
        l->PenColor = 0x0000FF; // red
        l->Draw(s);
    }
    EXPECT_EQ(image.pixel(50, 30), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(50, 32), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(50, 40), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(5, 30), qRgb(255, 255, 255));
}

} // namespace
} // namespace torvi
