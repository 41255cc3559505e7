// TTextRect: line layout in the sheared and turned frame, clipped drawing and records.
#include "elements/TextRect.h"

#include "elements/ElementGeometry.h"
#include "text/Sprache.h"

#include <cmath>
#include <utility>

namespace torvi {
namespace {

const TText3 kDefaultLine{"Text...", "Text...", "Texte..."};

TPunkt Add(TPunkt p, double dx, double dy) {
    return {float(p.x + dx), float(p.y + dy)};
}

} // namespace

TTextRect::TTextRect() : TElement(ElementKind::TextRect) {
    Schrift = SchriftFromDefaults(Shared().TextRectDefaults);
    Zeilen = {Tr3(kDefaultLine)};
    BuildLines();
    LayoutLines();
}

void TTextRect::Connect(const TElementHooks& hooks) {
    TElement::Connect(hooks);
    hooks_ = hooks;
    for (auto& t : ZeilenTexte) t->Connect(hooks_);
}

void TTextRect::SetLines(const QStringList& lines, const TSchrift& font, int32_t height,
                         uint8_t alignment) {
    Zeilen = lines;
    Schrift = font;
    Schrift.Height = ClampTextHeight(height);
    Ausrichtung = alignment;
    BuildLines();
    LayoutLines();
}

void TTextRect::BuildLines() {
    ZeilenTexte.clear();
    ZeilenTexte.reserve(size_t(Zeilen.size()));
    for (const QString& line : Zeilen) {
        auto t = std::make_unique<TText>();
        t->Connect(hooks_);
        t->Schrift = Schrift;
        t->SetText(line);
        t->PlaceAt({0, 0});
        ZeilenTexte.push_back(std::move(t));
    }
}

void TTextRect::LayoutLines() {
    const auto& r = Rahmen;
    const double beta = Angle(r[3], r[2]);
    const double alpha = Angle(r[3], r[0]);
    const double shear = alpha - beta - kPi / 2;
    const double ts = std::fabs(std::cos(shear)) < 1e-6 ? 0 : std::tan(shear);
    const double h = Schrift.Height;
    const double dx = std::cos(beta), dy = -std::sin(beta); // along the baseline
    const double nx = std::sin(beta), ny = std::cos(beta);  // down across it
    const double stepX = h * (ts * dx + nx), stepY = h * (ts * dy + ny);
    const double top = Distance(r[0], r[1]);
    for (size_t i = 0; i < ZeilenTexte.size(); ++i) {
        TText& t = *ZeilenTexte[i];
        const double w = Distance(t.Kasten[0], t.Kasten[1]);
        TPunkt c0, c1;
        switch (static_cast<TAusrichtung>(Ausrichtung)) {
        case TAusrichtung::Rechts:
            c1 = i == 0 ? r[1] : ZeilenTexte[i - 1]->Kasten[2];
            c0 = Add(c1, -w * dx, -w * dy);
            break;
        case TAusrichtung::Zentriert: {
            const double o = (top - w) / 2;
            c0 = Add(r[0], o * dx + double(i) * stepX, o * dy + double(i) * stepY);
            c1 = Add(c0, w * dx, w * dy);
            break;
        }
        default:
            c0 = i == 0 ? r[0] : ZeilenTexte[i - 1]->Kasten[3];
            c1 = Add(c0, w * dx, w * dy);
            break;
        }
        t.Kasten = {c0, c1, Add(c1, stepX, stepY), Add(c0, stepX, stepY)};
        t.UmrisseVeraltet = true;
    }
}

// ---- Drawing and hit areas ----

void TTextRect::Draw(TSurface& s) {
    if (!Visible) return;
    const TSharedState& st = Shared();
    const TFarbe color = Selected ? st.SelectionPenColor : Schrift.Color;
    s.SetBrush({s.Brush().color, TBrushStyle::Clear});
    s.SetPixelMapping();
    const QPolygonF frame = PixelsOf(Rahmen);
    if (!st.Printing && !st.PreviewOrBitmapOutput) {
        TPen pen = s.Pen();
        pen.color = color;
        pen.width = 0;
        pen.style = TPenStyle::Dot;
        pen.geometric = false;
        s.SetPen(pen);
        QPolygonF closed = frame;
        closed.append(frame.first());
        s.Polyline(closed);
    }
    if (s.Pen().mode != TPenMode::NotXor) {
        // Lines leave the frame only as far as the frame lets them; the caller's clip still
        // holds, so a text never paints outside the area being repainted.
        const std::optional<TRegion> saved = s.ClipRegion();
        QPainterPath area;
        area.addPolygon(frame); // pixel mapping: device pixels already
        area.closeSubpath();
        if (saved) area = area.intersected(saved->ToPath());
        const TRegion clip = TRegion::FromPath(area);
        s.SetClipRegion(&clip);
        DrawLines(s, color);
        s.SetClipRegion(saved ? &*saved : nullptr);
    }
    RaiseAfterDraw();
}

void TTextRect::DrawLines(TSurface& s, TFarbe color) {
    for (auto& t : ZeilenTexte) {
        t->Schrift.Color = color;
        t->Draw(s);
    }
}

TRegion TTextRect::SeedRegion(const TSurface& s) const {
    return SquareAt(s, Rahmen[0], 2);
}

TRegion TTextRect::HitRegion(TSurface& s, bool /*wide*/) {
    TRegion r = SeedRegion(s);
    QPolygonF device;
    for (const TPunkt& p : Rahmen) device.append(s.ToDevice(Logical(p)));
    r.Unite(TRegion::FromPolygon(device));
    return r;
}

TRechteckI TTextRect::GetScreenRect(const TSurface& s) const {
    return ScreenRectAround(s, GetBounds(), HitTolerance(s, true));
}

// ---- Transforms ----

void TTextRect::MoveBy(TPunkt d) {
    TElement::MoveBy(d);
    LayoutLines();
}

void TTextRect::ScaleAbout(TPunkt c, double fx, double fy) {
    TElement::ScaleAbout(c, fx, fy);
    LayoutLines();
}

void TTextRect::ShearAbout(TPunkt c, double sx, double sy) {
    TElement::ShearAbout(c, sx, sy);
    LayoutLines();
}

void TTextRect::RotateAbout(TPunkt c, double angle) {
    if (!Shared().ShiftHeld) TElement::RotateAbout(c, angle);
    LayoutLines();
}

void TTextRect::MirrorH(TPunkt axis) {
    TElement::MirrorH(axis);
    std::swap(Rahmen[0], Rahmen[1]);
    std::swap(Rahmen[2], Rahmen[3]);
    LayoutLines();
}

void TTextRect::MirrorV(TPunkt axis) {
    TElement::MirrorV(axis);
    std::swap(Rahmen[0], Rahmen[3]);
    std::swap(Rahmen[1], Rahmen[2]);
    LayoutLines();
}

void TTextRect::SetColor(TFarbe c) {
    TElement::SetColor(c);
    Schrift.Color = c;
}

// ---- Records ----

void TTextRect::Save(TByteWriter& w) const {
    SaveCommon(w);
    for (const TPunkt& p : Rahmen) w.Punkt(p);
    w.Byte(Ausrichtung);
    WriteSchrift(w, Schrift);
    w.Int32(int32_t(Zeilen.size()));
    for (const QString& line : Zeilen) w.LongString(line, kMaxFrameLineLength);
}

void TTextRect::Load(TByteReader& r) {
    const bool old = Shared().ReadVersion < 60;
    LoadCommon(r);
    if (old)
        LoadRahmenOld(r);
    else
        for (TPunkt& p : Rahmen) p = r.Punkt();
    Ausrichtung = r.Byte();
    Schrift = ReadSchrift(r, old);
    // Each line needs at least its int32 length and its length byte.
    const int32_t n = r.Count(5, "text frame lines");
    Zeilen.clear();
    Zeilen.reserve(n);
    for (int32_t i = 0; i < n; ++i) Zeilen.append(r.LongString(kMaxFrameLineLength));
    BuildLines();
    LayoutLines();
}

void TTextRect::LoadRahmenOld(TByteReader& r) {
    float v[4];
    for (float& f : v) f = float(RoundEven(r.Float()));
    Rahmen = {TPunkt{v[0], v[1]}, TPunkt{v[2], v[1]}, TPunkt{v[2], v[3]}, TPunkt{v[0], v[3]}};
    const int32_t q = r.Int32();
    for (int k = 1; k <= 3; ++k) {
        if (q < k) break;
        // Each quarter turn moves every corner's point on to the next corner.
        const TPunkt c0 = Rahmen[0];
        Rahmen[0] = Rahmen[3];
        Rahmen[3] = Rahmen[2];
        Rahmen[2] = Rahmen[1];
        Rahmen[1] = c0;
    }
}

} // namespace torvi
