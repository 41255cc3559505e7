// The page model: zoom and its limits, conversions, safe values and the order of painting.
#include "editor/Editor.h"
#include "elements/Polygon.h"
#include "surface/RecordingSurface.h"

#include <cmath>
#include <gtest/gtest.h>

namespace torvi {
namespace {

TEST(Editor, PageSizeAndMaxZoom) {
    struct Fall {
        int32_t breite, hoehe;
        double zoom;
        int32_t px, py, maxZoom;
    };
    for (const Fall& f : {Fall{297, 210, 0.2, 594, 420, 10}, Fall{1189, 841, 0.2, 2378, 1682, 3},
                          Fall{210, 297, 0.5, 1050, 1485, 10}}) {
        TEditor e;
        e.BreiteMM = f.breite;
        e.HoeheMM = f.hoehe;
        e.SetzeZoom(f.zoom);
        EXPECT_EQ(e.PixelBreite(), f.px);
        EXPECT_EQ(e.PixelHoehe(), f.py);
        EXPECT_EQ(e.MaxZoom(), f.maxZoom);
        EXPECT_EQ(Shared().ViewTransform.sx, float(f.zoom));
    }
}

TEST(Editor, ConversionsRoundHalfToEvenOneWayOnly) {
    TEditor e;
    e.SetzeZoom(0.5);
    EXPECT_EQ(e.PixelAusSeite({5, 3}), QPoint(2, 2)); // 2.5 -> 2, 1.5 -> 2
    EXPECT_EQ(e.SeiteAusPixel({3, 1}), (TPunkt{6, 2}));
    e.SetzeZoom(0.3);
    EXPECT_FLOAT_EQ(e.SeiteAusPixel({1, 0}).x, float(1 / 0.3f)); // not rounded
}

TEST(Editor, ZoomStepsStayInsideTheLimits) {
    TEditor e;
    e.SichtBreite = 800;
    e.SichtHoehe = 600;
    e.SetzeZoom(0.06);
    e.ZoomRaus();
    EXPECT_FLOAT_EQ(e.Zoom(), 0.05f);
    e.SetzeZoom(0.051);
    e.ZoomRaus();
    EXPECT_FLOAT_EQ(e.Zoom(), 0.051f);
    e.SetzeZoom(8);
    e.ZoomRein();
    EXPECT_FLOAT_EQ(e.Zoom(), 10);
    e.ZoomRein();
    EXPECT_FLOAT_EQ(e.Zoom(), 10);
    e.SetzeZoom(1);
    e.TasteGedrueckt = true;
    e.ZoomRein();
    EXPECT_FLOAT_EQ(e.Zoom(), 1);
}

TEST(Editor, ZoomRectangleOfZeroSizeEndsAtMaxZoomAndFitCentres) {
    TEditor e;
    e.SichtBreite = 800;
    e.SichtHoehe = 600;
    int verschoben = 0;
    e.OnAnsichtVerschoben = [&](TEditor&, bool, bool) { ++verschoben; };
    e.ZoomRechteck({100, 100, 100, 100});
    EXPECT_FLOAT_EQ(e.Zoom(), 10);
    EXPECT_EQ(verschoben, 1);
    e.ZoomBlatt();
    // The page with its margin fits the visible area.
    EXPECT_LE(e.PixelBreite() * 1.005, 801);
    EXPECT_LE(e.PixelHoehe() * 1.005, 601);
    EXPECT_GE(e.Zoom(), 0.2);
}

TEST(Editor, UnsafeValuesAreReplaced) {
    TEditor e;
    e.BreiteMM = 0;
    e.HoeheMM = -4;
    e.Raster = 0;
    e.Ursprung = {std::nanf(""), INFINITY};
    e.SetzeZoom(NAN);
    e.Absichern();
    EXPECT_EQ(e.BreiteMM, 297);
    EXPECT_EQ(e.HoeheMM, 210);
    EXPECT_EQ(e.Raster, 10);
    EXPECT_EQ(e.Ursprung, (TPunkt{0, 0}));
    EXPECT_FLOAT_EQ(e.Zoom(), 0.2f);
}

std::vector<double> VertikaleLinien(const TRecordingSurface& s) {
    std::vector<double> x;
    for (const auto& op : s.OfType(TRecordedOp::Type::Line))
        if (op.points[0].x() == op.points[1].x()) x.push_back(op.points[0].x());
    return x;
}

TEST(Editor, GridNeedsFivePixelsAndRunsThroughTheOrigin) {
    TEditor e;
    TRecordingSurface s;
    e.SetzeZoom(0.2); // 1 mm = 2 pixels: no grid
    e.Paint(s);
    EXPECT_TRUE(VertikaleLinien(s).empty());

    e.SetzeZoom(1); // 1 mm = 10 pixels
    e.Ursprung = {15, 0};
    s.ops.clear();
    e.Paint(s);
    const std::vector<double> x = VertikaleLinien(s);
    ASSERT_GE(x.size(), 3u);
    EXPECT_DOUBLE_EQ(x[0], 5);
    EXPECT_DOUBLE_EQ(x[1], 15);
    EXPECT_DOUBLE_EQ(x[2], 25);
    // 5, 15, ... 2975: the last one lies just beyond the page edge.
    EXPECT_EQ(x.size(), 298u);
    EXPECT_DOUBLE_EQ(x.back(), 2975);
}

TEST(Editor, PaintsBackgroundGridThenElementsAndFormModeOnlyTheForm) {
    TEditor e;
    e.SetzeZoom(1);
    auto form = std::make_unique<TPolygon>();
    form->Punkte = {{10, 10}, {100, 10}, {100, 100}};
    form->SetFormLayer(true);
    auto zeichnung = std::make_unique<TPolygon>();
    zeichnung->Punkte = {{200, 200}, {300, 200}, {300, 300}};
    e.Elemente.push_back(std::move(form));
    e.Elemente.push_back(std::move(zeichnung));
    e.MagnetlinienV.push_back({400});

    TRecordingSurface s;
    e.Paint(s);
    ASSERT_FALSE(s.ops.empty());
    EXPECT_EQ(s.ops.front().type, TRecordedOp::Type::FillRect);
    EXPECT_EQ(s.ops.front().brush.color, TSeitenPalette::Standard().Eintraege[0]);
    // Grid lines, then the two polygons, then the magnet line.
    std::vector<size_t> pfade;
    for (size_t i = 0; i < s.ops.size(); ++i)
        if (s.ops[i].type == TRecordedOp::Type::Path) pfade.push_back(i);
    ASSERT_EQ(pfade.size(), 2u);
    EXPECT_EQ(s.ops[pfade[0] - 1].type, TRecordedOp::Type::Line);
    EXPECT_EQ(s.ops.back().type, TRecordedOp::Type::Line);
    EXPECT_EQ(s.ops.back().pen.style, TPenStyle::Dot);

    e.FormblattModus = true;
    s.ops.clear();
    TMalOptionen ohneHilfen;
    ohneHilfen.Raster = false;
    ohneHilfen.Hilfen = false;
    e.Paint(s, ohneHilfen);
    EXPECT_EQ(s.ops.front().brush.color, TSeitenPalette::Standard().Eintraege[1]);
    EXPECT_EQ(s.OfType(TRecordedOp::Type::Path).size(), 1u);
    EXPECT_TRUE(s.OfType(TRecordedOp::Type::Line).empty());
}

TEST(Editor, AClipOutsideAnElementSkipsIt) {
    TEditor e;
    e.SetzeZoom(1);
    e.RasterSichtbar = false;
    auto p = std::make_unique<TPolygon>();
    p->Punkte = {{10, 10}, {50, 10}, {50, 50}};
    e.Elemente.push_back(std::move(p));
    TRecordingSurface s;
    TMalOptionen o;
    o.Clip = QRect(1000, 1000, 50, 50);
    e.Paint(s, o);
    EXPECT_TRUE(s.OfType(TRecordedOp::Type::Path).empty());
    o.Clip = QRect(0, 0, 30, 30);
    e.Paint(s, o);
    EXPECT_EQ(s.OfType(TRecordedOp::Type::Path).size(), 1u);
}

} // namespace
} // namespace torvi
