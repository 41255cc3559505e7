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
    savedBox_ = Kasten;
    nameShown_ = true;
    SetTextAndFont(KontaktName, Schrift, Rechtsbuendig, Schrift.Height);
}

void TKontakt::TextZeigen() {
    if (!nameShown_) return;
    nameShown_ = false;
    // Unless the contact was moved or turned meanwhile, it gets its own text, shown text and
    // box back exactly; otherwise the box follows the text from where it is now.
    const bool inPlace =
        Distance(Kasten[0], savedBox_[0]) < 1e-3 || Distance(Kasten[1], savedBox_[1]) < 1e-3;
    if (!inPlace) {
        SetTextAndFont(GesicherterText, Schrift, Rechtsbuendig, Schrift.Height);
        return;
    }
    Text = GesicherterText;
    Anzeigetext = savedShown_;
    Kasten = savedBox_;
    UmrisseVeraltet = true;
    if (OnTextChanged) OnTextChanged(*this);
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
    // The record always holds the real text and its box, also while the name is shown.
    if (nameShown_)
        SaveText(w, savedBox_, GesicherterText, savedShown_);
    else
        SaveText(w, Kasten, Text, Anzeigetext);
    w.LongString(KontaktName, kMaxTextLength);
}

void TKontakt::Load(TByteReader& r) {
    TText::Load(r);
    KontaktName = r.LongString(kMaxTextLength);
    GesicherterText = Text;
    nameShown_ = false;
}

} // namespace torvi
