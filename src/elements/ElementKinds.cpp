// Kind code to constructor.
#include "elements/ElementKinds.h"

#include "elements/Bauteil.h"
#include "elements/Bezier.h"
#include "elements/Gruppe.h"
#include "elements/Kontakt.h"
#include "elements/Kreis.h"
#include "elements/Linie.h"
#include "elements/Loetpunkt.h"
#include "elements/PixelBitmap.h"
#include "elements/Polygon.h"
#include "elements/Polyline.h"
#include "elements/Rechteck.h"
#include "elements/Text.h"
#include "elements/TextRect.h"

namespace torvi {
namespace {

template <typename T> TElementPtr Make() {
    return std::make_unique<T>();
}

} // namespace

const std::array<TElementFactory, kElementKindCount>& ElementFactoryTable() {
    static const std::array<TElementFactory, kElementKindCount> table = [] {
        std::array<TElementFactory, kElementKindCount> t{};
        t[int(ElementKind::Linie)] = &Make<TLinie>;
        t[int(ElementKind::Polyline)] = &Make<TPolyline>;
        t[int(ElementKind::Polygon)] = &Make<TPolygon>;
        t[int(ElementKind::Kreis)] = &Make<TKreis>;
        t[int(ElementKind::Rechteck)] = &Make<TRechteck>;
        t[int(ElementKind::Bezier)] = &Make<TBezier>;
        t[int(ElementKind::Text)] = &Make<TText>;
        t[int(ElementKind::TextRect)] = &Make<TTextRect>;
        t[int(ElementKind::Kontakt)] = &Make<TKontakt>;
        t[int(ElementKind::Gruppe)] = &Make<TGruppe>;
        t[int(ElementKind::Bauteil)] = &Make<TBauteil>;
        t[int(ElementKind::Loetpunkt)] = &Make<TLoetpunkt>;
        t[int(ElementKind::PixelBitmap)] = &Make<TPixelBitmap>;
        return t;
    }();
    return table;
}

} // namespace torvi
