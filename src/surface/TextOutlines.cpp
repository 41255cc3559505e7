// The reference font on QRawFont: metrics and outlines scaled so that ascent plus descent is
// 500 pixels; the stored font name is resolved by the platform's font matching.
#include "surface/TextOutlines.h"

#include <QFont>
#include <QGuiApplication>
#include <QHash>
#include <QPainterPath>
#include <QRawFont>
#include <cmath>
#include <map>
#include <utility>

namespace torvi {

struct TReferenceFont::TImpl {
    QRawFont raw;
    mutable QHash<char16_t, quint32> glyphs;
    mutable QHash<char16_t, TCharMetrics> metrics;
    mutable QHash<char16_t, QPainterPath> paths;

    quint32 Glyph(QChar ch) const {
        auto it = glyphs.constFind(ch.unicode());
        if (it != glyphs.constEnd()) return *it;
        const QList<quint32> g = raw.glyphIndexesForString(QString(ch));
        const quint32 index = g.isEmpty() ? 0 : g.first();
        glyphs.insert(ch.unicode(), index);
        return index;
    }
};

namespace {

bool FontsAvailable() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// Fixed substitute advances when no font can be asked.
TCharMetrics SubstituteMetrics(QChar ch) {
    return ch.isSpace() ? TCharMetrics{0, 0, 140} : TCharMetrics{20, 230, 20};
}

// Samples a cubic piece (p0..p3) at n steps, appending all but p0.
void SampleCubic(QPolygonF& poly, QPointF p0, QPointF p1, QPointF p2, QPointF p3, int n) {
    for (int i = 1; i <= n; ++i) {
        const double t = double(i) / n, u = 1 - t;
        poly.append(u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3);
    }
}

// The contours of a glyph path (y down), transformed into y-up matrix space.
void AppendPath(const QPainterPath& path, const TGlyphMatrix& m, QPointF offset, int samples,
                std::vector<QPolygonF>& out) {
    auto map = [&](const QPainterPath::Element& e) { return m.Map(QPointF(e.x, -e.y)) + offset; };
    QPolygonF* poly = nullptr;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        if (e.isMoveTo() || poly == nullptr) {
            out.emplace_back();
            poly = &out.back();
            poly->append(map(e));
        } else if (e.isLineTo()) {
            poly->append(map(e));
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            SampleCubic(*poly, poly->last(), map(e), map(path.elementAt(i + 1)),
                        map(path.elementAt(i + 2)), samples);
            i += 2;
        }
    }
}

// A bar across the cell from y0 to y1 (y up), as one contour.
void AppendBar(double advance, double y0, double y1, const TGlyphMatrix& m, QPointF offset,
               std::vector<QPolygonF>& out) {
    QPolygonF bar;
    for (QPointF p : {QPointF(0, y0), QPointF(advance, y0), QPointF(advance, y1), QPointF(0, y1)})
        bar.append(m.Map(p) + offset);
    out.push_back(std::move(bar));
}

} // namespace

const TReferenceFont& TReferenceFont::For(const QString& name, uint8_t style) {
    // Texts are drawn on the user-interface thread only, so one cache serves all.
    static std::map<std::pair<QString, uint8_t>, std::unique_ptr<TReferenceFont>> cache;
    auto& slot = cache[{name, uint8_t(style & 0x0F)}];
    if (!slot) slot = std::make_unique<TReferenceFont>(name, style);
    return *slot;
}

TReferenceFont::TReferenceFont(const QString& name, uint8_t style)
    : impl_(std::make_unique<TImpl>()), style_(style) {
    if (!FontsAvailable()) return;
    QFont font(name);
    font.setBold(style & kFontBold);
    font.setItalic(style & kFontItalic);
    font.setPixelSize(int(kReferenceCellHeight));
    font.setHintingPreference(QFont::PreferNoHinting);
    QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid()) return;
    const double cell = raw.ascent() + raw.descent();
    if (cell > 0) raw.setPixelSize(raw.pixelSize() * kReferenceCellHeight / cell);
    impl_->raw = raw;
    ascent_ = raw.ascent();
    descent_ = raw.descent();
}

TReferenceFont::~TReferenceFont() = default;

TCharMetrics TReferenceFont::Metrics(QChar ch) const {
    if (!impl_->raw.isValid()) return SubstituteMetrics(ch);
    auto it = impl_->metrics.constFind(ch.unicode());
    if (it != impl_->metrics.constEnd()) return *it;
    const quint32 glyph = impl_->Glyph(ch);
    const QList<QPointF> adv = impl_->raw.advancesForGlyphIndexes(QList<quint32>{glyph});
    const double advance = adv.isEmpty() ? 0 : adv.first().x();
    const QRectF ink = impl_->raw.pathForGlyph(glyph).boundingRect();
    TCharMetrics m;
    if (ink.width() > 0) {
        m.a = ink.left();
        m.b = ink.width();
    }
    m.c = advance - m.a - m.b;
    impl_->metrics.insert(ch.unicode(), m);
    return m;
}

double TReferenceFont::Extent(const QString& text) const {
    double w = 0;
    for (QChar ch : text) w += Metrics(ch).Advance();
    return w;
}

QPointF TReferenceFont::AppendOutline(QChar ch, const TGlyphMatrix& m, QPointF offset, double step,
                                      std::vector<QPolygonF>& out) const {
    const double advance = Metrics(ch).Advance();
    if (!impl_->raw.isValid()) return m.Map(QPointF(advance, 0));
    auto it = impl_->paths.constFind(ch.unicode());
    if (it == impl_->paths.constEnd())
        it = impl_->paths.insert(ch.unicode(), impl_->raw.pathForGlyph(impl_->Glyph(ch)));
    const int samples = std::max(1, int(std::lround(1 / (step > 0 ? step : 0.2))));
    AppendPath(*it, m, offset, samples, out);
    const double thick = std::max(1.0, impl_->raw.lineThickness());
    if (style_ & kFontUnderline) {
        const double y = -impl_->raw.underlinePosition();
        AppendBar(advance, y - thick, y, m, offset, out);
    }
    if (style_ & kFontStrikeOut) {
        const double y = ascent_ / 3;
        AppendBar(advance, y, y + thick, m, offset, out);
    }
    return m.Map(QPointF(advance, 0));
}

} // namespace torvi
