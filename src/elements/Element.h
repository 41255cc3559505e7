// TElement: what every drawing element shares, and the table of operations each kind answers.
#pragma once

#include "elements/SharedState.h"
#include "geom/Geometry.h"
#include "stream/ByteReader.h"
#include "stream/ByteWriter.h"
#include "surface/Region.h"
#include "surface/Surface.h"

#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace torvi {

// The kind code stored before every element record.
enum class ElementKind : uint8_t {
    Linie = 0,
    Kreis = 1,
    Rechteck = 2,
    Text = 3,
    Polyline = 4,
    Polygon = 5,
    Gruppe = 6,
    Bauteil = 7,
    Loetpunkt = 8,
    PixelBitmap = 9,
    TextRect = 10,
    Kontakt = 11,
    Bezier = 12,
};
constexpr int kElementKindCount = 13;

class TElement;

// What the owner of an element list connects to each element it reads or creates.
struct TElementHooks {
    std::function<void(TElement&)> textChanged;
    std::function<void()> afterDraw;
    // Resolves the placeholders of a text for showing (text kinds only).
    std::function<QString(const QString&)> textAufloesen;
    // The same with the asking element, for owners whose answer depends on it (a page prefixes
    // component identifiers with the page number). Takes precedence over textAufloesen.
    std::function<QString(const TElement&, const QString&)> textAufloesenFuer;
};

// Size of the part every element body starts with.
constexpr int kCommonPartSize = 23;

class TElement {
public:
    explicit TElement(ElementKind kind);
    virtual ~TElement();
    TElement(const TElement&) = delete;
    TElement& operator=(const TElement&) = delete;

    // Raised by text kinds when their text is set, and by Draw after drawing.
    std::function<void(TElement&)> OnTextChanged;
    std::function<void()> OnAfterDraw;

    bool NoLine = false;
    bool NoFill = true;
    int32_t PenWidth = 2;
    TFarbe PenColor = 0;
    uint8_t LineStyle = 0;
    std::array<uint8_t, 3> Filler1{};
    TFarbe FillColor = 0xFFFFFF;
    uint8_t FillStyle = 0;
    std::array<uint8_t, 3> Filler2{};
    bool Visible = true;
    const ElementKind Kind;
    bool Locked = false;
    bool Mark = false;
    bool Selected = false;
    bool FormLayer = false;

    // The table of operations. Device coordinates are pixels of the surface; logical ones are
    // those of its mapping (element units in the editor).
    virtual bool HitTest(TSurface& s, int x, int y);
    virtual TRegion HitRegion(TSurface& s, bool wide) = 0;
    virtual void Draw(TSurface& s) = 0;
    virtual void MoveBy(TPunkt d);
    virtual TRechteckF GetBounds() const;
    virtual TRechteckI GetScreenRect(const TSurface& s) const;
    virtual void AddHandles(std::vector<TPunkt*>& handles);
    virtual void ScaleAbout(TPunkt c, double fx, double fy);
    virtual void ShearAbout(TPunkt c, double sx, double sy);
    virtual void HandlesChanged() {}
    virtual void RotateAbout(TPunkt c, double angle);
    virtual void MirrorH(TPunkt axis);
    virtual void MirrorV(TPunkt axis);
    virtual TRegion SeedRegion(const TSurface& s) const;
    virtual void Save(TByteWriter& w) const = 0;
    virtual void Load(TByteReader& r) = 0;
    virtual void SetSelected(bool on) { Selected = on; }
    virtual TPunkt GetRefPoint() const;
    virtual void SetFormLayer(bool on) { FormLayer = on; }
    virtual void SetColor(TFarbe c);
    virtual void ApplyDefaults();
    virtual bool SnapToPoint(TPunkt& /*p*/) { return false; }
    virtual void AddConnectionPoints(std::vector<TPunkt*>& /*points*/) {}
    virtual int SegmentAt(TSurface& /*s*/, QPoint /*device*/) { return -1; }
    virtual TRegion SegmentRegion(TSurface& /*s*/, bool /*wide*/, int /*index*/) { return {}; }

    // Connects the owner's hooks (components also connect their own parts).
    virtual void Connect(const TElementHooks& hooks);
    // After Load: an element of an old layout may stand in for a new one (a TLinie becomes a
    // TPolyline); a null result keeps this element.
    virtual std::unique_ptr<TElement> ReplacementAfterLoad() { return nullptr; }
    // After Load: true when the element has nothing to show and the list drops it.
    virtual bool DropAfterLoad() const { return false; }

    // The points the base transforms move; kinds with derived data override the transforms.
    virtual std::span<TPunkt> Points() { return {}; }
    std::span<const TPunkt> Points() const { return const_cast<TElement*>(this)->Points(); }

protected:
    void SaveCommon(TByteWriter& w) const;
    void LoadCommon(TByteReader& r);
    void RaiseAfterDraw() const {
        if (OnAfterDraw) OnAfterDraw();
    }
    // Pen and brush from the element for a filled shape, with the selection colours and the
    // drag-preview rule applied, in pixel mapping.
    void PrepareShapeDraw(TSurface& s) const;
    // Strokes, fills or both, as the prepared pen and brush say.
    static void StrokeFill(TSurface& s, const TPath& devicePath);
    // The common hit area of outlined shapes: the seed, the widened outline and (filled) the
    // inside. The figure is in logical coordinates.
    TRegion OutlineHitRegion(TSurface& s, bool wide, const TPath& figure, bool closed) const;
    // A square of 2*half device pixels around the first point, in the surface's mapping.
    TRegion SquareAt(const TSurface& s, TPunkt p, int half) const;
};

// Deletes through the virtual destructor; the one owner of each element.
using TElementPtr = std::unique_ptr<TElement>;
using TElementList = std::vector<TElementPtr>;

} // namespace torvi
