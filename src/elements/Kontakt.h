// TKontakt: the contact (pin label) of a component symbol, a text with a contact name that is
// shown in place of the text while the symbol is edited.
#pragma once

#include "elements/Text.h"

namespace torvi {

class TKontakt : public TText {
public:
    TKontakt();

    bool KontaktRahmen = false;
    QString KontaktName;
    QString GesicherterText;

    void Draw(TSurface& s) override;
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;

    // Shows KontaktName in place of the text, keeping the real text in GesicherterText.
    void NameZeigen();
    // Shows the real text again.
    void TextZeigen();
    bool NameSichtbar() const { return nameShown_; }

private:
    bool nameShown_ = false;
    // The shown text and box of the real text while the name is shown.
    QString savedShown_;
    std::array<TPunkt, 4> savedBox_{};
};

} // namespace torvi
