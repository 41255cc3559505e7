// Writing and reading the schematic file family.
#include "io/Datei.h"

#include "elements/SharedState.h"
#include "text/DokumentTexte.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

namespace torvi {

namespace {

constexpr int kNamenKapazitaet = 30;
constexpr int kMaxVariable = 250;
constexpr int kKopfGroesse = 11;
// Name, the eight page fields and the element count; magnet lines and origin come on top.
constexpr qsizetype kMinBlatt = 31 + 26 + 4;

// ---- writing ----------------------------------------------------------------------------

void SchreibeKopf(TByteWriter& w) {
    w.ShortString(QStringLiteral("TORVI%1").arg(kCurrentVersion), 10);
}

void SchreibeVariablen(TByteWriter& w, const TUserVariablen& v) {
    w.Int32(int32_t(v.Zeilen().size()));
    for (const TUserVariable& z : v.Zeilen())
        w.LongString(TUserVariablen::Eintrag(z), kMaxVariable);
}

void BlattSchreiben(TByteWriter& w, const TEditor& s, bool bibliothek) {
    w.ShortString(s.BlattName, kNamenKapazitaet);
    w.Int32(s.HoeheMM); // height before width
    w.Int32(s.BreiteMM);
    w.Byte(s.Papierformat);
    w.Bool(s.Hochformat);
    w.Int32(s.Raster);
    w.Int32(s.ScrollPosH);
    w.Int32(s.ScrollPosV);
    w.Float(s.Zoom());
    s.SchreibeElemente(w);
    if (bibliothek) return;
    SchreibeMagnetlinien(w, s.MagnetlinienH, s.MagnetlinienV);
    w.Punkt(s.Ursprung);
}

// ---- reading ----------------------------------------------------------------------------

// Checks the magic and returns the version of the two digits after it.
int32_t LeseKopf(const QByteArray& bytes, TByteReader& r) {
    // Another magic is told from a cut-off header: only bytes that are there can disagree.
    const qsizetype vorhanden = std::min<qsizetype>(bytes.size(), 6) - 1;
    if (vorhanden > 0 && std::memcmp(bytes.constData() + 1, "TORVI", size_t(vorhanden)) != 0)
        throw TKennungsFehler();
    const char* kopf = r.Raw(kKopfGroesse);
    auto ziffer = [](char c) { return c >= '0' && c <= '9'; };
    if (!ziffer(kopf[6]) || !ziffer(kopf[7]))
        r.FailAt(QStringLiteral("the version characters (bytes %1) are not digits")
                     .arg(QString::fromLatin1(QByteArray(kopf + 6, 2).toHex(' '))),
                 6);
    return (kopf[6] - '0') * 10 + (kopf[7] - '0');
}

void LeseVariablen(TByteReader& r, TUserVariablen& v, TRueckfragen& rueckfragen) {
    const int32_t n = r.Count(5, "user variables");
    for (int32_t i = 0; i < n; ++i) {
        const TUserVariable e = TUserVariablen::AusEintrag(r.LongString(kMaxVariable));
        v.Uebernehmen(e.Name, e.Text, rueckfragen);
    }
}

struct TVerzeichnis {
    int32_t aktiv = 0;
    int32_t letzter = 0;
};

TVerzeichnis LeseVerzeichnis(TByteReader& r, qsizetype minBlatt) {
    const qsizetype at = r.Offset();
    TVerzeichnis v{r.Int32(), r.Int32()};
    if (v.letzter < 0)
        r.FailAt(QStringLiteral("page directory names %1 as the last page").arg(v.letzter), at);
    if ((qint64(v.letzter) + 1) * minBlatt > r.Remaining())
        r.FailAt(QStringLiteral("page directory counts %1 pages, more than the file holds")
                     .arg(qint64(v.letzter) + 1),
                 at);
    if (v.aktiv < 0 || v.aktiv > v.letzter)
        r.FailAt(
            QStringLiteral("active page %1 outside the pages 0..%2").arg(v.aktiv).arg(v.letzter),
            at);
    return v;
}

qsizetype MinBlatt(int32_t version) {
    return kMinBlatt + 8 + (version > 59 ? 8 : 0);
}

void LeseBlattFelder(TByteReader& r, TEditor& s) {
    s.HoeheMM = r.Int32();
    s.BreiteMM = r.Int32();
    s.Papierformat = r.Byte();
    s.Hochformat = r.Bool();
    s.Raster = r.Int32();
    s.ScrollPosH = r.Int32();
    s.ScrollPosV = r.Int32();
    s.SetzeZoom(r.Float());
}

// BlattLesen: one page block into a new page at the end of the document.
void BlattLesen(TByteReader& r, TDokument& d, int32_t version) {
    TEditor& s = d.NeuesBlatt(r.ShortString(kNamenKapazitaet));
    LeseBlattFelder(r, s);
    s.Absichern();
    s.LeseElemente(r);
    LeseMagnetlinien(r, s.MagnetlinienH, s.MagnetlinienV);
    if (version > 59) s.Ursprung = r.Punkt();
    s.Absichern();
}

// "<PAGECOUNT>" gives the page count of the file while its pages are read.
class TLadeIndex {
public:
    TLadeIndex(TDokument& d, int32_t letzter) : d_(d) { d_.LadeLetzterIndex = letzter; }
    ~TLadeIndex() { d_.LadeLetzterIndex = -1; }
    TLadeIndex(const TLadeIndex&) = delete;
    TLadeIndex& operator=(const TLadeIndex&) = delete;

private:
    TDokument& d_;
};

// Records the answers of a first reading, so that reading the file a second time does not ask
// the same questions again.
class TAufzeichnung : public TRueckfragen {
public:
    explicit TAufzeichnung(TRueckfragen& ziel) : ziel_(ziel) {}
    void Meldung(TMeldungsArt art, const QString& text) override { ziel_.Meldung(art, text); }
    bool Frage(const QString& text) override {
        if (naechste_ < antworten_.size()) return antworten_[naechste_++];
        antworten_.push_back(ziel_.Frage(text));
        ++naechste_;
        return antworten_.back();
    }
    void Wiederholen() { naechste_ = 0; }

private:
    TRueckfragen& ziel_;
    std::vector<bool> antworten_;
    size_t naechste_ = 0;
};

// The trailing option bytes of versions 50 to 60; true when the page-number option changed.
bool LeseSpaeteOptionen(TByteReader& r, TDokument& d, int32_t version) {
    if (version < 50 || version > 60) return false;
    const bool seitenNummer = r.Bool();
    d.BlaetterNumerieren = r.Bool();
    const bool anders = seitenNummer != d.PageNoBauteile;
    d.PageNoBauteile = seitenNummer;
    return anders;
}

int32_t LeseDokumentEinmal(const QByteArray& bytes, TDokument& f, TRueckfragen& rf,
                           bool& optionGeaendert) {
    TByteReader r(bytes);
    const int32_t version = LeseKopf(bytes, r);
    TReadVersionScope scope(version);
    f.Variablen.Leeren();
    if (version >= 60) LeseVariablen(r, f.Variablen, rf);
    if (version >= 61) {
        f.PageNoBauteile = r.Bool();
        f.BlaetterNumerieren = r.Bool();
    }
    const TVerzeichnis v = LeseVerzeichnis(r, MinBlatt(version));
    {
        TLadeIndex index(f, v.letzter);
        for (int32_t i = 0; i <= v.letzter; ++i) BlattLesen(r, f, version);
    }
    optionGeaendert = LeseSpaeteOptionen(r, f, version);
    f.AktivesBlatt = v.aktiv;
    return version;
}

int32_t LeseBlattDateiEinmal(const QByteArray& bytes, TDokument& d, TRueckfragen& rf,
                             bool& optionGeaendert) {
    TByteReader r(bytes);
    const int32_t version = LeseKopf(bytes, r);
    TReadVersionScope scope(version);
    if (version >= 60) LeseVariablen(r, d.Variablen, rf);
    const TVerzeichnis v = LeseVerzeichnis(r, MinBlatt(version));
    {
        TLadeIndex index(d, v.letzter);
        for (int32_t i = 0; i <= v.letzter; ++i) BlattLesen(r, d, version);
    }
    optionGeaendert = LeseSpaeteOptionen(r, d, version);
    return version;
}

// What reading a page or form file may change, to put back when the file turns out damaged.
class TSicherung {
public:
    explicit TSicherung(const TDokument& d)
        : seiten_(d.Seiten.size()), aktiv_(d.AktivesBlatt), variablen_(d.Variablen),
          seitenNummer_(d.PageNoBauteile), blaetterNummer_(d.BlaetterNumerieren) {}
    void Zuruecksetzen(TDokument& d) const {
        while (d.Seiten.size() > seiten_) d.BlattEntfernen(int(d.Seiten.size()) - 1);
        d.AktivesBlatt = aktiv_;
        d.Variablen = variablen_;
        d.PageNoBauteile = seitenNummer_;
        d.BlaetterNumerieren = blaetterNummer_;
    }

private:
    size_t seiten_;
    int aktiv_;
    TUserVariablen variablen_;
    bool seitenNummer_;
    bool blaetterNummer_;
};

QString Ordner(const QString& datei) {
    return QFileInfo(datei).absolutePath();
}

} // namespace

// ---- kinds ------------------------------------------------------------------------------

std::optional<TDateiArt> DateiArtAusEndung(const QString& datei) {
    const QString endung = QFileInfo(datei).suffix().toLower();
    if (endung == "trv" || endung == "bak") return TDateiArt::Dokument;
    if (endung == "blt") return TDateiArt::Blatt;
    if (endung == "sbk") return TDateiArt::Formblatt;
    if (endung == "lib") return TDateiArt::Bibliothek;
    return std::nullopt;
}

const char* DateiArtName(TDateiArt art) {
    switch (art) {
    case TDateiArt::Dokument:
        return "document";
    case TDateiArt::Blatt:
        return "page";
    case TDateiArt::Formblatt:
        return "form";
    case TDateiArt::Bibliothek:
        return "library";
    }
    return "";
}

// ---- bytes ------------------------------------------------------------------------------

QByteArray DokumentBytes(const TDokument& d) {
    TByteWriter w;
    SchreibeKopf(w);
    SchreibeVariablen(w, d.Variablen);
    w.Bool(d.PageNoBauteile);
    w.Bool(d.BlaetterNumerieren);
    w.Int32(std::max(0, d.AktivesBlatt));
    w.ListCount(qsizetype(d.Seiten.size()));
    for (const auto& s : d.Seiten) BlattSchreiben(w, *s, false);
    return w.Take();
}

QByteArray BlattDateiBytes(const TDokument& d) {
    TByteWriter w;
    SchreibeKopf(w);
    SchreibeVariablen(w, d.Variablen);
    w.Int32(0);
    w.Int32(0);
    if (const TEditor* s = d.Aktiv()) BlattSchreiben(w, *s, false);
    return w.Take();
}

QByteArray FormblattBytes(const TDokument& d) {
    TByteWriter w;
    w.Int32(-kCurrentVersion);
    SchreibeVariablen(w, d.Variablen);
    if (const TEditor* s = d.Aktiv()) s->FormblattSchreiben(w);
    return w.Take();
}

QByteArray BibliothekBytes(const TEditor& seite) {
    TByteWriter w;
    SchreibeKopf(w);
    w.Int32(0);
    w.Int32(0);
    BlattSchreiben(w, seite, true);
    return w.Take();
}

// ---- parsing ----------------------------------------------------------------------------

int32_t LeseDokument(const QByteArray& bytes, TDokument& frisch, TRueckfragen& rueckfragen) {
    TAufzeichnung antworten(rueckfragen);
    bool optionGeaendert = false;
    int32_t version = LeseDokumentEinmal(bytes, frisch, antworten, optionGeaendert);
    if (optionGeaendert) {
        // Texts of the pages were resolved with the other option: read them again with the
        // option the file stores.
        while (!frisch.Seiten.empty()) frisch.BlattEntfernen(int(frisch.Seiten.size()) - 1);
        antworten.Wiederholen();
        version = LeseDokumentEinmal(bytes, frisch, antworten, optionGeaendert);
    }
    return version;
}

int32_t LeseBlattDatei(const QByteArray& bytes, TDokument& d, TRueckfragen& rueckfragen) {
    const TSicherung sicherung(d);
    try {
        TAufzeichnung antworten(rueckfragen);
        bool optionGeaendert = false;
        int32_t version = LeseBlattDateiEinmal(bytes, d, antworten, optionGeaendert);
        if (optionGeaendert) {
            // Only the page just read goes again; the document's other pages stay.
            const bool option = d.PageNoBauteile;
            sicherung.Zuruecksetzen(d);
            d.PageNoBauteile = option;
            antworten.Wiederholen();
            version = LeseBlattDateiEinmal(bytes, d, antworten, optionGeaendert);
        }
        d.AktivesBlatt = int(d.Seiten.size()) - 1;
        d.DokumentGeaendert = true;
        return version;
    } catch (...) {
        sicherung.Zuruecksetzen(d);
        throw;
    }
}

int32_t LeseFormblatt(const QByteArray& bytes, TDokument& d, TRueckfragen& rueckfragen) {
    TEditor* seite = d.Aktiv();
    if (!seite) throw TReadError(QStringLiteral("there is no page to take the form"), 0);
    TByteReader r(bytes);
    const int32_t erstes = r.Int32();
    int32_t version = 40; // no version field: the element list starts at offset 0
    if (erstes < -1) {
        const qint64 v = -qint64(erstes);
        if (v > 99) r.FailAt(QStringLiteral("impossible form file version %1").arg(v), 0);
        version = int32_t(v);
    } else {
        r.Seek(0);
    }
    TReadVersionScope scope(version);
    const TUserVariablen vorher = d.Variablen;
    try {
        if (version >= 60) LeseVariablen(r, d.Variablen, rueckfragen);
        seite->FormblattLesen(r);
    } catch (...) {
        d.Variablen = vorher;
        throw;
    }
    d.DokumentGeaendert = true;
    return version;
}

int32_t LeseBibliothek(const QByteArray& bytes, TEditor& seite) {
    TByteReader r(bytes);
    const int32_t version = LeseKopf(bytes, r);
    TReadVersionScope scope(version);
    const TVerzeichnis v = LeseVerzeichnis(r, kMinBlatt);
    TEditor neu;
    neu.OnTextAufloesen = seite.OnTextAufloesen;
    neu.OnTextErsetzen = seite.OnTextErsetzen;
    neu.IstBibliothek = seite.IstBibliothek;
    for (int32_t i = 0; i <= v.letzter; ++i) {
        neu.BlattName = r.ShortString(kNamenKapazitaet);
        LeseBlattFelder(r, neu);
        neu.Absichern();
        neu.LeseElemente(r);
    }
    seite.BlattName = neu.BlattName;
    seite.HoeheMM = neu.HoeheMM;
    seite.BreiteMM = neu.BreiteMM;
    seite.Papierformat = neu.Papierformat;
    seite.Hochformat = neu.Hochformat;
    seite.Raster = neu.Raster;
    seite.ScrollPosH = neu.ScrollPosH;
    seite.ScrollPosV = neu.ScrollPosV;
    seite.SetzeZoom(neu.Zoom());
    seite.Elemente = std::move(neu.Elemente);
    for (auto& e : seite.Elemente) e->Connect(seite.Hooks());
    return version;
}

// ---- files ------------------------------------------------------------------------------

bool TDateiSchreiber::SchreibeStueck(QSaveFile& f, const char* daten, qint64 laenge) {
    return f.write(daten, laenge) == laenge;
}

bool TDateiSchreiber::Schreiben(const QString& datei, const QByteArray& bytes) {
    constexpr qint64 kStueck = 64 * 1024;
    QSaveFile f(datei);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly)) return false;
    for (qint64 at = 0; at < bytes.size(); at += kStueck) {
        if (!SchreibeStueck(f, bytes.constData() + at, std::min(kStueck, bytes.size() - at))) {
            f.cancelWriting();
            f.commit(); // discards the temporary file; the old file stays
            return false;
        }
    }
    return f.commit();
}

namespace {
bool Schreibe(const QString& datei, const QByteArray& bytes, TRueckfragen& rueckfragen,
              TDateiSchreiber* schreiber) {
    TDateiSchreiber standard;
    if ((schreiber ? *schreiber : standard).Schreiben(datei, bytes)) return true;
    rueckfragen.Meldung(TMeldungsArt::Information, Tr3(texte::kDateiNichtGeschrieben).arg(datei));
    return false;
}
} // namespace

bool DateiSpeichern(TDokument& d, const QString& datei, TDateiArt art, TRueckfragen& rueckfragen,
                    bool autosave, TDateiSchreiber* schreiber) {
    QByteArray bytes;
    switch (art) {
    case TDateiArt::Dokument:
        bytes = DokumentBytes(d);
        break;
    case TDateiArt::Blatt:
        if (d.Aktiv()) bytes = BlattDateiBytes(d);
        break;
    case TDateiArt::Formblatt:
        if (d.Aktiv()) bytes = FormblattBytes(d);
        break;
    case TDateiArt::Bibliothek:
        break; // the library panel's page, not the document's
    }
    if (bytes.isEmpty() || !Schreibe(datei, bytes, rueckfragen, schreiber)) {
        if (bytes.isEmpty())
            rueckfragen.Meldung(TMeldungsArt::Information,
                                Tr3(texte::kDateiNichtGeschrieben).arg(datei));
        return false;
    }
    if (art == TDateiArt::Formblatt) {
        d.FormblattOrdner = Ordner(datei);
        return true;
    }
    if (art == TDateiArt::Dokument && !autosave) {
        for (auto& s : d.Seiten) s->LoescheHistorie();
        d.DokumentGeaendert = false;
    }
    d.DokumentOrdner = Ordner(datei);
    return true;
}

bool DateiSpeichern(const TEditor& bibliothek, const QString& datei, TRueckfragen& rueckfragen,
                    TDateiSchreiber* schreiber) {
    return Schreibe(datei, BibliothekBytes(bibliothek), rueckfragen, schreiber);
}

namespace {

bool LeseDateiBytes(const QString& datei, QByteArray& bytes, TRueckfragen& rueckfragen) {
    QFile f(datei);
    if (f.open(QIODevice::ReadOnly)) {
        bytes = f.readAll();
        if (f.error() == QFileDevice::NoError) return true;
    }
    rueckfragen.Meldung(TMeldungsArt::Fehler, Tr3(texte::kDateiNichtGeoeffnet).arg(datei));
    return false;
}

void MeldeKennung(const QString& datei, TRueckfragen& rueckfragen) {
    rueckfragen.Meldung(TMeldungsArt::Fehler,
                        QFileInfo(datei).fileName() + Tr3(texte::kKeineTorviDatei));
}

void MeldeSchaden(const QString& datei, const TReadError& e, TRueckfragen& rueckfragen) {
    rueckfragen.Meldung(TMeldungsArt::Fehler,
                        Tr3(texte::kDateiBeschaedigt).arg(datei, QString::fromStdString(e.what())));
}

void LadeDokument(TDokument& d, const QString& datei, const QByteArray& bytes,
                  TRueckfragen& rueckfragen) {
    TDokument frisch;
    frisch.PageNoBauteile = d.PageNoBauteile;
    frisch.BlaetterNumerieren = d.BlaetterNumerieren;
    frisch.DokumentName = datei;
    frisch.Uhr = d.Uhr;
    frisch.FormblattOrdner = d.FormblattOrdner;
    LeseDokument(bytes, frisch, rueckfragen);
    frisch.DokumentGeaendert = false;
    frisch.DokumentOrdner = Ordner(datei);
    d.Uebernehmen(frisch);
}

} // namespace

bool DateiLaden(TDokument& d, const QString& datei, TDateiArt art, TRueckfragen& rueckfragen) {
    if (art == TDateiArt::Bibliothek) return false;
    QByteArray bytes;
    if (!LeseDateiBytes(datei, bytes, rueckfragen)) return false;
    try {
        switch (art) {
        case TDateiArt::Dokument:
            LadeDokument(d, datei, bytes, rueckfragen);
            break;
        case TDateiArt::Blatt:
            LeseBlattDatei(bytes, d, rueckfragen);
            d.DokumentOrdner = Ordner(datei);
            break;
        case TDateiArt::Formblatt:
            LeseFormblatt(bytes, d, rueckfragen);
            d.FormblattOrdner = Ordner(datei);
            break;
        case TDateiArt::Bibliothek:
            break;
        }
    } catch (const TKennungsFehler&) {
        d.NeuesBlatt(Tr3(texte::kBlatt1));
        MeldeKennung(datei, rueckfragen);
        return false;
    } catch (const TReadError& e) {
        MeldeSchaden(datei, e, rueckfragen);
        if (TEditor* s = d.Aktiv()) s->SetzeZoom(s->Zoom());
        return false;
    }
    if (TEditor* s = d.Aktiv()) s->SetzeZoom(s->Zoom()); // the shown page's scale again
    return true;
}

bool DateiLaden(TEditor& bibliothek, const QString& datei, TRueckfragen& rueckfragen) {
    QByteArray bytes;
    if (!LeseDateiBytes(datei, bytes, rueckfragen)) return false;
    const TViewTransform vorher = Shared().ViewTransform;
    bool ok = false;
    try {
        LeseBibliothek(bytes, bibliothek);
        ok = true;
    } catch (const TKennungsFehler&) {
        MeldeKennung(datei, rueckfragen);
    } catch (const TReadError& e) {
        MeldeSchaden(datei, e, rueckfragen);
    }
    Shared().ViewTransform = vorher;
    return ok;
}

} // namespace torvi
