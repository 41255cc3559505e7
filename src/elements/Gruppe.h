// TGruppe: elements bundled so that they behave as one; every operation goes to the members.
#pragma once

#include "elements/Element.h"

namespace torvi {

class TGruppe : public TElement {
public:
    TGruppe();

    // Owned members in drawing order: any kind, nested groups and components included.
    TElementList Mitglieder;

    // Appends a member and connects its events to the group's.
    void Add(TElementPtr member);
    // The hooks members pass their events on through: to the group's own handlers.
    TElementHooks MemberHooks();

    bool HitTest(TSurface& s, int x, int y) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    void Draw(TSurface& s) override;
    void MoveBy(TPunkt d) override;
    // An empty group has no bounds: an empty rectangle at the origin.
    TRechteckF GetBounds() const override;
    TRechteckI GetScreenRect(const TSurface& s) const override;
    void AddHandles(std::vector<TPunkt*>& /*handles*/) override {}
    void ScaleAbout(TPunkt c, double fx, double fy) override;
    void ShearAbout(TPunkt c, double sx, double sy) override;
    void RotateAbout(TPunkt c, double angle) override;
    void MirrorH(TPunkt axis) override;
    void MirrorV(TPunkt axis) override;
    TRegion SeedRegion(const TSurface& /*s*/) const override { return {}; }
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;
    void SetSelected(bool on) override;
    TPunkt GetRefPoint() const override;
    void SetFormLayer(bool on) override;
    void SetColor(TFarbe c) override;
    bool SnapToPoint(TPunkt& p) override;
    void AddConnectionPoints(std::vector<TPunkt*>& points) override;

    // True when the group holds nothing that has an extent (no members, or only empty groups).
    bool IsEmpty() const;
};

// The reference point of a member list: the first non-contact member's reference point, then
// each further one's when it lies not right of and above the current one. Contacts are
// ignored (adding pins does not move the reference) unless includeContacts is set. Without a
// member to take it from, the top-left corner of the members' bounds.
TPunkt GroupRef(const TElementList& members, bool includeContacts = false);
TPunkt GroupRef(const TGruppe& group, bool includeContacts = false);

// The first member, in list order, hit at device (x, y), searched inside nested groups (which
// are never returned themselves); null when nothing is hit.
TElement* HitMember(TGruppe& group, TSurface& s, int x, int y);

// Every contact in the list, also those in nested groups (not those inside components).
std::vector<TElement*> CollectContacts(const TElementList& list);

} // namespace torvi
