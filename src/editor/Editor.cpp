// TEditor: page model, zoom and scrolling, mapping and painting.
#include "editor/Editor.h"

#include "elements/ElementList.h"

#include <algorithm>
#include <cmath>

namespace torvi {

TSeitenPalette TSeitenPalette::Standard(bool farbig) {
    if (farbig)
        return {{Rgb(255, 254, 242), Rgb(240, 240, 240), Rgb(232, 238, 248), Rgb(190, 200, 255)}};
    return {{Rgb(255, 255, 255), Rgb(178, 178, 178), Rgb(255, 255, 255), Rgb(255, 255, 255)}};
}

TEditor::TEditor() {
    SetzeZoom(kStandardZoom);
}

TEditor::~TEditor() = default;

void TEditor::SetzeZoom(double z) {
    zoom_ = float(z);
    if (OnStatus) {
        TStatusInfo info;
        info.zoom = zoom_;
        OnStatus(*this, info);
    }
    Shared().ViewTransform.sx = zoom_;
    Shared().ViewTransform.sy = zoom_;
}

int32_t TEditor::MaxZoom() const {
    const double seite = 10.0 * std::max(BreiteMM, HoeheMM);
    return seite > 0 ? RoundEven(30000.0 / seite) : 0;
}

double TEditor::BegrenzterZoom(double z) const {
    if (!std::isfinite(z)) z = kStandardZoom;
    return std::clamp(z, kMinZoom, std::max(kMinZoom, double(MaxZoom())));
}

int32_t TEditor::PixelBreite() const {
    return RoundEven(10.0 * BreiteMM * zoom_);
}

int32_t TEditor::PixelHoehe() const {
    return RoundEven(10.0 * HoeheMM * zoom_);
}

TPunkt TEditor::SeiteAusPixel(QPointF pixel) const {
    return {float(pixel.x() / zoom_), float(pixel.y() / zoom_)};
}

QPoint TEditor::PixelAusSeite(TPunkt p) const {
    return {RoundEven(double(p.x) * zoom_), RoundEven(double(p.y) * zoom_)};
}

void TEditor::ZentriereAuf(TPunkt p) {
    const QPoint q = PixelAusSeite(p);
    ScrollPosH = std::clamp(q.x() - SichtBreite / 2, 0, std::max(0, PixelBreite() - SichtBreite));
    ScrollPosV = std::clamp(q.y() - SichtHoehe / 2, 0, std::max(0, PixelHoehe() - SichtHoehe));
    if (OnAnsichtVerschoben) OnAnsichtVerschoben(*this, true, true);
}

void TEditor::ZoomRechteck(TRechteckF r) {
    const QPoint a = PixelAusSeite({r.x1, r.y1});
    QPoint b = PixelAusSeite({r.x2, r.y2});
    if (b.x() == a.x()) b.rx() += 1;
    if (b.y() == a.y()) b.ry() += 1;
    const double f =
        std::min(double(SichtBreite) / (b.x() - a.x()), double(SichtHoehe) / (b.y() - a.y()));
    double z = zoom_ * f;
    if (z >= MaxZoom()) z = MaxZoom();
    SetzeZoom(z);
    if (zoom_ < kMinZoom) SetzeZoom(kMinZoom);
    ZentriereAuf({(r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2});
}

void TEditor::ZoomBlatt() {
    ZoomRechteck({0, 0, float(10.0 * BreiteMM * 1.005), float(10.0 * HoeheMM * 1.005)});
}

void TEditor::ZoomElemente() {
    std::optional<TRechteckF> grenzen;
    for (const auto& e : Elemente)
        if (e->FormLayer == FormblattModus)
            grenzen = grenzen ? UniteRects(*grenzen, e->GetBounds()) : e->GetBounds();
    if (!grenzen) return;
    const float anteil = Bezugspunkt ? 0.2f : 0.05f;
    TRechteckF r = *grenzen;
    const float dx = (r.x2 - r.x1) * anteil, dy = (r.y2 - r.y1) * anteil;
    r = {std::max(0.f, r.x1 - dx), std::max(0.f, r.y1 - dy),
         std::min(float(10 * BreiteMM), r.x2 + dx), std::min(float(10 * HoeheMM), r.y2 + dy)};
    ZoomRechteck(r);
}

void TEditor::ZoomRein() {
    if (TasteGedrueckt || MehrpunktZeichnen || MaxZoom() <= zoom_) return;
    const TPunkt c =
        SeiteAusPixel(QPointF(ScrollPosH + SichtBreite / 2, ScrollPosV + SichtHoehe / 2));
    SetzeZoom(std::min(kZoomFaktor * zoom_, double(MaxZoom())));
    ZentriereAuf(c);
}

void TEditor::ZoomRaus() {
    if (TasteGedrueckt || MehrpunktZeichnen || zoom_ <= 0.051) return;
    const TPunkt c =
        SeiteAusPixel(QPointF(ScrollPosH + SichtBreite / 2, ScrollPosV + SichtHoehe / 2));
    double z = zoom_ / kZoomFaktor;
    if (z <= kMinZoom) z = kMinZoom;
    SetzeZoom(z);
    ZentriereAuf(c);
}

void TEditor::SetzeRaster(int32_t schritt) {
    Raster = schritt;
    RasterSichtbar = true;
}

void TEditor::Abbildung(TSurface& s) const {
    // Isotropic mapping with window extent 1000: the scale is the zoom in thousandths.
    const double skala = RoundEven(1000.0 * zoom_) / 1000.0;
    s.SetMapping({skala, skala, double(Links), double(Oben)});
    Shared().ViewTransform = {zoom_, zoom_, Links, Oben};
}

void TEditor::Paint(TSurface& s, const TMalOptionen& o) {
    Shared().ViewTransform.sx = zoom_;
    Shared().ViewTransform.sy = zoom_;
    const uint8_t hintergrund = FormblattModus ? RasterFarbe : HintergrundFarbe;
    const QRect seite(Links, Oben, PixelBreite(), PixelHoehe());
    s.SetPixelMapping();
    s.FillRect(seite,
               {o.Hintergrund.value_or(o.Palette.Eintraege[hintergrund & 3]), TBrushStyle::Solid});
    Abbildung(s);
    if (RasterSichtbar && o.Raster) MaleRaster(s, o);
    MaleElemente(s, o.Clip ? o.Clip->intersected(seite) : seite);
    if (!o.Hilfen) return;
    Abbildung(s);
    MaleGriffe(s);
    Abbildung(s);
    if (!o.MagnetlinienAusgeblendet) MaleMagnetlinien(s);
    Abbildung(s);
    MaleMarken(s);
}

void TEditor::MaleRaster(TSurface& s, const TMalOptionen& o) const {
    const double schritt = Raster;
    const double smm = schritt / 10;
    if (Raster <= 0 || RoundEven(smm * 10 * zoom_) < 5) return;
    const uint8_t index = FormblattModus ? HintergrundFarbe : RasterFarbe;
    TPen pen;
    pen.color = o.KontrastRaster ? Rgb(192, 192, 192) : o.Palette.Eintraege[index & 3];
    pen.width = 0;
    s.SetPen(pen);
    const int32_t cw = SichtBreite > 0 ? SichtBreite : PixelBreite();
    const int32_t ch = SichtHoehe > 0 ? SichtHoehe : PixelHoehe();
    const double x0 = RoundEven(ScrollPosH / zoom_), x1 = x0 + RoundEven(cw / zoom_);
    const double y0 = RoundEven(ScrollPosV / zoom_), y1 = y0 + RoundEven(ch / zoom_);
    // The grid runs through the origin, not through the page corner.
    const double ox = Ursprung.x - std::trunc(Ursprung.x / schritt) * schritt;
    const double oy = Ursprung.y - std::trunc(Ursprung.y / schritt) * schritt;
    // Multiplying instead of summing keeps far lines from drifting.
    const double cx = (ox - schritt) / 10;
    for (int k = 1; cx + (k - 1) * smm < BreiteMM; ++k) {
        const double x = RoundEven(10 * (cx + k * smm));
        s.MoveTo({x, y0});
        s.LineTo({x, y1});
    }
    const double cy = (oy - schritt) / 10;
    for (int k = 1; cy + (k - 1) * smm < HoeheMM; ++k) {
        const double y = RoundEven(10 * (cy + k * smm));
        s.MoveTo({x0, y});
        s.LineTo({x1, y});
    }
}

void TEditor::MaleElemente(TSurface& s, const QRect& clip) {
    const size_t n = Elemente.size() - (MehrpunktZeichnen && !Elemente.empty() ? 1 : 0);
    for (size_t i = 0; i < n; ++i) {
        TElement& e = *Elemente[i];
        if (FormblattModus && !e.FormLayer) continue;
        Abbildung(s); // elements leave the surface in pixel mapping
        const TRechteckI r = e.GetScreenRect(s);
        if (QRect(QPoint(r.x1, r.y1), QPoint(r.x2, r.y2)).normalized().intersects(clip)) e.Draw(s);
    }
}

void TEditor::MaleMagnetlinien(TSurface& s) const {
    TPen pen;
    pen.color = Rgb(0, 120, 215);
    pen.width = 0;
    pen.style = TPenStyle::Dot;
    s.SetPen(pen);
    const double b = 10.0 * BreiteMM, h = 10.0 * HoeheMM;
    for (const TMagnetlinieV& m : MagnetlinienV) {
        s.MoveTo({m.x, 0});
        s.LineTo({m.x, h});
    }
    for (const TMagnetlinieH& m : MagnetlinienH) {
        s.MoveTo({0, m.y});
        s.LineTo({b, m.y});
    }
}

TElementHooks TEditor::Hooks() {
    TElementHooks h;
    h.textChanged = [this](TElement& e) {
        if (OnTextAufloesen) OnTextAufloesen(*this, e);
    };
    h.textAufloesenFuer = [this](const TElement& e, const QString& text) {
        return OnTextErsetzen ? OnTextErsetzen(*this, e, text) : text;
    };
    return h;
}

void TEditor::LeseElemente(TByteReader& r) {
    TElementList neu;
    ReadElementList(r, neu, Hooks());
    for (auto& e : neu) {
        e->SetSelected(false);
        Elemente.push_back(std::move(e));
    }
}

void TEditor::SchreibeElemente(TByteWriter& w, bool nurAusgewaehlte) const {
    if (nurAusgewaehlte)
        WriteElementList(w, Elemente, [](const TElement& e) { return e.Selected; });
    else
        WriteElementList(w, Elemente);
}

void TEditor::FormblattSchreiben(TByteWriter& w) const {
    WriteElementList(w, Elemente, [](const TElement& e) { return e.FormLayer; });
}

void TEditor::FormblattLesen(TByteReader& r) {
    const size_t vorher = Elemente.size();
    LeseElemente(r);
    for (size_t i = vorher; i < Elemente.size(); ++i) Elemente[i]->SetFormLayer(true);
}

void TEditor::LoescheHistorie() {
    UndoListe.clear();
    RedoListe.clear();
    Vorab.clear();
}

void TEditor::Absichern() {
    if (BreiteMM <= 0) BreiteMM = kStandardBreiteMM;
    if (HoeheMM <= 0) HoeheMM = kStandardHoeheMM;
    BreiteMM = std::min(BreiteMM, kMaxSeiteMM);
    HoeheMM = std::min(HoeheMM, kMaxSeiteMM);
    if (Raster <= 0) Raster = kStandardRaster;
    if (!std::isfinite(Ursprung.x)) Ursprung.x = 0;
    if (!std::isfinite(Ursprung.y)) Ursprung.y = 0;
    SetzeZoom(BegrenzterZoom(zoom_));
}

} // namespace torvi
