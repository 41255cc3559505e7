// The table of text access rows by kind.
#include "editor/TextZugriff.h"

#include <array>
#include <optional>

namespace torvi {
namespace {
std::array<std::optional<TTextZugriff>, kElementKindCount>& Tabelle() {
    static std::array<std::optional<TTextZugriff>, kElementKindCount> t;
    return t;
}
} // namespace

void RegistriereTextZugriff(ElementKind kind, const TTextZugriff& zugriff) {
    Tabelle()[size_t(kind)] = zugriff;
}

const TTextZugriff* TextZugriffFuer(const TElement& e) {
    const auto& row = Tabelle()[size_t(e.Kind)];
    return row && row->Text && row->SetAnzeigetext ? &*row : nullptr;
}

} // namespace torvi
