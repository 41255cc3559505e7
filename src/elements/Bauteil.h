// TBauteil: a component of a schematic, a symbol group with identifier and value texts and
// the properties the library, the component list and the numbering read.
#pragma once

#include "elements/Gruppe.h"
#include "elements/Text.h"

#include <functional>
#include <memory>

namespace torvi {

// Longest description, identifier and list text a component record may hold.
constexpr int kMaxBauteilString = 250;

class TBauteil : public TElement {
public:
    TBauteil();

    int32_t Nummer = 0;
    std::unique_ptr<TGruppe> Symbol;
    std::unique_ptr<TText> BezeichnerText;
    std::unique_ptr<TText> WertText;
    bool AutoNum = false;
    bool Nachfragen = false;
    bool WertSichtbar = true;
    bool BezSichtbar = true;
    QString Beschreibung;
    // The symbol's origin relative to GetRefPoint.
    TPunkt UrsprungOffset{0, 0};
    int32_t Raster = 10;
    QString Bezeichner;
    bool InStueckliste = true;
    QString SLText;

    // Sets the number; with AutoNum the identifier becomes Bezeichner followed by it.
    void SetNummer(int32_t n);
    // The absolute origin point of the symbol.
    TPunkt Ursprung() const;

    bool HitTest(TSurface& s, int x, int y) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    void Draw(TSurface& s) override;
    void MoveBy(TPunkt d) override;
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
    void ApplyDefaults() override {}
    bool SnapToPoint(TPunkt& p) override;
    void AddConnectionPoints(std::vector<TPunkt*>& points) override;
    void Connect(const TElementHooks& hooks) override;

private:
    // Applies a transform to the parts and carries the origin along with pointMap.
    void TransformKeepingOrigin(const std::function<void(TElement&)>& apply,
                                const std::function<TPunkt(TPunkt)>& pointMap);
    // The parts each forwarded operation reaches, symbol first.
    std::array<TElement*, 3> Parts() const;
};

// Origin of a selection: for the group's first component, the group's reference point minus
// the component's reference point and origin offset; (0, 0) without a component.
TPunkt GroupOrigin(const TGruppe& group);

} // namespace torvi
