// TBauteil: drawing, hits and transforms of a component through its symbol and texts, its
// record, and the origin of a selection holding a component.
#include "elements/Bauteil.h"

#include <algorithm>

namespace torvi {
namespace {

TPunkt Minus(TPunkt a, TPunkt b) {
    return {a.x - b.x, a.y - b.y};
}

TPunkt Plus(TPunkt a, TPunkt b) {
    return {a.x + b.x, a.y + b.y};
}

TPunkt Rounded(TPunkt p) {
    return {float(RoundEven(p.x)), float(RoundEven(p.y))};
}

TRechteckI UniteScreen(const TRechteckI& a, const TRechteckI& b) {
    const TRechteckI n = NormRect(b);
    return {std::min(a.x1, n.x1), std::min(a.y1, n.y1), std::max(a.x2, n.x2), std::max(a.y2, n.y2)};
}

// Switches component snapping on for the symbol and off again, also when a member throws.
class TComponentSnapScope {
public:
    TComponentSnapScope() { Shared().InComponentSnap = true; }
    ~TComponentSnapScope() { Shared().InComponentSnap = false; }
    TComponentSnapScope(const TComponentSnapScope&) = delete;
    TComponentSnapScope& operator=(const TComponentSnapScope&) = delete;
};

} // namespace

TBauteil::TBauteil()
    : TElement(ElementKind::Bauteil), Symbol(std::make_unique<TGruppe>()),
      BezeichnerText(std::make_unique<TText>()), WertText(std::make_unique<TText>()) {
    // Both texts start empty; the identifier's shown text is set directly, since the
    // identifier keeps a shown text once it has one.
    for (TText* t : {BezeichnerText.get(), WertText.get()}) {
        t->Text.clear();
        t->Anzeigetext.clear();
        t->PlaceAt({0, 0});
        t->UmrisseVeraltet = true;
    }
    BezeichnerText->Bauteiltext = true;
    SetNummer(0);
}

std::array<TElement*, 3> TBauteil::Parts() const {
    return {Symbol.get(), BezeichnerText.get(), WertText.get()};
}

void TBauteil::SetNummer(int32_t n) {
    Nummer = n;
    if (!AutoNum) return;
    TText& t = *BezeichnerText;
    t.SetTextAndFont(Bezeichner + QString::number(n), t.Schrift, t.Rechtsbuendig, t.Schrift.Height);
}

TPunkt TBauteil::Ursprung() const {
    return Plus(GetRefPoint(), UrsprungOffset);
}

void TBauteil::Connect(const TElementHooks& hooks) {
    TElement::Connect(hooks);
    for (TElement* part : Parts()) part->Connect(hooks);
}

bool TBauteil::HitTest(TSurface& s, int x, int y) {
    // Hidden texts still count: a click on a hidden identifier picks the component.
    for (TElement* part : Parts())
        if (part->HitTest(s, x, y)) return true;
    return false;
}

TRegion TBauteil::HitRegion(TSurface& s, bool wide) {
    TRegion r = Symbol->HitRegion(s, wide);
    if (BezSichtbar) r.Unite(BezeichnerText->HitRegion(s, wide));
    if (WertSichtbar) r.Unite(WertText->HitRegion(s, wide));
    return r;
}

void TBauteil::Draw(TSurface& s) {
    if (!Visible) return;
    Symbol->Draw(s);
    if (BezSichtbar) BezeichnerText->Draw(s);
    if (WertSichtbar) WertText->Draw(s);
}

void TBauteil::MoveBy(TPunkt d) {
    for (TElement* part : Parts()) part->MoveBy(d);
}

TRechteckF TBauteil::GetBounds() const {
    bool any = !Symbol->IsEmpty();
    TRechteckF r = any ? NormRectF(Symbol->GetBounds()) : TRechteckF{};
    const std::array<std::pair<bool, const TText*>, 2> texts = {
        std::pair{BezSichtbar, BezeichnerText.get()}, std::pair{WertSichtbar, WertText.get()}};
    for (const auto& [shown, text] : texts) {
        if (!shown) continue;
        const TRechteckF b = NormRectF(text->GetBounds());
        r = any ? UniteRects(r, b) : b;
        any = true;
    }
    return r;
}

TRechteckI TBauteil::GetScreenRect(const TSurface& s) const {
    bool any = !Symbol->IsEmpty();
    TRechteckI r = any ? NormRect(Symbol->GetScreenRect(s)) : TRechteckI{};
    const std::array<std::pair<bool, const TText*>, 2> texts = {
        std::pair{BezSichtbar, BezeichnerText.get()}, std::pair{WertSichtbar, WertText.get()}};
    for (const auto& [shown, text] : texts) {
        if (!shown) continue;
        const TRechteckI b = NormRect(text->GetScreenRect(s));
        r = any ? UniteScreen(r, b) : b;
        any = true;
    }
    return r;
}

void TBauteil::TransformKeepingOrigin(const std::function<void(TElement&)>& apply,
                                      const std::function<TPunkt(TPunkt)>& pointMap) {
    const TPunkt origin = Ursprung();
    for (TElement* part : Parts()) apply(*part);
    UrsprungOffset = Minus(pointMap(origin), GetRefPoint());
}

void TBauteil::ScaleAbout(TPunkt c, double fx, double fy) {
    TransformKeepingOrigin([&](TElement& e) { e.ScaleAbout(c, fx, fy); },
                           [&](TPunkt p) { return ScalePoint(p, c, fx, fy); });
}

void TBauteil::ShearAbout(TPunkt c, double sx, double sy) {
    TransformKeepingOrigin([&](TElement& e) { e.ShearAbout(c, sx, sy); },
                           [&](TPunkt p) { return ShearPoint(p, c, sx, sy); });
}

// The angle is in radians, as for every element; RotatePoint takes degrees.
void TBauteil::RotateAbout(TPunkt c, double angle) {
    TransformKeepingOrigin([&](TElement& e) { e.RotateAbout(c, angle); },
                           [&](TPunkt p) { return RotatePoint(p, c, angle * 180 / kPi); });
}

void TBauteil::MirrorH(TPunkt axis) {
    TransformKeepingOrigin([&](TElement& e) { e.MirrorH(axis); },
                           [&](TPunkt p) { return MirrorX(p, axis.x); });
}

void TBauteil::MirrorV(TPunkt axis) {
    TransformKeepingOrigin([&](TElement& e) { e.MirrorV(axis); },
                           [&](TPunkt p) { return MirrorY(p, axis.y); });
}

void TBauteil::SetSelected(bool on) {
    Selected = on;
    for (TElement* part : Parts()) part->SetSelected(on);
}

void TBauteil::SetFormLayer(bool on) {
    FormLayer = on;
    for (TElement* part : Parts()) part->SetFormLayer(on);
}

void TBauteil::SetColor(TFarbe c) {
    for (TElement* part : Parts()) part->SetColor(c);
}

TPunkt TBauteil::GetRefPoint() const {
    return Symbol->GetRefPoint();
}

bool TBauteil::SnapToPoint(TPunkt& p) {
    // Lines inside a component snap only at their ends.
    TComponentSnapScope scope;
    return Symbol->SnapToPoint(p);
}

void TBauteil::AddConnectionPoints(std::vector<TPunkt*>& points) {
    const size_t first = points.size();
    Symbol->AddConnectionPoints(points);
    // Points the component itself would not snap to (inner line points) are not offered.
    const auto kept = std::remove_if(points.begin() + std::ptrdiff_t(first), points.end(),
                                     [this](const TPunkt* p) {
                                         TPunkt probe = *p;
                                         return !SnapToPoint(probe);
                                     });
    points.erase(kept, points.end());
}

void TBauteil::Save(TByteWriter& w) const {
    Symbol->Save(w);
    BezeichnerText->Save(w);
    WertText->Save(w);
    w.Bool(AutoNum);
    w.Bool(Nachfragen);
    w.Bool(WertSichtbar);
    w.Bool(BezSichtbar);
    w.LongString(Beschreibung, kMaxBauteilString);
    w.LongString(Bezeichner, kMaxBauteilString);
    w.Int32(Nummer);
    w.Punkt(UrsprungOffset);
    w.Int32(Raster);
    w.Bool(InStueckliste);
    w.LongString(SLText, kMaxBauteilString);
}

void TBauteil::Load(TByteReader& r) {
    const int32_t version = Shared().ReadVersion;
    Symbol->Load(r);
    BezeichnerText->Load(r);
    WertText->Load(r);
    AutoNum = r.Bool();
    Nachfragen = r.Bool();
    WertSichtbar = r.Bool();
    BezSichtbar = r.Bool();
    Beschreibung = r.LongString(kMaxBauteilString);
    Bezeichner = r.LongString(kMaxBauteilString);
    Nummer = r.Int32();
    UrsprungOffset = r.Punkt();
    Raster = r.Int32();
    InStueckliste = r.Bool();
    SLText = version >= 50 ? r.LongString(kMaxBauteilString) : QString();
    if (version <= 59) {
        // Older data measured the offset from the reference of all members, contacts included.
        const TPunkt shift = Rounded(Minus(GetRefPoint(), GroupRef(*Symbol, true)));
        UrsprungOffset = Minus(Rounded(UrsprungOffset), shift);
    }
    SetNummer(Nummer);
    SetFormLayer(BezeichnerText->FormLayer);
}

TPunkt GroupOrigin(const TGruppe& group) {
    for (const auto& m : group.Mitglieder) {
        if (m->Kind != ElementKind::Bauteil) continue;
        const auto& b = static_cast<const TBauteil&>(*m);
        return Minus(Minus(GroupRef(group), b.GetRefPoint()), b.UrsprungOffset);
    }
    return {0, 0};
}

} // namespace torvi
