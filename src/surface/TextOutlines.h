// Glyph outlines and character metrics of a reference font whose cell height (ascent plus
// descent) is 500 pixels, the measure every text element is laid out and drawn with.
//
// Outline coordinates have y up and the origin on the baseline at the glyph's pen position.
// Without a running QGuiApplication (fonts need one) a fixed substitute metric is used and
// glyphs have no outlines, so text elements can still be made and measured anywhere.
#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace torvi {

constexpr double kReferenceCellHeight = 500;

// Font style bits as stored.
enum TFontStyleBit : uint8_t {
    kFontBold = 1,
    kFontItalic = 2,
    kFontUnderline = 4,
    kFontStrikeOut = 8,
};

// Horizontal metrics of one character at the reference size: left bearing, ink width and right
// bearing add up to the advance.
struct TCharMetrics {
    double a = 0;
    double b = 0;
    double c = 0;
    double Advance() const { return a + b + c; }
};

// A row-vector 2 x 2 matrix: (x, y) becomes (x*m11 + y*m21, x*m12 + y*m22).
struct TGlyphMatrix {
    double m11 = 1, m12 = 0, m21 = 0, m22 = 1;
    QPointF Map(QPointF p) const { return {p.x() * m11 + p.y() * m21, p.x() * m12 + p.y() * m22}; }
};

class TReferenceFont {
public:
    // The shared instance for a font name and style bits, made on first use.
    static const TReferenceFont& For(const QString& name, uint8_t style);
    ~TReferenceFont();

    double Ascent() const { return ascent_; }
    double Descent() const { return descent_; }
    double CellHeight() const { return ascent_ + descent_; }
    TCharMetrics Metrics(QChar ch) const;
    // Sum of the advances, as a plain text extent measures.
    double Extent(const QString& text) const;

    // Appends the contours of ch, transformed by m and moved by offset, to out; quadratic and
    // cubic pieces are sampled at t = step, 2 step, ... 1. Underline and strike-out bars of
    // the style are added as contours of the character's cell. Returns the transformed advance.
    QPointF AppendOutline(QChar ch, const TGlyphMatrix& m, QPointF offset, double step,
                          std::vector<QPolygonF>& out) const;

    TReferenceFont(const QString& name, uint8_t style);
    TReferenceFont(const TReferenceFont&) = delete;
    TReferenceFont& operator=(const TReferenceFont&) = delete;

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
    uint8_t style_ = 0;
    double ascent_ = 400;
    double descent_ = 100;
};

} // namespace torvi
