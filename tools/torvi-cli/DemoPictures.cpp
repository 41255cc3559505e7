// Demo section of solder dots, a generated picture upright, turned and sheared, a group of
// lines and polygons, and components with their identifier and value.
#include "Demo.h"

#include "elements/Bauteil.h"
#include "elements/Gruppe.h"
#include "elements/Kontakt.h"
#include "elements/Loetpunkt.h"
#include "elements/PixelBitmap.h"
#include "elements/Polygon.h"
#include "elements/Polyline.h"

namespace torvi::cli {
namespace {

// A colour gradient with a dark frame and a diagonal, so that turns and mirrors show.
QImage GradientPicture(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool frame = x < 3 || y < 3 || x >= w - 3 || y >= h - 3;
            const bool diagonal = std::abs(x * h / w - y) < 2;
            img.setPixel(x, y,
                         frame || diagonal ? qRgb(30, 30, 30)
                                           : qRgb(x * 255 / w, y * 255 / h, 255 - x * 255 / w));
        }
    return img;
}

std::unique_ptr<TPixelBitmap> Picture(float x, float y) {
    auto pic = std::make_unique<TPixelBitmap>();
    pic->PastePicture(GradientPicture(160, 100));
    pic->ScaleAbout({0, 0}, 2.5, 2.5); // 400 x 250 units
    pic->MoveBy({x, y});
    return pic;
}

std::unique_ptr<TPolyline> Wire(std::vector<TPunkt> pts) {
    auto l = std::make_unique<TPolyline>();
    l->Punkte = std::move(pts);
    l->PenWidth = 4;
    l->PenColor = 0;
    l->StartEnde = l->EndEnde = 0;
    l->LineStyle = 0;
    l->Zweifarbig = false;
    return l;
}

void AddDots(TElementList& page, float top) {
    // A small wiring with solder dots at its junctions.
    const float y = top + 150;
    page.push_back(Wire({{100, y}, {500, y}}));
    page.push_back(Wire({{200, y - 100}, {200, y + 150}}));
    page.push_back(Wire({{400, y}, {400, y + 150}, {500, y + 150}}));
    for (TPunkt p : {TPunkt{200, y}, TPunkt{400, y}}) {
        auto dot = std::make_unique<TLoetpunkt>();
        dot->Mittelpunkt = p;
        page.push_back(std::move(dot));
    }
    auto red = std::make_unique<TLoetpunkt>();
    red->Mittelpunkt = {300, y + 100};
    red->FillColor = 0x0000C0;
    page.push_back(std::move(red));
}

void AddGroup(TElementList& page, float top) {
    auto group = std::make_unique<TGruppe>();
    auto box = std::make_unique<TPolygon>();
    box->Punkte = {{2350, top + 60}, {2850, top + 60}, {2850, top + 360}, {2350, top + 360}};
    box->NoFill = false;
    box->FillColor = 0xD0F0FF;
    box->PenWidth = 4;
    group->Add(std::move(box));
    auto triangle = std::make_unique<TPolygon>();
    triangle->Punkte = {{2450, top + 320}, {2600, top + 100}, {2750, top + 320}};
    triangle->NoFill = false;
    triangle->FillColor = 0x3060E0;
    group->Add(std::move(triangle));
    group->Add(Wire({{2370, top + 340}, {2830, top + 80}}));
    auto inner = std::make_unique<TGruppe>();
    inner->Add(Wire({{2380, top + 90}, {2480, top + 90}, {2480, top + 190}}));
    group->Add(std::move(inner));
    group->RotateAbout({2600, top + 210}, -10 * kPi / 180); // turned as one
    page.push_back(std::move(group));
}

std::unique_ptr<TText> Label(const QString& text, TPunkt at, int32_t height) {
    auto t = std::make_unique<TText>();
    t->SetTextAndFont(text, t->Schrift, false, height);
    t->PlaceAt(at);
    return t;
}

void SetLabel(TText& t, const QString& text, TPunkt at) {
    t.SetTextAndFont(text, t.Schrift, false, 36);
    t.PlaceAt(at);
}

// A resistor with its two pins numbered, identifier R<number> above and value below.
std::unique_ptr<TBauteil> Resistor(float x, float y, int32_t number, const QString& value) {
    auto b = std::make_unique<TBauteil>();
    // The page writes the shown text of an identifier; here it is the text itself.
    TElementHooks hooks;
    hooks.textChanged = [](TElement& e) {
        auto& t = static_cast<TText&>(e);
        if (t.Bauteiltext) t.Anzeigetext = t.Text;
    };
    b->Connect(hooks);
    auto body = std::make_unique<TPolygon>();
    body->Punkte = {{x + 60, y - 25}, {x + 180, y - 25}, {x + 180, y + 25}, {x + 60, y + 25}};
    body->PenWidth = 4;
    b->Symbol->Add(std::move(body));
    b->Symbol->Add(Wire({{x, y}, {x + 60, y}}));
    b->Symbol->Add(Wire({{x + 180, y}, {x + 240, y}}));
    for (const auto& [pin, px] : {std::pair{"1", x + 10}, std::pair{"2", x + 210}}) {
        auto contact = std::make_unique<TKontakt>();
        contact->SetTextAndFont(QString::fromLatin1(pin), contact->Schrift, false, 24);
        contact->PlaceAt({px, y - 32});
        b->Symbol->Add(std::move(contact));
    }
    b->Bezeichner = QStringLiteral("R");
    b->AutoNum = true;
    SetLabel(*b->BezeichnerText, QStringLiteral("R"), {x + 80, y - 75});
    b->SetNummer(number);
    SetLabel(*b->WertText, value, {x + 80, y + 35});
    b->UrsprungOffset = {x - b->GetRefPoint().x, y - b->GetRefPoint().y};
    return b;
}

void AddComponents(TElementList& page, float top) {
    const float y = top + 560;
    page.push_back(Label(QStringLiteral("Bauteile"), {100, y - 80}, 40));
    page.push_back(Resistor(400, y, 1, QStringLiteral("4k7")));
    auto turned = Resistor(800, y, 2, QStringLiteral("100R"));
    turned->RotateAbout({920, y}, kPi / 2);
    page.push_back(std::move(turned));
    auto mirrored = Resistor(1100, y, 3, QStringLiteral("hidden value"));
    mirrored->WertSichtbar = false;
    mirrored->MirrorH({1220, y});
    page.push_back(std::move(mirrored));
    auto selected = Resistor(1500, y, 4, QStringLiteral("1M"));
    selected->BezSichtbar = false;
    selected->SetSelected(true);
    page.push_back(std::move(selected));
}

} // namespace

void BuildPictureDemo(TElementList& page, float top) {
    AddDots(page, top);
    page.push_back(Picture(650, top + 50));
    auto turned = Picture(1150, top + 50);
    turned->RotateAbout({1350, top + 175}, 30 * kPi / 180);
    page.push_back(std::move(turned));
    auto sheared = Picture(1700, top + 50);
    sheared->ShearAbout({1900, top + 175}, 0.4, 0);
    sheared->SetSelected(true);
    page.push_back(std::move(sheared));
    AddGroup(page, top);
    AddComponents(page, top);
}

} // namespace torvi::cli
