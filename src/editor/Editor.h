// TEditor: the headless model of one page: its elements, page settings, grid, zoom and scroll
// state, magnet lines and undo history, the page <-> pixel mapping and the page's painting.
//
// Page units are 0.1 mm, y down, the origin at the page's top-left corner; pixel = round(unit *
// Zoom), unit = pixel / Zoom. The control showing the page is exactly the page in pixels.
#pragma once

#include "editor/Magnetlinie.h"
#include "elements/Element.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace torvi {

// The four colours of the page palette: background, grid (and form-mode background), and the
// library panel's two.
struct TSeitenPalette {
    std::array<TFarbe, 4> Eintraege;
    // The set for screens of 8 bits per pixel or more, or the reduced one below.
    static TSeitenPalette Standard(bool farbig = true);
};

struct TMalOptionen {
    // Off for renders that show the page as printed: no grid, no magnet lines, no handles.
    bool Raster = true;
    bool Hilfen = true;
    // Replaces the palette background (white for exports).
    std::optional<TFarbe> Hintergrund;
    // Device rectangle to redraw; the whole control when empty.
    std::optional<QRect> Clip;
    // The program-wide strong-contrast grid and hidden magnet lines.
    bool KontrastRaster = false;
    bool MagnetlinienAusgeblendet = false;
    TSeitenPalette Palette = TSeitenPalette::Standard();
};

// What the editor reports to the status bar after a pointer move or a zoom change.
struct TStatusInfo {
    QString xText, yText, messung1, messung2;
    QPoint position{-100, -100};
    double zoom = 0;
};

class TEditor {
public:
    static constexpr double kMinZoom = 0.05;
    static constexpr double kZoomFaktor = 1.4;
    static constexpr float kStandardZoom = 0.2f;
    static constexpr int32_t kStandardBreiteMM = 297;
    static constexpr int32_t kStandardHoeheMM = 210;
    static constexpr int32_t kStandardRaster = 10;
    // Longest page side accepted from a file (100 m); longer ones would overflow the view.
    static constexpr int32_t kMaxSeiteMM = 100000;

    TEditor();
    virtual ~TEditor();
    TEditor(const TEditor&) = delete;
    TEditor& operator=(const TEditor&) = delete;

    // Events; each optional.
    std::function<void(TEditor&, bool horizontal, bool vertikal)> OnAnsichtVerschoben;
    std::function<void(TEditor&, const TStatusInfo&)> OnStatus;
    std::function<void(TEditor&)> OnGeaendert;
    // An element of this page (or of a component on it) asks for its placeholders.
    std::function<void(TEditor&, TElement&)> OnTextAufloesen;
    // A text of this page shows its placeholders resolved: the shown text for the stored one.
    std::function<QString(TEditor&, const TElement&, const QString&)> OnTextErsetzen;

    bool RasterSichtbar = true;
    TElementList Elemente;
    QString BlattName;
    int32_t ScrollPosH = 0;
    int32_t ScrollPosV = 0;
    int32_t BreiteMM = kStandardBreiteMM;
    int32_t HoeheMM = kStandardHoeheMM;
    uint8_t Papierformat = 2;
    bool Hochformat = false;
    uint8_t Werkzeug = 0;
    std::vector<TMagnetlinieV> MagnetlinienV;
    std::vector<TMagnetlinieH> MagnetlinienH;
    uint8_t RasterFarbe = 1;
    uint8_t HintergrundFarbe = 0;
    bool Bezugspunkt = false;
    int32_t Raster = kStandardRaster;
    // Undo and redo snapshots, oldest first, and the pre-snapshot of drag-created tools.
    std::vector<QByteArray> UndoListe;
    std::vector<QByteArray> RedoListe;
    QByteArray Vorab;
    bool FormblattModus = false;
    int32_t UndoTiefe = 30;
    bool IstBibliothek = false;
    TPunkt Ursprung{0, 0};

    // Where the control sits in its parent and the scroll box's client size (the visible
    // part); a client size of 0 means the whole page is visible.
    int32_t Links = 0;
    int32_t Oben = 0;
    int32_t SichtBreite = 0;
    int32_t SichtHoehe = 0;
    // A mouse button is held or a multi-point drawing runs: zooming in and out waits, and
    // the element being drawn is left to the feedback.
    bool TasteGedrueckt = false;
    bool MehrpunktZeichnen = false;

    float Zoom() const { return zoom_; }
    void SetzeZoom(double z);
    int32_t MaxZoom() const;
    // z limited to kMinZoom..MaxZoom (the minimum wins on pages too long for it).
    double BegrenzterZoom(double z) const;
    void ZentriereAuf(TPunkt p);
    void ZoomRechteck(TRechteckF r);
    void ZoomBlatt();
    void ZoomElemente();
    void ZoomRein();
    void ZoomRaus();
    void SetzeRaster(int32_t schritt);

    // Size of the control in pixels.
    int32_t PixelBreite() const;
    int32_t PixelHoehe() const;
    TPunkt SeiteAusPixel(QPointF pixel) const;
    QPoint PixelAusSeite(TPunkt p) const;

    // Selects the page mapping on s and sets the shared view transform to match.
    virtual void Abbildung(TSurface& s) const;
    // Background, grid, elements, handles, magnet lines and markers, in that order.
    void Paint(TSurface& s, const TMalOptionen& o = {});

    // The hooks every element of this page gets.
    TElementHooks Hooks();
    // Reads an element list record and appends its elements only when all of it was read.
    void LeseElemente(TByteReader& r);
    void SchreibeElemente(TByteWriter& w, bool nurAusgewaehlte = false) const;
    void FormblattSchreiben(TByteWriter& w) const;
    // Appends the form elements of a record, each put on the form layer.
    void FormblattLesen(TByteReader& r);
    void LoescheHistorie();

    // Replaces values a damaged file may hold and no view can show: page sizes of zero or
    // less (or beyond kMaxSeiteMM), a grid of zero or less, a zoom outside its limits or not
    // finite, an origin that is not finite. Then sets the zoom.
    void Absichern();

protected:
    virtual void MaleRaster(TSurface& s, const TMalOptionen& o) const;
    virtual void MaleElemente(TSurface& s, const QRect& clip);
    // Selection frame, point handles and markers belong to the interaction; none yet.
    virtual void MaleGriffe(TSurface&) {}
    virtual void MaleMagnetlinien(TSurface& s) const;
    virtual void MaleMarken(TSurface&) {}

private:
    float zoom_ = kStandardZoom;
};

} // namespace torvi
