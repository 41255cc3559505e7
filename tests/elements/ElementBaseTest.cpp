// The factory, the common behaviour of all kinds and copies through the record.
#include "elements/ElementList.h"
#include "elements/Polygon.h"
#include "elements/Polyline.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

TEST(ElementBase, FactoryUsesTheLowSevenBitsAndRefusesOtherCodes) {
    EXPECT_EQ(CreateElement(4)->Kind, ElementKind::Polyline);
    EXPECT_EQ(CreateElement(0x85)->Kind, ElementKind::Polygon);
    EXPECT_EQ(CreateElement(0)->Kind, ElementKind::Linie);
    EXPECT_EQ(CreateElement(13), nullptr);
    EXPECT_EQ(CreateElement(0x7F), nullptr);
}

TEST(ElementBase, NewElementsTakeTheCurrentDefaults) {
    Shared().ShapeDefaults = {0x111111, 0x222222, 7, 3, true, false};
    Shared().LineDefaults.width = 9;
    Shared().LineDefaults.endEnd = 5;
    TPolygon p;
    TPolyline l;
    Shared().ShapeDefaults = {};
    Shared().LineDefaults = {};
    EXPECT_EQ(p.PenColor, 0x111111u);
    EXPECT_EQ(p.FillColor, 0x222222u);
    EXPECT_EQ(p.PenWidth, 7);
    EXPECT_TRUE(p.NoLine);
    EXPECT_FALSE(p.NoFill);
    EXPECT_EQ(l.PenWidth, 9);
    EXPECT_EQ(l.EndEnde, 5);
    EXPECT_EQ(l.FillColor, 0xFFFFFFu); // fill fields keep the element defaults
}

TEST(ElementBase, SetColorKeepsWhiteWhite) {
    TPolygon p;
    p.PenColor = 0xFFFFFF;
    p.FillColor = 0x00FF00;
    p.SetColor(0x0000FF);
    EXPECT_EQ(p.PenColor, 0xFFFFFFu);
    EXPECT_EQ(p.FillColor, 0x0000FFu);
}

TEST(ElementBase, TransformsMoveEveryPoint) {
    TPolyline l;
    l.Punkte = {{110, 100}, {100, 50}};
    l.RotateAbout({100, 100}, kPi / 2);
    EXPECT_NEAR(l.Punkte[0].x, 100, 1e-4);
    EXPECT_NEAR(l.Punkte[0].y, 110, 1e-4);
    EXPECT_NEAR(l.Punkte[1].x, 150, 1e-4);
    l.MirrorH({0, 0});
    EXPECT_NEAR(l.Punkte[1].x, -150, 1e-4);
    l.MirrorV({0, 10});
    EXPECT_NEAR(l.Punkte[0].y, -90, 1e-4);
    l.MoveBy({1, 2});
    EXPECT_NEAR(l.Punkte[0].y, -88, 1e-4);
    l.ScaleAbout({0, 0}, 2, 1);
    EXPECT_NEAR(l.Punkte[1].x, -298, 1e-3);
    EXPECT_EQ(l.GetRefPoint(), l.Punkte[0]);
}

TEST(ElementBase, CopiesAreEqualThroughTheRecord) {
    TPolyline l;
    l.Punkte = {{1, 2}, {3, 4}};
    l.StartEnde = 3;
    l.Zweifarbig = true;
    l.FormLayer = true;
    TElementPtr c = CopyElement(l);
    TByteWriter a, b;
    WriteElement(a, l);
    WriteElement(b, *c);
    EXPECT_EQ(a.Data(), b.Data());
    EXPECT_TRUE(c->FormLayer);
}

} // namespace
} // namespace torvi
