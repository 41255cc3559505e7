// TKontakt: switching between contact name and text, the edit frame and the record.
#include "elements/Kontakt.h"

#include "elements/ElementGeometry.h"

namespace torvi {

TKontakt::TKontakt() : TText(ElementKind::Kontakt) {
    Schrift.Height = 18;
    PlaceAt({0, 0});
    GesicherterText = Text;
}

void TKontakt::NameZeigen() {
    if (nameShown_) return;
    GesicherterText = Text;
    savedShown_ = Anzeigetext;
    nameShown_ = true;
    SetTextAndFont(KontaktName, Schrift, Rechtsbuendig, Schrift.Height);
}

void TKontakt::TextZeigen() {
    if (!nameShown_) return;
    nameShown_ = false;
    SetTextAndFont(GesicherterText, Schrift, Rechtsbuendig, Schrift.Height);
}

void TKontakt::Draw(TSurface& s) {
    if (!Visible) return;
    DrawText(s);
    if (KontaktRahmen) {
        TPen pen = s.Pen();
        pen.color = Selected ? Shared().SelectionPenColor : Schrift.Color;
        pen.width = 0;
        pen.style = TPenStyle::Solid;
        pen.geometric = false;
        s.SetPen(pen);
        s.SetPixelMapping();
        QPolygonF box = PixelsOf(Kasten);
        box.append(box.first());
        s.Polyline(box);
    }
    RaiseAfterDraw();
}

void TKontakt::Save(TByteWriter& w) const {
    // The record always holds the real text, also while the name is shown.
    if (nameShown_)
        SaveText(w, GesicherterText, savedShown_);
    else
        SaveText(w, Text, Anzeigetext);
    w.LongString(KontaktName, kMaxTextLength);
}

void TKontakt::Load(TByteReader& r) {
    TText::Load(r);
    KontaktName = r.LongString(kMaxTextLength);
    GesicherterText = Text;
    nameShown_ = false;
}

} // namespace torvi
