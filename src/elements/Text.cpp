// TText: box geometry, measuring, outline cache, drawing and records of text labels.
#include "elements/Text.h"

#include "elements/ElementGeometry.h"
#include "surface/TextOutlines.h"
#include "text/Cp1252.h"
#include "text/Sprache.h"

#include <cmath>
#include <utility>

namespace torvi {
namespace {

const TText3 kDefaultText{"Text", "Label", "Texte"};
constexpr double kOutlineStep = 0.2;
long g_outlineBuilds = 0;

const TReferenceFont& FontOf(const TSchrift& f) {
    return TReferenceFont::For(f.Name, f.Style);
}

// Shear of the box: zero when edge 3->0 stands at right angles on the baseline 3->2.
double ShearAngle(const std::array<TPunkt, 4>& k) {
    return Angle(k[3], k[0]) - Angle(k[3], k[2]) - kPi / 2;
}

// A mirrored box turns by more than half a circle from edge 3->0 to edge 0->1, clockwise.
bool IsMirrored(const std::array<TPunkt, 4>& k) {
    double d = Angle(k[3], k[0]) - Angle(k[0], k[1]);
    while (d < 0) d += 2 * kPi;
    while (d >= 2 * kPi) d -= 2 * kPi;
    return d > kPi;
}

// tan of a shear angle; a box folded flat counts as unsheared rather than infinitely so.
double SafeTan(double s) {
    return std::fabs(std::cos(s)) < 1e-6 ? 0 : std::tan(s);
}

TPunkt Plus(TPunkt p, double dx, double dy) {
    return {float(p.x + dx), float(p.y + dy)};
}

TPunkt Along(TPunkt from, TPunkt to, double f) {
    return {float(from.x + (to.x - from.x) * f), float(from.y + (to.y - from.y) * f)};
}

// The text as a record stores it: single-byte characters, cut to the field's capacity.
QString AsWritten(const QString& s, int max) {
    return FromCp1252(ToCp1252(s).left(max));
}

QPointF ScreenOf(double x, double y) {
    const TViewTransform& v = Shared().ViewTransform;
    return {x * v.sx + v.ox, y * v.sy + v.oy};
}

} // namespace

int32_t ClampTextHeight(int32_t h) {
    return h < 1 ? 1 : (h > kMaxTextHeight ? kMaxTextHeight : h);
}

TSchrift SchriftFromDefaults(const TTextDefaults& d) {
    TSchrift f;
    f.Name = d.name;
    f.Style = uint8_t((d.bold ? kFontBold : 0) | (d.italic ? kFontItalic : 0));
    f.Color = d.color;
    f.Height = ClampTextHeight(d.height);
    return f;
}

TSchrift ReadSchrift(TByteReader& r, bool oldLayout) {
    TSchrift f;
    f.Name = oldLayout ? r.ShortString(20) : r.LongString(kMaxTextLength);
    f.Style = r.Byte();
    f.Color = r.UInt32();
    f.Height = ClampTextHeight(r.Int32());
    return f;
}

void WriteSchrift(TByteWriter& w, const TSchrift& f) {
    w.LongString(f.Name, kMaxTextLength);
    w.Byte(f.Style);
    w.UInt32(f.Color);
    w.Int32(f.Height);
}

bool HasPlaceholder(const QString& text) {
    return text.contains(QLatin1Char('<')) && text.contains(QLatin1Char('>'));
}

long TText::OutlineBuildCount() {
    return g_outlineBuilds;
}

TText::TText() : TText(ElementKind::Text) {}

TText::TText(ElementKind kind) : TElement(kind) {
    Schrift = SchriftFromDefaults(Shared().TextDefaults);
    Text = Anzeigetext = Tr3(kDefaultText);
    PlaceAt({0, 0});
}

void TText::Connect(const TElementHooks& hooks) {
    TElement::Connect(hooks);
    if (hooks.textAufloesenFuer) {
        auto resolve = hooks.textAufloesenFuer;
        OnTextAufloesen = [resolve, this](const QString& s) { return resolve(*this, s); };
    } else {
        OnTextAufloesen = hooks.textAufloesen;
    }
}

// ---- Measuring and box geometry ----

double TText::ReferenceWidth(const QString& shown) const {
    const QString t = shown.isEmpty() ? QStringLiteral(" ") : shown;
    const TReferenceFont& font = FontOf(Schrift);
    double w = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const TCharMetrics m = font.Metrics(t[i]);
        w += m.a + m.b;
        if (i + 1 < t.size() || m.c > 0) w += m.c;
    }
    return w;
}

TPunkt TText::NaturalSize() const {
    const double k = Schrift.Height / kReferenceCellHeight;
    const double w = ReferenceWidth(Anzeigetext) * k;
    const double h = FontOf(Schrift).CellHeight() * k;
    return {float(w < 1 ? 1 : w), float(h < 1 ? 1 : h)};
}

double TText::BoxHeight() const {
    double s = ShearAngle(Kasten);
    if (IsMirrored(Kasten)) s += kPi;
    const double h = Distance(Kasten[0], Kasten[3]) * std::cos(s);
    return h == 0 ? 1 : h;
}

void TText::PlaceAt(TPunkt p) {
    const TPunkt n = NaturalSize();
    if (Rechtsbuendig)
        Kasten = {Plus(p, -n.x, 0), p, Plus(p, 0, n.y), Plus(p, -n.x, n.y)};
    else
        Kasten = {p, Plus(p, n.x, 0), Plus(p, n.x, n.y), Plus(p, 0, n.y)};
    UmrisseVeraltet = true;
}

void TText::SetTextHeight(double h) {
    const double f = h / BoxHeight();
    // Heights that already agree (up to float noise) leave the box and its cache alone.
    if (!std::isfinite(f) || std::fabs(f - 1) < 1e-6) return;
    Kasten[3] = ScalePoint(Kasten[3], Kasten[0], f, f);
    Kasten[2] = ScalePoint(Kasten[2], Kasten[1], f, f);
    Kasten[1] = ScalePoint(Kasten[1], Kasten[0], f, f);
    Kasten[2] = ScalePoint(Kasten[2], Kasten[3], f, f);
    UmrisseVeraltet = true;
}

void TText::StretchBox(double f) {
    if (!std::isfinite(f) || f <= 0 || std::fabs(f - 1) < 1e-9) return;
    if (Rechtsbuendig) {
        Kasten[0] = ScalePoint(Kasten[0], Kasten[1], f, f);
        Kasten[3] = ScalePoint(Kasten[3], Kasten[2], f, f);
    } else {
        Kasten[1] = ScalePoint(Kasten[1], Kasten[0], f, f);
        Kasten[2] = ScalePoint(Kasten[2], Kasten[3], f, f);
    }
    UmrisseVeraltet = true;
}

// ---- Text and font ----

QString TText::ResolvedText(const QString& text) const {
    if (HasPlaceholder(text) && OnTextAufloesen) return OnTextAufloesen(text).left(kMaxTextLength);
    return text;
}

void TText::SetText(const QString& s) {
    const QString before = Anzeigetext;
    Text = s.left(kMaxTextLength);
    // A component's identifier text gets its shown text from the component.
    if (!Bauteiltext || HasPlaceholder(Text) || Anzeigetext.isEmpty())
        Anzeigetext = ResolvedText(Text);
    if (OnTextChanged) OnTextChanged(*this);
    if (Anzeigetext != before) UmrisseVeraltet = true;
}

void TText::SetTextAndFont(const QString& s, const TSchrift& font, bool rightAligned,
                           int32_t height) {
    // Widths are compared at the reference size, so a new height is not counted twice: the
    // box follows the height through SetTextHeight and the text through the width ratio.
    const double w1 = ReferenceWidth(Anzeigetext);
    height = ClampTextHeight(height);
    SetTextHeight(height);
    Schrift.Height = height;
    SetText(s);
    const bool fontChanged = Schrift.Name != font.Name || Schrift.Style != font.Style;
    Schrift.Name = font.Name;
    Schrift.Style = font.Style;
    Schrift.Color = font.Color;
    Rechtsbuendig = rightAligned;
    StretchBox(ReferenceWidth(Anzeigetext) / w1);
    if (fontChanged) UmrisseVeraltet = true;
}

// ---- Outlines ----

void TText::BuildOutlines(const QString& text, double step) {
    ++g_outlineBuilds;
    const QString t = text.isEmpty() ? QStringLiteral(" ") : text;
    const TReferenceFont& font = FontOf(Schrift);
    const double alpha = Angle(Kasten[3], Kasten[0]);
    const double beta = Angle(Kasten[3], Kasten[2]);
    const double shear = alpha - beta - kPi / 2;
    const TPunkt natural = NaturalSize();
    const double sx = Distance(Kasten[0], Kasten[1]) / natural.x;
    const double sy = Distance(Kasten[0], Kasten[3]) / natural.y * std::sin(alpha - beta);
    const double ts = SafeTan(shear), cb = std::cos(beta), sb = std::sin(beta);
    // Scale, then shear, then turn onto the baseline (row vectors, y up).
    const TGlyphMatrix m{sx * cb, sx * sb, -sy * (ts * cb + sb), sy * (cb - ts * sb)};
    Breitenfaktor = sx;

    const TCharMetrics first = font.Metrics(t[0]);
    ErsteLagen = {RoundEven(first.a), RoundEven(first.c)};
    QPointF offset = first.a < 0 ? QPointF(-first.a * cb, -first.a * sb) : QPointF();
    std::vector<QPolygonF> polys;
    for (QChar ch : t) offset += font.AppendOutline(ch, m, offset, step, polys);

    Umrisse.clear();
    Umrisse.reserve(polys.size());
    for (const QPolygonF& poly : polys) {
        std::vector<TPunkt> pts;
        pts.reserve(size_t(poly.size()));
        for (const QPointF& p : poly) pts.push_back({float(p.x()), float(p.y())});
        Umrisse.push_back(std::move(pts));
    }
}

// ---- Drawing ----

bool TText::PlainFill() const {
    const TSharedState& st = Shared();
    return st.Printing || st.PreviewOrBitmapOutput || !st.TextAntiAliasing;
}

void TText::Draw(TSurface& s) {
    if (!Visible) return;
    DrawText(s);
    RaiseAfterDraw();
}

void TText::DrawText(TSurface& s) {
    const TFarbe color = Selected ? Shared().SelectionPenColor : Schrift.Color;
    if (s.Pen().mode == TPenMode::NotXor) {
        s.SetPixelMapping();
        DrawBoxOutline(s, color, TPenStyle::Dot);
        return;
    }
    // Placeholders may resolve differently at every draw; the box follows the shown text.
    if (HasPlaceholder(Text) || Bauteiltext)
        SetTextAndFont(Text, Schrift, Rechtsbuendig, RoundEven(BoxHeight()));
    s.SetPixelMapping();
    DrawGlyphs(s, color);
    if (!LinkZiel.isEmpty() || IstLinkZiel) DrawLinkFrame(s, color);
    DrawWebUnderline(s, color);
}

void TText::DrawGlyphs(TSurface& s, TFarbe color) {
    Schrift.Height = ClampTextHeight(Schrift.Height);
    if (UmrisseVeraltet) {
        BuildOutlines(Anzeigetext, kOutlineStep);
        UmrisseVeraltet = false;
    }
    const double k = Schrift.Height / kReferenceCellHeight;
    const double beta = Angle(Kasten[3], Kasten[2]);
    const double shear = ShearAngle(Kasten);
    const double ts = SafeTan(shear), cb = std::cos(beta), sb = std::sin(beta);
    // The baseline runs above the bottom edge by the descent, scaled like the box height.
    const double e = k * FontOf(Schrift).Descent() *
                     (std::cos(shear) * Distance(Kasten[0], Kasten[3]) / Schrift.Height);
    const double ox = Kasten[3].x - e * sb - e * ts * cb;
    const double oy = Kasten[3].y - e * cb + e * ts * sb;

    TPath path;
    QPainterPath& p = path.Path();
    for (const auto& poly : Umrisse) {
        if (poly.size() < 3) continue;
        p.moveTo(ScreenOf(ox + poly[0].x * k, oy - poly[0].y * k));
        for (size_t i = 1; i < poly.size(); ++i)
            p.lineTo(ScreenOf(ox + poly[i].x * k, oy - poly[i].y * k));
        p.closeSubpath();
    }
    if (p.isEmpty()) return;
    if (PlainFill()) {
        TPen pen = s.Pen();
        pen.style = TPenStyle::Clear;
        s.SetPen(pen);
        s.SetBrush({color, TBrushStyle::Solid});
        s.FillPath(path);
    } else {
        s.FillAntiAliased(s.DevicePath(path), color);
    }
}

void TText::DrawBoxOutline(TSurface& s, TFarbe color, TPenStyle style) const {
    TPen pen = s.Pen();
    pen.color = color;
    pen.width = 0;
    pen.style = style;
    pen.geometric = false;
    s.SetPen(pen);
    QPolygonF box = PixelsOf(Kasten);
    box.append(box.first());
    s.Polyline(box);
}

void TText::DrawLinkFrame(TSurface& s, TFarbe color) const {
    TPen pen = s.Pen();
    pen.color = color;
    pen.width = 1;
    pen.style = TPenStyle::Solid;
    pen.geometric = false;
    s.SetPen(pen);
    const auto& k = Kasten;
    s.Polyline({PixelOf(k[0]), PixelOf(k[1])});
    s.Polyline({PixelOf(k[3]), PixelOf(k[2])});
    const double top = Distance(k[0], k[1]);
    const double d = top > 0 ? (Distance(k[1], k[2]) / 2 + top) / top : 1;
    if (!LinkZiel.isEmpty()) {
        const TPunkt tip = Midpoint(Along(k[0], k[1], d), Along(k[3], k[2], d));
        s.Polyline({PixelOf(k[1]), PixelOf(tip), PixelOf(k[2])});
    }
    if (IstLinkZiel) {
        const TPunkt notch = Midpoint(k[0], k[3]);
        s.Polyline({PixelOf(k[0]), PixelOf(Along(k[1], k[0], d)), PixelOf(notch),
                    PixelOf(Along(k[2], k[3], d)), PixelOf(k[3])});
    }
}

void TText::DrawWebUnderline(TSurface& s, TFarbe color) const {
    const QString lower = Anzeigetext.toLower();
    if (!lower.startsWith(QLatin1String("www.")) && !lower.startsWith(QLatin1String("http")))
        return;
    TPen pen = s.Pen();
    pen.color = color;
    pen.width = std::max(2.0, ScreenPenWidth(Schrift.Height) / 20.0);
    pen.style = TPenStyle::Solid;
    pen.geometric = false;
    s.SetPen(pen);
    s.Polyline({PixelOf(Kasten[3]), PixelOf(Kasten[2])});
}

// ---- Hit areas and bounds ----

TRegion TText::SeedRegion(const TSurface& s) const {
    return SquareAt(s, Kasten[0], 2);
}

TRegion TText::HitRegion(TSurface& s, bool /*wide*/) {
    TRegion r = SeedRegion(s);
    QPolygonF device;
    for (const TPunkt& p : Kasten) device.append(s.ToDevice(Logical(p)));
    r.Unite(TRegion::FromPolygon(device));
    return r;
}

TRechteckF TText::GetBounds() const {
    TRechteckF r = BoundsOf(Kasten.data(), 4);
    const auto& k = Kasten;
    const double top = Distance(k[0], k[1]);
    const double d = top > 0 ? (Distance(k[1], k[2]) / 2 + top) / top : 1;
    if (!LinkZiel.isEmpty()) IncludePoint(r, Midpoint(Along(k[0], k[1], d), Along(k[3], k[2], d)));
    if (IstLinkZiel) {
        IncludePoint(r, Along(k[1], k[0], d));
        IncludePoint(r, Along(k[2], k[3], d));
    }
    return r;
}

TRechteckI TText::GetScreenRect(const TSurface& s) const {
    return ScreenRectAround(s, GetBounds(), HitTolerance(s, true));
}

// ---- Transforms ----

void TText::MoveBy(TPunkt d) {
    TElement::MoveBy(d);
    UmrisseVeraltet = true;
}

void TText::ScaleAbout(TPunkt c, double fx, double fy) {
    TElement::ScaleAbout(c, fx, fy);
    const TRechteckF b = BoundsOf(Kasten.data(), 4);
    if (b.x2 - b.x1 < 1 || b.y2 - b.y1 < 1) {
        const TPunkt p = Kasten[0];
        Kasten = {p, Plus(p, 1, 0), Plus(p, 1, 1), Plus(p, 0, 1)};
    }
    const double h = BoxHeight();
    if (h > kMaxTextHeight) {
        SetTextHeight(kMaxTextHeight);
        Schrift.Height = kMaxTextHeight;
    } else {
        Schrift.Height = ClampTextHeight(RoundEven(h));
    }
    UmrisseVeraltet = true;
}

void TText::ShearAbout(TPunkt c, double sx, double sy) {
    TElement::ShearAbout(c, sx, sy);
    Schrift.Height = ClampTextHeight(RoundEven(BoxHeight()));
    UmrisseVeraltet = true;
}

void TText::RotateAbout(TPunkt c, double angle) {
    if (!Shared().ShiftHeld) TElement::RotateAbout(c, angle);
    UmrisseVeraltet = true;
}

void TText::MirrorH(TPunkt axis) {
    TElement::MirrorH(axis);
    if (!Shared().ShiftHeld) {
        std::swap(Kasten[0], Kasten[1]);
        std::swap(Kasten[2], Kasten[3]);
    }
    Rechtsbuendig = !Rechtsbuendig;
    UmrisseVeraltet = true;
}

void TText::MirrorV(TPunkt axis) {
    TElement::MirrorV(axis);
    if (!Shared().ShiftHeld) {
        std::swap(Kasten[0], Kasten[3]);
        std::swap(Kasten[1], Kasten[2]);
    }
    UmrisseVeraltet = true;
}

TPunkt TText::GetRefPoint() const {
    return Rechtsbuendig ? Kasten[1] : Kasten[0];
}

void TText::SetColor(TFarbe c) {
    TElement::SetColor(c);
    Schrift.Color = c;
}

// ---- Records ----

void TText::Save(TByteWriter& w) const {
    SaveText(w, Kasten, Text, Anzeigetext);
}

void TText::SaveText(TByteWriter& w, const std::array<TPunkt, 4>& box, const QString& text,
                     const QString& shown) const {
    SaveCommon(w);
    for (const TPunkt& p : box) w.Punkt(p);
    w.LongString(text, kMaxTextLength);
    WriteSchrift(w, Schrift);
    w.Bool(Rechtsbuendig);
    w.Bool(IstLinkZiel);
    w.LongString(LinkZiel, kMaxTextLength);
    // The reader decides on the text it reads back, so decide on exactly that text.
    if (HasPlaceholder(AsWritten(text, kMaxTextLength)) || Bauteiltext)
        w.LongString(shown, kMaxTextLength);
}

void TText::Load(TByteReader& r) {
    if (Shared().ReadVersion < 60)
        LoadOld(r);
    else
        LoadCurrent(r);
    UmrisseVeraltet = true;
}

void TText::LoadCurrent(TByteReader& r) {
    const int32_t version = Shared().ReadVersion;
    LoadCommon(r);
    for (TPunkt& p : Kasten) p = r.Punkt();
    Text = r.LongString(kMaxTextLength);
    Schrift = ReadSchrift(r, false);
    Rechtsbuendig = r.Bool();
    IstLinkZiel = r.Bool();
    LinkZiel = r.LongString(kMaxTextLength);
    const bool shownStored = version >= 62 && (HasPlaceholder(Text) || Bauteiltext);
    Anzeigetext = shownStored ? r.LongString(kMaxTextLength) : Text;
    if (version <= 62) {
        // These versions measured the natural width as the plain extent plus the absolute
        // bearings of the first character; the box is stretched to today's measure.
        const QString t = Anzeigetext.isEmpty() ? QStringLiteral(" ") : Anzeigetext;
        const TReferenceFont& font = FontOf(Schrift);
        const TCharMetrics first = font.Metrics(t[0]);
        const double old = font.Extent(t) + std::fabs(first.a) + std::fabs(first.c);
        if (old > 0) StretchBox(ReferenceWidth(Anzeigetext) / old);
    }
}

void TText::LoadOld(TByteReader& r) {
    LoadCommon(r);
    TPunkt anchor = r.Punkt();
    anchor = {float(RoundEven(anchor.x)), float(RoundEven(anchor.y))};
    Text = r.LongString(kMaxTextLength);
    const int32_t turns = r.Int32();
    Schrift = ReadSchrift(r, true);
    Rechtsbuendig = Shared().ReadVersion >= 50 ? r.Bool() : false;
    IstLinkZiel = false;
    LinkZiel.clear();
    Anzeigetext = Text;
    BoxFromAnchor(anchor, ((turns % 4) + 4) % 4);
}

void TText::BoxFromAnchor(TPunkt p, int q) {
    const TPunkt n = NaturalSize();
    if (Rechtsbuendig) {
        static constexpr int kDx[] = {-1, 0, 1, 0};
        static constexpr int kDy[] = {0, 1, 0, -1};
        p = Plus(p, kDx[q] * n.x, kDy[q] * n.x);
    }
    Kasten = {p, Plus(p, n.x, 0), Plus(p, n.x, n.y), Plus(p, 0, n.y)};
    for (int i = 1; i < 4; ++i) Kasten[i] = RotatePoint(Kasten[i], p, 360 - 90 * q);
    UmrisseVeraltet = true;
}

} // namespace torvi
