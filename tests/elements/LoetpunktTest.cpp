// Solder dots: fixed radius through every transform, drawing at the zoom, hit area, record.
#include "elements/Loetpunkt.h"
#include "support/Records.h"
#include "surface/RecordingSurface.h"

#include <gtest/gtest.h>

using namespace torvi;
using namespace torvi::test;

namespace {

struct TViewGuard {
    TViewTransform saved = Shared().ViewTransform;
    explicit TViewGuard(TViewTransform v) { Shared().ViewTransform = v; }
    ~TViewGuard() { Shared().ViewTransform = saved; }
};

} // namespace

TEST(Loetpunkt, RecordReadsAndWritesBackByteForByte) {
    TBytes t;
    t.U8(8);
    CommonPart(t, true, false, 2, 0, 0x0000FF, true).F32(100.5f).F32(-20.25f);
    TElementPtr e = ReadOne(t.b);
    ASSERT_TRUE(e);
    auto& dot = static_cast<TLoetpunkt&>(*e);
    EXPECT_EQ(dot.Mittelpunkt, (TPunkt{100.5f, -20.25f}));
    EXPECT_EQ(dot.FillColor, 0x0000FFu);
    EXPECT_TRUE(dot.FormLayer);
    EXPECT_EQ(dot.Radius, 6);
    EXPECT_EQ(WriteOne(dot), t.b);
}

TEST(Loetpunkt, NewDotIsABlackFilledDotWithoutOutline) {
    TLoetpunkt dot;
    EXPECT_TRUE(dot.NoLine);
    EXPECT_FALSE(dot.NoFill);
    EXPECT_EQ(dot.FillColor, 0u);
    EXPECT_EQ(dot.FillStyle, 0);
    EXPECT_EQ(dot.PenWidth, 2);
    EXPECT_EQ(dot.Radius, 6);
    std::vector<TPunkt*> handles;
    dot.AddHandles(handles);
    EXPECT_TRUE(handles.empty());
}

TEST(Loetpunkt, TransformsMoveTheCentreAndKeepTheRadius) {
    TLoetpunkt dot;
    dot.Mittelpunkt = {100, 50};
    dot.ScaleAbout({0, 0}, 3, 3);
    EXPECT_EQ(dot.Mittelpunkt, (TPunkt{300, 150}));
    EXPECT_EQ(dot.GetBounds(), (TRechteckF{294, 144, 306, 156}));
    dot.RotateAbout({300, 100}, kPi / 2); // 90 degrees clockwise: below becomes left
    EXPECT_NEAR(dot.Mittelpunkt.x, 250, 1e-3);
    EXPECT_NEAR(dot.Mittelpunkt.y, 100, 1e-3);
    dot.MirrorH({200, 0});
    EXPECT_NEAR(dot.Mittelpunkt.x, 150, 1e-3);
    EXPECT_EQ(dot.GetRefPoint(), dot.Mittelpunkt);
    EXPECT_EQ(dot.GetBounds().x2 - dot.GetBounds().x1, 12);
}

TEST(Loetpunkt, DrawsAFilledEllipseScaledWithTheZoom) {
    TViewGuard view({2, 2, 10, 20});
    TLoetpunkt dot;
    dot.Mittelpunkt = {100, 50};
    int afterDraw = 0;
    dot.OnAfterDraw = [&] { ++afterDraw; };
    TRecordingSurface s;
    dot.Draw(s);
    ASSERT_EQ(s.ops.size(), 1u);
    const TRecordedOp& op = s.ops[0];
    EXPECT_TRUE(op.fill);
    EXPECT_FALSE(op.stroke); // no outline
    EXPECT_EQ(op.brush.color, 0u);
    // Centre (210, 120), radius 12 pixels; the far corner one pixel out.
    EXPECT_EQ(op.path.boundingRect(), QRectF(QPointF(198, 108), QPointF(223, 133)));
    EXPECT_EQ(afterDraw, 1);

    dot.Visible = false;
    dot.Draw(s);
    EXPECT_EQ(s.ops.size(), 1u);
    EXPECT_EQ(afterDraw, 1);
}

TEST(Loetpunkt, SelectedDotIsEntirelyInTheSelectionColour) {
    TLoetpunkt dot;
    dot.FillColor = 0x00FF00; // a filled shape would take the selection fill colour
    dot.NoLine = false;
    dot.SetSelected(true);
    TRecordingSurface s;
    dot.Draw(s);
    ASSERT_EQ(s.ops.size(), 1u);
    EXPECT_EQ(s.ops[0].brush.color, Shared().SelectionPenColor);
    EXPECT_EQ(s.ops[0].pen.color, Shared().SelectionPenColor);
}

TEST(Loetpunkt, HitAreaIsTheDotGrownByToleranceAndHalfThePen) {
    TLoetpunkt dot;
    dot.Mittelpunkt = {100, 100};
    TRecordingSurface s; // identity mapping: tolerance 3 units, half pen 1
    EXPECT_TRUE(dot.HitTest(s, 109, 100));
    EXPECT_TRUE(dot.HitTest(s, 100, 91));
    EXPECT_FALSE(dot.HitTest(s, 111, 100));
    EXPECT_FALSE(dot.HitTest(s, 108, 108)); // outside the circle, inside its square
    EXPECT_TRUE(dot.HitRegion(s, true).Contains(QPointF(125, 100)));
}
