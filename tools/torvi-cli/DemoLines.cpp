// Demo sections of lines: every line end at three sizes, every pattern, two colours, polygons.
#include "Demo.h"

#include "elements/LineEnd.h"
#include "elements/Polygon.h"
#include "elements/Polyline.h"

namespace torvi::cli {
namespace {

std::unique_ptr<TPolyline> Line(std::vector<TPunkt> pts, int32_t width, TFarbe colour) {
    auto l = std::make_unique<TPolyline>();
    l->Punkte = std::move(pts);
    l->PenWidth = width;
    l->PenColor = colour;
    l->StartEnde = l->EndEnde = 0;
    l->LineStyle = 0;
    l->Zweifarbig = false;
    return l;
}

} // namespace

void BuildLineDemo(TElementList& page, float top) {
    // One column per line-end style, one row per size; start and end carry the same style.
    for (int size = 0; size < 3; ++size) {
        for (uint8_t style = 1; style < kLineEndStyleCount; ++style) {
            const float x = 100 + (style - 1) * 270.f;
            const float y = top + 80 + size * 220.f;
            auto l = Line({{x, y + 100}, {x + 90, y}, {x + 200, y + 60}}, 2 + 2 * size, 0x804000);
            l->StartEnde = style;
            l->EndEnde = style;
            l->PfeilGroesse = size;
            page.push_back(std::move(l));
        }
    }
}

void BuildPatternDemo(TElementList& page, float top) {
    for (uint8_t pattern = 0; pattern < 7; ++pattern) {
        const float y = top + 40 + pattern * 75.f;
        auto single = Line({{100, y}, {900, y}, {1000, y + 50}, {1400, y + 50}}, 4, 0);
        single->LineStyle = pattern;
        page.push_back(std::move(single));
        auto two = Line({{1550, y}, {2350, y}, {2450, y + 50}, {2850, y + 50}}, 6, 0xC00000);
        two->LineStyle = pattern;
        two->Zweifarbig = true;
        two->Farbe2 = 0x00C0FF;
        page.push_back(std::move(two));
    }
}

void BuildPolygonDemo(TElementList& page, float top) {
    auto filled = std::make_unique<TPolygon>();
    filled->Punkte = {{150, top + 400}, {350, top + 50}, {550, top + 400}, {350, top + 300}};
    filled->NoFill = false;
    filled->FillColor = 0x40C040;
    filled->PenWidth = 6;
    page.push_back(std::move(filled));

    auto hatched = std::make_unique<TPolygon>();
    hatched->Punkte = {{700, top + 50}, {1100, top + 50}, {1100, top + 400}, {700, top + 400}};
    hatched->NoFill = false;
    hatched->FillStyle = 6;
    hatched->FillColor = 0xFF0000;
    page.push_back(std::move(hatched));

    auto outlined = std::make_unique<TPolygon>();
    outlined->Punkte = {{1250, top + 400}, {1350, top + 50}, {1650, top + 120}, {1550, top + 400}};
    outlined->PenWidth = 10;
    outlined->PenColor = 0x0000C0;
    page.push_back(std::move(outlined));

    auto selected = std::make_unique<TPolygon>();
    selected->Punkte = {{1850, top + 50}, {2250, top + 150}, {2050, top + 400}};
    selected->NoFill = false;
    selected->FillColor = 0;
    selected->SetSelected(true);
    page.push_back(std::move(selected));

    auto selLine = Line({{2400, top + 50}, {2850, top + 400}}, 8, 0);
    selLine->EndEnde = kEndArrow;
    selLine->SetSelected(true);
    page.push_back(std::move(selLine));
}

} // namespace torvi::cli
