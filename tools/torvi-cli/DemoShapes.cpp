// Demo sections of closed shapes and curves: rectangles (plain, rounded, turned, filled,
// hatched), circles, ellipses, open and filled arcs, Bezier curves with line ends.
#include "Demo.h"

#include "elements/Bezier.h"
#include "elements/Kreis.h"
#include "elements/LineEnd.h"
#include "elements/Rechteck.h"

namespace torvi::cli {
namespace {

struct TLook {
    int32_t width = 4;
    TFarbe pen = 0;
    bool filled = false;
    TFarbe fill = 0xFFFFFF;
    uint8_t fillStyle = 0;
};

void Style(TElement& e, const TLook& look) {
    e.PenWidth = look.width;
    e.PenColor = look.pen;
    e.NoFill = !look.filled;
    e.FillColor = look.fill;
    e.FillStyle = look.fillStyle;
}

std::unique_ptr<TRechteck> Rect(TRechteckF r, float rundung, const TLook& look) {
    auto e = std::make_unique<TRechteck>();
    e->SetCorners(r);
    e->Rundung = rundung;
    e->PlaceRundungspunkt();
    Style(*e, look);
    return e;
}

std::unique_ptr<TKreis> Ellipse(TRechteckF r, const TLook& look) {
    auto e = std::make_unique<TKreis>();
    e->BuildEllipse(r.x1, r.y1, r.x2, r.y2);
    Style(*e, look);
    return e;
}

std::unique_ptr<TKreis> Arc(TRechteckF r, double from, double to, const TLook& look) {
    auto e = Ellipse(r, look);
    e->Bogenanfang = e->RayPoint(from);
    e->Bogenende = e->RayPoint(to);
    e->HandlesChanged();
    return e;
}

} // namespace

void BuildRectangleDemo(TElementList& page, float top) {
    const float y1 = top + 60, y2 = top + 360;
    page.push_back(Rect({100, y1, 450, y2}, 0, {}));
    page.push_back(Rect({550, y1, 900, y2}, 120, {6, 0x804000}));
    page.push_back(Rect({1000, y1, 1350, y2}, 60, {4, 0, true, 0x60C0FF}));
    page.push_back(Rect({1450, y1, 1800, y2}, 0, {4, 0x0000C0, true, 0xC00000, 7}));
    auto turned = Rect({1950, y1 + 40, 2300, y2 - 40}, 80, {6, 0x008000, true, 0x80FF80, 4});
    turned->RotateAbout({2125, (y1 + y2) / 2}, 30 * kPi / 180);
    page.push_back(std::move(turned));
    auto selected = Rect({2450, y1, 2850, y2}, 350, {4, 0, true, 0});
    selected->SetSelected(true);
    page.push_back(std::move(selected));
}

void BuildEllipseDemo(TElementList& page, float top) {
    const float y1 = top + 60, y2 = top + 360;
    page.push_back(Ellipse({100, y1, 400, y2}, {}));
    page.push_back(Ellipse({500, y1 + 50, 1000, y2 - 50}, {6, 0xC00000, true, 0xFFE0C0}));
    page.push_back(Ellipse({1100, y1, 1250, y2}, {4, 0, true, 0x0000FF, 6}));
    page.push_back(Arc({1350, y1, 1650, y2}, 0.3, 2.8, {8, 0x008080}));
    page.push_back(Arc({1750, y1, 2050, y2}, kPi, 0.5 * kPi, {4, 0, true, 0x40C040}));
    auto turned =
        Arc({2150, y1 + 60, 2500, y2 - 60}, 0, 1.5 * kPi, {4, 0x800080, true, 0xC0C0FF, 5});
    turned->RotateAbout({2325, (y1 + y2) / 2}, -20 * kPi / 180);
    page.push_back(std::move(turned));
    auto selected = Arc({2600, y1, 2850, y2}, 4.0, 2.0, {4, 0});
    selected->SetSelected(true);
    page.push_back(std::move(selected));
}

void BuildBezierDemo(TElementList& page, float top) {
    const float y = top + 200;
    auto wave = std::make_unique<TBezier>();
    for (int i = 0; i <= 9; ++i)
        wave->Punkte.push_back({100.f + 100 * i, i % 3 == 0 ? y : (i % 6 < 3 ? y - 170 : y + 170)});
    wave->PenWidth = 6;
    wave->PenColor = 0x804000;
    wave->EndEnde = kEndArrow;
    wave->PfeilGroesse = 1;
    page.push_back(std::move(wave));

    auto loop = std::make_unique<TBezier>();
    loop->Punkte = {{1200, y + 150}, {1200, y - 250}, {1700, y - 250}, {1500, y},
                    {1300, y + 250}, {1800, y + 250}, {1800, y - 100}, {1850, y - 150}};
    loop->PenWidth = 4;
    loop->StartEnde = kEndCircle;
    loop->EndEnde = kEndArrowOpenFill;
    loop->PfeilGroesse = 2;
    loop->SetSelected(true); // with its dotted control polygon; the 8th point is surplus
    page.push_back(std::move(loop));

    auto s = std::make_unique<TBezier>();
    s->Punkte = {{2050, y + 150}, {2650, y + 200}, {2150, y - 200}, {2800, y - 150}};
    s->PenWidth = 10;
    s->PenColor = 0x0000C0;
    s->StartEnde = kEndSquare;
    s->EndEnde = kEndDiamondWhite;
    page.push_back(std::move(s));
}

} // namespace torvi::cli
