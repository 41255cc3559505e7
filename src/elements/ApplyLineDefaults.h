// Copies the current line defaults into any line kind (polylines and Bezier curves share them).
#pragma once

#include "elements/SharedState.h"

namespace torvi {

template <typename TLine> void ApplyLineDefaults(TLine& line) {
    const TLineDefaults& d = Shared().LineDefaults;
    line.PenWidth = d.width;
    line.PenColor = d.color;
    line.LineStyle = d.pattern;
    line.Zweifarbig = d.twoColour;
    line.Farbe2 = d.color2;
    line.StartEnde = d.startEnd;
    line.EndEnde = d.endEnd;
    line.PfeilGroesse = d.arrowSize;
}

} // namespace torvi
