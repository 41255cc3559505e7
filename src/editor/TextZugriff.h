// How the document reaches the text of a text-bearing element without knowing its kind: one
// row per kind, registered by the kind itself.
#pragma once

#include "elements/Element.h"

#include <QString>

namespace torvi {

struct TTextZugriff {
    // The stored text with its placeholders.
    QString (*Text)(const TElement&) = nullptr;
    // Sets what is shown.
    void (*SetAnzeigetext)(TElement&, const QString&) = nullptr;
    // True for a component's identifier text (page-number prefix).
    bool (*IstBauteiltext)(const TElement&) = nullptr;
};

void RegistriereTextZugriff(ElementKind kind, const TTextZugriff& zugriff);
// The row of e's kind; null when the kind has no text.
const TTextZugriff* TextZugriffFuer(const TElement& e);

} // namespace torvi
