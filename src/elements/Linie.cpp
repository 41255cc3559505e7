// TLinie: read, converted, and (for completeness) drawn as the polyline it becomes.
#include "elements/Linie.h"

#include "elements/PointList.h"
#include "elements/Polyline.h"

namespace torvi {

TLinie::TLinie() : TElement(ElementKind::Linie) {}

std::unique_ptr<TPolyline> TLinie::ToPolyline() const {
    auto line = std::make_unique<TPolyline>();
    line->Punkte = {P[0], P[1]};
    line->NoLine = NoLine;
    line->NoFill = NoFill;
    line->PenWidth = PenWidth;
    line->PenColor = PenColor;
    line->LineStyle = LineStyle;
    line->Filler1 = Filler1;
    line->FillColor = FillColor;
    line->FillStyle = FillStyle;
    line->SetFormLayer(FormLayer);
    line->StartEnde = 0;
    line->EndEnde = 0;
    line->PfeilGroesse = 1;
    return line;
}

void TLinie::Draw(TSurface& s) {
    ToPolyline()->Draw(s);
}

TRegion TLinie::HitRegion(TSurface& s, bool wide) {
    return ToPolyline()->HitRegion(s, wide);
}

void TLinie::Save(TByteWriter& w) const {
    SaveCommon(w);
    w.Punkt(P[0]);
    w.Punkt(P[1]);
}

void TLinie::Load(TByteReader& r) {
    LoadCommon(r);
    P[0] = r.Punkt();
    P[1] = r.Punkt();
    RoundPoints(P);
}

std::unique_ptr<TElement> TLinie::ReplacementAfterLoad() {
    return ToPolyline();
}

} // namespace torvi
