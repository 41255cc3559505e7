// TText: a single-line label drawn as filled glyph outlines fitted into a free quadrilateral
// box, so that it scales, shears, rotates and prints like the line graphics.
#pragma once

#include "elements/Element.h"

#include <QString>
#include <array>
#include <vector>

namespace torvi {

// The font of a text: name, style bits (TFontStyleBit), colour and height in element units.
struct TSchrift {
    QString Name = QStringLiteral("Arial");
    uint8_t Style = 0;
    TFarbe Color = 0;
    int32_t Height = 40;
    friend bool operator==(const TSchrift&, const TSchrift&) = default;
};

// Tallest text in element units (500 mm); stored heights are kept inside 1..kMaxTextHeight.
constexpr int32_t kMaxTextHeight = 5000;
// Longest text, shown text, font name and link name a record may hold.
constexpr int kMaxTextLength = 255;

int32_t ClampTextHeight(int32_t h);
TSchrift SchriftFromDefaults(const TTextDefaults& d);
// Reads a font as stored in current records (name, style, colour, height) or in records up to
// version 59 (the name in a 21-byte short string).
TSchrift ReadSchrift(TByteReader& r, bool oldLayout);
void WriteSchrift(TByteWriter& w, const TSchrift& f);
// True when a text holds a placeholder in angle brackets.
bool HasPlaceholder(const QString& text);

class TText : public TElement {
public:
    TText();

    QString Text;
    std::vector<std::vector<TPunkt>> Umrisse;
    double Breitenfaktor = 1.0;
    std::array<int32_t, 2> ErsteLagen{}; // left and right bearing of the first character
    std::array<TPunkt, 4> Kasten{};
    QString Anzeigetext;
    TSchrift Schrift;
    bool Rechtsbuendig = false;
    bool Bauteiltext = false;
    bool UmrisseVeraltet = true;
    bool IstLinkZiel = false;
    QString LinkZiel;

    // Resolves the placeholders of a text for showing; set by the owner (Connect).
    std::function<QString(const QString&)> OnTextAufloesen;

    void Draw(TSurface& s) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    TRegion SeedRegion(const TSurface& s) const override;
    TRechteckF GetBounds() const override;
    TRechteckI GetScreenRect(const TSurface& s) const override;
    void AddHandles(std::vector<TPunkt*>& /*handles*/) override {}
    void MoveBy(TPunkt d) override;
    void ScaleAbout(TPunkt c, double fx, double fy) override;
    void ShearAbout(TPunkt c, double sx, double sy) override;
    void RotateAbout(TPunkt c, double angle) override;
    void MirrorH(TPunkt axis) override;
    void MirrorV(TPunkt axis) override;
    TPunkt GetRefPoint() const override;
    void SetColor(TFarbe c) override;
    void ApplyDefaults() override {}
    void Connect(const TElementHooks& hooks) override;
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;
    std::span<TPunkt> Points() override { return Kasten; }

    void SetText(const QString& s);
    void SetTextAndFont(const QString& s, const TSchrift& font, bool rightAligned, int32_t height);
    void SetTextHeight(double h);
    void PlaceAt(TPunkt p);
    double BoxHeight() const;
    // Width and height of the shown text at the font height, in element units (at least 1).
    TPunkt NaturalSize() const;
    void BuildOutlines(const QString& text, double step);

    // Outline builds since start, for checks that cached drawing does not rebuild.
    static long OutlineBuildCount();

protected:
    explicit TText(ElementKind kind);
    // The record with the given box and texts in place of the own ones (contacts store their
    // real text).
    void SaveText(TByteWriter& w, const std::array<TPunkt, 4>& box, const QString& text,
                  const QString& shown) const;
    void DrawText(TSurface& s);
    // The shown text Text resolves to: the owner's resolution for placeholders.
    QString ResolvedText(const QString& text) const;

private:
    void LoadCurrent(TByteReader& r);
    void LoadOld(TByteReader& r);
    void BoxFromAnchor(TPunkt p, int quarterTurns);
    // Natural width of a shown text in reference pixels.
    double ReferenceWidth(const QString& shown) const;
    // Scales the box along its baseline by f, anchored at the aligned side.
    void StretchBox(double f);
    void DrawGlyphs(TSurface& s, TFarbe color);
    void DrawLinkFrame(TSurface& s, TFarbe color) const;
    void DrawWebUnderline(TSurface& s, TFarbe color) const;
    void DrawBoxOutline(TSurface& s, TFarbe color, TPenStyle style) const;
    bool PlainFill() const;
};

} // namespace torvi
