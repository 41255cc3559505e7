// Reading any file of the schematic family for the command line, and the three file commands.
#include "Dateien.h"

#include "ElementJson.h"
#include "editor/Dokument.h"
#include "io/Datei.h"
#include "surface/PainterSurface.h"
#include "text/DokumentTexte.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>

namespace torvi::cli {
namespace {

constexpr int kOk = 0;
constexpr int kUsage = 1;
constexpr int kFehler = 2;

void Err(const QString& s) {
    std::fprintf(stderr, "torvi-cli: %s\n", qPrintable(s));
}

// Nobody to ask: messages go to stderr, questions keep what is there.
class TKonsole : public TRueckfragen {
public:
    void Meldung(TMeldungsArt, const QString& text) override { Err(text); }
    bool Frage(const QString&) override { return false; }
};

// A file read into a fresh document (the library page into a page of its own).
struct TGelesen {
    TDateiArt art = TDateiArt::Dokument;
    int32_t version = 0;
    TDokument dokument;
};

bool Lesen(const QString& datei, TGelesen& g) {
    const std::optional<TDateiArt> art = DateiArtAusEndung(datei);
    if (!art) {
        Err(QStringLiteral("%1: unknown file kind (expected .trv, .bak, .BLT, .SBK or .LIB)")
                .arg(datei));
        return false;
    }
    g.art = *art;
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) {
        Err(QStringLiteral("%1: cannot be opened: %2").arg(datei, f.errorString()));
        return false;
    }
    const QByteArray bytes = f.readAll();
    TKonsole konsole;
    g.dokument.DokumentName = datei;
    try {
        switch (g.art) {
        case TDateiArt::Dokument:
            g.version = LeseDokument(bytes, g.dokument, konsole);
            break;
        case TDateiArt::Blatt:
            g.version = LeseBlattDatei(bytes, g.dokument, konsole);
            break;
        case TDateiArt::Formblatt:
            g.dokument.NeuesBlatt(Tr3(texte::kBlatt1));
            g.version = LeseFormblatt(bytes, g.dokument, konsole);
            break;
        case TDateiArt::Bibliothek: {
            TEditor& seite = g.dokument.NeuesBlatt({});
            seite.IstBibliothek = true;
            g.version = LeseBibliothek(bytes, seite);
            break;
        }
        }
    } catch (const TKennungsFehler&) {
        Err(QStringLiteral("%1: not a Torvi file (wrong magic)").arg(datei));
        return false;
    } catch (const TReadError& e) {
        Err(QStringLiteral("%1: %2").arg(datei, QString::fromStdString(e.what())));
        return false;
    }
    return true;
}

QJsonObject SeiteJson(const TEditor& s) {
    QJsonObject o;
    o["BlattName"] = s.BlattName;
    o["BreiteMM"] = s.BreiteMM;
    o["HoeheMM"] = s.HoeheMM;
    o["Papierformat"] = s.Papierformat;
    o["Hochformat"] = s.Hochformat;
    o["Raster"] = s.Raster;
    o["ScrollPosH"] = s.ScrollPosH;
    o["ScrollPosV"] = s.ScrollPosV;
    o["Zoom"] = FloatJson(s.Zoom());
    o["Ursprung"] = PunktJson(s.Ursprung);
    QJsonArray h, v, elemente;
    for (const TMagnetlinieH& m : s.MagnetlinienH) h.append(FloatJson(m.y));
    for (const TMagnetlinieV& m : s.MagnetlinienV) v.append(FloatJson(m.x));
    for (const auto& e : s.Elemente) elemente.append(ElementJson(*e));
    o["MagnetlinienH"] = h;
    o["MagnetlinienV"] = v;
    o["elements"] = elemente;
    return o;
}

QJsonObject InfoJson(const TGelesen& g) {
    const TDokument& d = g.dokument;
    QJsonObject o;
    o["format"] = DateiArtName(g.art);
    o["version"] = g.version;
    QJsonArray variablen;
    for (const TUserVariable& v : d.Variablen.Zeilen())
        variablen.append(QJsonObject{{"name", v.Name}, {"text", v.Text}});
    o["variables"] = variablen;
    o["PageNoBauteile"] = d.PageNoBauteile;
    o["BlaetterNumerieren"] = d.BlaetterNumerieren;
    o["active"] = d.AktivesBlatt;
    QJsonArray seiten;
    for (const auto& s : d.Seiten) seiten.append(SeiteJson(*s));
    o["pages"] = seiten;
    return o;
}

void InfoText(const TGelesen& g) {
    const TDokument& d = g.dokument;
    std::printf("%s, version %d, %zu page(s), active page %d, %zu variable(s)\n",
                DateiArtName(g.art), g.version, d.Seiten.size(), d.AktivesBlatt + 1,
                d.Variablen.Zeilen().size());
    for (size_t i = 0; i < d.Seiten.size(); ++i) {
        const TEditor& s = *d.Seiten[i];
        std::printf("  %zu: \"%s\" %d x %d mm, grid %d, zoom %g, %zu element(s)\n", i + 1,
                    qPrintable(s.BlattName), s.BreiteMM, s.HoeheMM, s.Raster, double(s.Zoom()),
                    s.Elemente.size());
    }
}

} // namespace

int Info(const TDateiOptionen& o) {
    TGelesen g;
    if (!Lesen(o.positional[0], g)) return kFehler;
    if (o.json)
        std::printf("%s\n", QJsonDocument(InfoJson(g)).toJson(QJsonDocument::Indented).constData());
    else
        InfoText(g);
    return kOk;
}

int Resave(const TDateiOptionen& o) {
    TGelesen g;
    if (!Lesen(o.positional[0], g)) return kFehler;
    QByteArray bytes;
    switch (g.art) {
    case TDateiArt::Dokument:
        bytes = DokumentBytes(g.dokument);
        break;
    case TDateiArt::Blatt:
        bytes = BlattDateiBytes(g.dokument);
        break;
    case TDateiArt::Formblatt:
        bytes = FormblattBytes(g.dokument);
        break;
    case TDateiArt::Bibliothek:
        bytes = BibliothekBytes(*g.dokument.Seiten.front());
        break;
    }
    TDateiSchreiber schreiber;
    if (!schreiber.Schreiben(o.positional[1], bytes)) {
        Err(QStringLiteral("%1: cannot be written").arg(o.positional[1]));
        return kFehler;
    }
    return kOk;
}

int Render(const TDateiOptionen& o) {
    TGelesen g;
    if (!Lesen(o.positional[0], g)) return kFehler;
    TDokument& d = g.dokument;
    const int index = o.page > 0 ? o.page - 1 : d.AktivesBlatt;
    if (index < 0 || index >= int(d.Seiten.size())) {
        Err(QStringLiteral("%1: there is no page %2 (the file has %3)")
                .arg(o.positional[0])
                .arg(o.page)
                .arg(d.Seiten.size()));
        return kUsage;
    }
    TEditor& seite = *d.Seiten[size_t(index)];
    seite.SetzeZoom(o.dpi / 254.0); // pixels per 0.1 mm
    QImage bild(std::max(1, seite.PixelBreite()), std::max(1, seite.PixelHoehe()),
                QImage::Format_RGB32);
    if (bild.isNull()) {
        Err(QStringLiteral("%1: page %2 is too large to render at %3 dpi")
                .arg(o.positional[0])
                .arg(index + 1)
                .arg(o.dpi));
        return kFehler;
    }
    bild.setDotsPerMeterX(int(o.dpi / 0.0254 + 0.5));
    bild.setDotsPerMeterY(int(o.dpi / 0.0254 + 0.5));
    {
        TPainterSurface surface(&bild);
        TMalOptionen m;
        m.Raster = false;
        m.Hilfen = false;
        m.Hintergrund = Rgb(255, 255, 255);
        seite.Paint(surface, m);
    }
    if (!bild.save(o.output, "PNG")) {
        Err(QStringLiteral("%1: cannot be written").arg(o.output));
        return kFehler;
    }
    return kOk;
}

} // namespace torvi::cli
