// TUrsprungMarke: the marker of a component's origin in the symbol editor, a small red dot
// that can be dragged and is drawn at a fixed pixel size whatever the zoom.
#pragma once

#include "geom/Geometry.h"
#include "surface/Surface.h"

#include <QRect>

namespace torvi {

class TBauteil;

class TUrsprungMarke {
public:
    // Radius of the dot and half the side of its hit square, in pixels.
    int Radius = 5;
    // The origin, in the surface's mapping.
    TPunkt Punkt{0, 0};
    // Where the dot is shown while it is dragged.
    TPunkt Vorschau{0, 0};
    bool Gezeichnet = false;

    void Draw(TSurface& s);
    // The dot at the preview point, in not-xor mode, so that drawing it twice removes it.
    void DrawPreview(TSurface& s);
    // True when device (x, y) lies in the square of Radius pixels around the point.
    bool HitTest(const TSurface& s, int x, int y) const;
    // The device pixels a repaint of the marker has to cover.
    QRect RepaintRect(const TSurface& s) const;

private:
    void DrawDot(TSurface& s, TPunkt at, TPenMode mode) const;
    QRect SquareAround(const TSurface& s, TPunkt at) const;
};

// Stores the marker's place as the component's origin offset.
void StoreOrigin(TBauteil& component, const TUrsprungMarke& marker);

} // namespace torvi
