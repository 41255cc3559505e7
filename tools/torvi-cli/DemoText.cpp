// Demo section of texts: plain, styled, turned, sheared, right-aligned and web labels, a
// contact with its edit frame, a link source and target, and a frame with several lines.
#include "Demo.h"

#include "elements/Kontakt.h"
#include "elements/Text.h"
#include "elements/TextRect.h"
#include "surface/TextOutlines.h"

namespace torvi::cli {
namespace {

std::unique_ptr<TText> Label(const QString& text, TPunkt at, int32_t height, uint8_t style = 0,
                             TFarbe colour = 0, const char* font = "Arial", bool right = false) {
    auto t = std::make_unique<TText>();
    TSchrift f = t->Schrift;
    f.Name = QString::fromLatin1(font);
    f.Style = style;
    f.Color = colour;
    t->SetTextAndFont(text, f, right, height);
    t->PlaceAt(at);
    return t;
}

} // namespace

void BuildTextDemo(TElementList& page, float top) {
    page.push_back(Label("Schaltplan Netzteil 24 V", {100, top + 40}, 80));
    page.push_back(Label("fett und kursiv", {100, top + 160}, 70, kFontBold | kFontItalic, 0x0000A0,
                         "Times New Roman"));
    page.push_back(
        Label("unterstrichen", {100, top + 270}, 60, kFontUnderline, 0x006000, "Courier New"));

    auto turned = Label("um 30 Grad gedreht", {900, top + 400}, 60, 0, 0x804000);
    turned->RotateAbout({900, top + 400}, -30 * kPi / 180);
    page.push_back(std::move(turned));

    auto sheared = Label("geschert", {1000, top + 420}, 70, kFontBold, 0x800080);
    sheared->ShearAbout({1000, top + 490}, -0.4, 0);
    page.push_back(std::move(sheared));

    auto right = Label("rechtsbuendig", {1900, top + 40}, 60, 0, 0, "Arial", true);
    page.push_back(std::move(right));
    page.push_back(Label("www.beispiel.de", {1400, top + 140}, 50, 0, 0xC00000));

    auto source = Label("Link zu Blatt 2", {1400, top + 240}, 50);
    source->LinkZiel = "Blatt 2";
    page.push_back(std::move(source));
    auto target = Label("Ziel", {1850, top + 240}, 50);
    target->IstLinkZiel = true;
    page.push_back(std::move(target));

    auto contact = std::make_unique<TKontakt>();
    contact->KontaktName = "K1";
    contact->SetTextAndFont("14", contact->Schrift, false, 40);
    contact->PlaceAt({1400, top + 360});
    contact->KontaktRahmen = true;
    page.push_back(std::move(contact));

    for (uint8_t align = 0; align < 3; ++align) {
        auto frame = std::make_unique<TTextRect>();
        const float x = 2050;
        const float y = top + 20 + align * 170.f;
        frame->Rahmen = {TPunkt{x, y}, TPunkt{x + 820, y}, TPunkt{x + 820, y + 150},
                         TPunkt{x, y + 150}};
        TSchrift f = frame->Schrift;
        f.Color = 0x404040;
        frame->SetLines(
            {"Erste Zeile", "zweite, etwas laengere Zeile, die der Rahmen abschneidet", "dritte"},
            f, 45, align);
        page.push_back(std::move(frame));
    }
}

} // namespace torvi::cli
