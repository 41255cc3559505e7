// The drawing surface: mappings, regions, widened paths, raster modes and hatches on QPainter.
#include "surface/PainterSurface.h"
#include "surface/RecordingSurface.h"

#include <QImage>
#include <gtest/gtest.h>

namespace torvi {
namespace {

TEST(Surface, MappingConvertsBothWays) {
    TRecordingSurface s;
    s.SetMapping({0.5, -2, 100, 300}); // y up, as for metric printing
    EXPECT_EQ(s.ToDevice(QPointF(10, 10)), QPointF(105, 280));
    EXPECT_EQ(s.ToLogical(QPointF(105, 280)), QPointF(10, 10));
    s.SetPixelMapping(3, 4);
    EXPECT_EQ(s.ToDevice(QPointF(1, 1)), QPointF(4, 5));
}

TEST(Surface, RegionsUniteWithoutCancellingOverlaps) {
    // Two overlapping squares of opposite orientation would cancel under one winding path.
    TRegion r = TRegion::FromPolygon(QPolygonF({{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    r.Unite(TRegion::FromPolygon(QPolygonF({{5, 5}, {5, 15}, {15, 15}, {15, 5}})));
    EXPECT_TRUE(r.Contains({7, 7}));
    EXPECT_TRUE(r.Contains({2, 2}));
    EXPECT_TRUE(r.Contains({14, 14}));
    EXPECT_FALSE(r.Contains({14, 2}));
    EXPECT_EQ(r.Bounds(), QRectF(0, 0, 15, 15));
    EXPECT_TRUE(r.IntersectsRect(QRectF(12, 12, 1, 1)));
    EXPECT_FALSE(r.IntersectsRect(QRectF(12, 0, 2, 2)));
    EXPECT_FALSE(TRegion().Contains({0, 0}));
}

TEST(Surface, WidenedPathCoversThePenWidthInLogicalUnits) {
    TRecordingSurface s;
    s.SetMapping({2, 2, 0, 0});
    TPen pen;
    pen.geometric = true;
    pen.width = 10; // units, so 20 pixels wide on this mapping
    pen.ends = TPenEnds::SquareMitre;
    s.SetPen(pen);
    TPath line;
    line.MoveTo({10, 50});
    line.LineTo({90, 50});
    const TRegion r = s.PathToRegion(s.WidenPath(line));
    EXPECT_TRUE(r.Contains({100, 109}));
    EXPECT_FALSE(r.Contains({100, 111}));
    EXPECT_TRUE(r.Contains({11, 100})); // square caps reach half the width beyond the end
    EXPECT_FALSE(r.Contains({9, 100}));
}

TEST(Surface, NotXorDrawnTwiceLeavesTheImageAsItWas) {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    image.setPixel(20, 20, qRgb(10, 200, 30));
    const QImage before = image.copy();
    {
        TPainterSurface s(&image);
        TPen pen;
        pen.mode = TPenMode::NotXor;
        pen.color = 0x0000FF;
        s.SetPen(pen);
        s.Polyline(QPolygonF({{0, 20}, {39, 20}}));
        EXPECT_NE(image, before);
        s.Polyline(QPolygonF({{0, 20}, {39, 20}}));
    }
    EXPECT_EQ(image, before);
}

TEST(Surface, HatchedBrushLeavesGapsSolidDoesNot) {
    for (TBrushStyle style : {TBrushStyle::Solid, TBrushStyle::Cross}) {
        QImage image(32, 32, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            TPainterSurface s(&image);
            TPen none;
            none.style = TPenStyle::Clear;
            s.SetPen(none);
            s.SetBrush({0x000000, style});
            s.Rectangle(QRectF(0, 0, 32, 32));
        }
        int white = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) white += image.pixel(x, y) == qRgb(255, 255, 255);
        if (style == TBrushStyle::Solid)
            EXPECT_EQ(white, 0);
        else
            EXPECT_GT(white, 32 * 32 / 2);
    }
}

TEST(Surface, ImagesGoOntoTheirParallelogram) {
    TRecordingSurface s;
    s.SetMapping({2, 2, 0, 0});
    QImage img(4, 4, QImage::Format_RGB32);
    EXPECT_TRUE(s.DrawImageParallelogram(img, {10, 10}, {20, 10}, {10, 30}));
    const auto op = s.OfType(TRecordedOp::Type::Image).at(0);
    EXPECT_EQ(op.points, QPolygonF({{20, 20}, {40, 20}, {40, 60}, {20, 60}}));
    s.canTransformImages = false;
    EXPECT_FALSE(s.DrawImageParallelogram(img, {10, 10}, {20, 10}, {10, 30}));
}

} // namespace
} // namespace torvi
