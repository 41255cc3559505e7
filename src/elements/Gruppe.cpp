// TGruppe: forwarding to the members, the group's reference point, member hits and the
// contact collection.
#include "elements/Gruppe.h"

#include "elements/ElementList.h"

namespace torvi {
namespace {

bool IsGroup(const TElement& e) {
    return e.Kind == ElementKind::Gruppe;
}

// Empty groups have no bounds and must not widen those of the group around them.
bool HasExtent(const TElement& e) {
    return !IsGroup(e) || !static_cast<const TGruppe&>(e).IsEmpty();
}

// The union of the members' bounds; false when no member has any.
bool MembersBounds(const TElementList& members, TRechteckF& out) {
    bool any = false;
    for (const auto& m : members) {
        if (!HasExtent(*m)) continue;
        const TRechteckF b = NormRectF(m->GetBounds());
        out = any ? UniteRects(out, b) : b;
        any = true;
    }
    return any;
}

void CollectInto(const TElementList& list, std::vector<TElement*>& out) {
    for (const auto& e : list) {
        if (e->Kind == ElementKind::Kontakt)
            out.push_back(e.get());
        else if (IsGroup(*e))
            CollectInto(static_cast<const TGruppe&>(*e).Mitglieder, out);
    }
}

} // namespace

TGruppe::TGruppe() : TElement(ElementKind::Gruppe) {}

TElementHooks TGruppe::MemberHooks() {
    TElementHooks hooks;
    hooks.textChanged = [this](TElement& e) {
        if (OnTextChanged) OnTextChanged(e);
    };
    hooks.afterDraw = [this] { RaiseAfterDraw(); };
    return hooks;
}

void TGruppe::Add(TElementPtr member) {
    member->Connect(MemberHooks());
    Mitglieder.push_back(std::move(member));
}

bool TGruppe::IsEmpty() const {
    for (const auto& m : Mitglieder)
        if (HasExtent(*m)) return false;
    return true;
}

bool TGruppe::HitTest(TSurface& s, int x, int y) {
    for (const auto& m : Mitglieder)
        if (m->HitTest(s, x, y)) return true;
    return false;
}

TRegion TGruppe::HitRegion(TSurface& s, bool wide) {
    TRegion r;
    for (const auto& m : Mitglieder) r.Unite(m->HitRegion(s, wide));
    return r;
}

void TGruppe::Draw(TSurface& s) {
    if (!Visible) return;
    for (const auto& m : Mitglieder) m->Draw(s);
}

void TGruppe::MoveBy(TPunkt d) {
    for (const auto& m : Mitglieder) m->MoveBy(d);
}

TRechteckF TGruppe::GetBounds() const {
    TRechteckF r{};
    MembersBounds(Mitglieder, r);
    return r;
}

TRechteckI TGruppe::GetScreenRect(const TSurface& s) const {
    TRechteckI r{};
    bool any = false;
    for (const auto& m : Mitglieder) {
        if (!HasExtent(*m)) continue;
        const TRechteckI b = m->GetScreenRect(s);
        r = any ? TRechteckI{std::min(r.x1, b.x1), std::min(r.y1, b.y1), std::max(r.x2, b.x2),
                             std::max(r.y2, b.y2)}
                : b;
        any = true;
    }
    return r;
}

void TGruppe::ScaleAbout(TPunkt c, double fx, double fy) {
    for (const auto& m : Mitglieder) m->ScaleAbout(c, fx, fy);
}

void TGruppe::ShearAbout(TPunkt c, double sx, double sy) {
    for (const auto& m : Mitglieder) m->ShearAbout(c, sx, sy);
}

void TGruppe::RotateAbout(TPunkt c, double angle) {
    for (const auto& m : Mitglieder) m->RotateAbout(c, angle);
}

void TGruppe::MirrorH(TPunkt axis) {
    for (const auto& m : Mitglieder) m->MirrorH(axis);
}

void TGruppe::MirrorV(TPunkt axis) {
    for (const auto& m : Mitglieder) m->MirrorV(axis);
}

void TGruppe::SetSelected(bool on) {
    Selected = on;
    for (const auto& m : Mitglieder) m->SetSelected(on);
}

void TGruppe::SetFormLayer(bool on) {
    FormLayer = on;
    for (const auto& m : Mitglieder) m->SetFormLayer(on);
}

void TGruppe::SetColor(TFarbe c) {
    for (const auto& m : Mitglieder) m->SetColor(c);
}

TPunkt TGruppe::GetRefPoint() const {
    return GroupRef(Mitglieder);
}

bool TGruppe::SnapToPoint(TPunkt& p) {
    for (const auto& m : Mitglieder)
        if (m->SnapToPoint(p)) return true;
    return false;
}

void TGruppe::AddConnectionPoints(std::vector<TPunkt*>& points) {
    for (const auto& m : Mitglieder) m->AddConnectionPoints(points);
}

void TGruppe::Save(TByteWriter& w) const {
    WriteElementList(w, Mitglieder);
}

void TGruppe::Load(TByteReader& r) {
    Mitglieder.clear();
    ReadElementList(r, Mitglieder, MemberHooks());
    // Each member read sets the group's layer in turn, so the last one decides for all.
    if (!Mitglieder.empty()) SetFormLayer(Mitglieder.back()->FormLayer);
}

TPunkt GroupRef(const TElementList& members, bool includeContacts) {
    bool found = false;
    TPunkt ref;
    for (const auto& m : members) {
        if (!includeContacts && m->Kind == ElementKind::Kontakt) continue;
        if (!HasExtent(*m)) continue;
        const TPunkt p = m->GetRefPoint();
        // One combined test, not a minimum per axis.
        if (!found || (p.x <= ref.x && p.y < ref.y)) ref = p;
        found = true;
    }
    if (found) return ref;
    TRechteckF b{};
    MembersBounds(members, b);
    return {b.x1, b.y1};
}

TPunkt GroupRef(const TGruppe& group, bool includeContacts) {
    return GroupRef(group.Mitglieder, includeContacts);
}

TElement* HitMember(TGruppe& group, TSurface& s, int x, int y) {
    for (const auto& m : group.Mitglieder) {
        if (IsGroup(*m)) {
            if (TElement* inner = HitMember(static_cast<TGruppe&>(*m), s, x, y)) return inner;
        } else if (m->HitTest(s, x, y)) {
            return m.get();
        }
    }
    return nullptr;
}

std::vector<TElement*> CollectContacts(const TElementList& list) {
    std::vector<TElement*> out;
    CollectInto(list, out);
    return out;
}

} // namespace torvi
