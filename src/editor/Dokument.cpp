// The document: pages, options and placeholder resolution.
#include "editor/Dokument.h"

#include "editor/TextZugriff.h"
#include "elements/Text.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace torvi {

namespace {

bool IsTextKind(const TElement& e) {
    return e.Kind == ElementKind::Text || e.Kind == ElementKind::Kontakt;
}

// A component's identifier text carries the page number when the option asks for it.
bool IstBauteiltext(const TElement& e) {
    return IsTextKind(e) && static_cast<const TText&>(e).Bauteiltext;
}

// Labels and contacts answer the document's placeholder resolution.
void RegistriereTextArten() {
    static const bool done = [] {
        const TTextZugriff z{[](const TElement& e) { return static_cast<const TText&>(e).Text; },
                             [](TElement& e, const QString& shown) {
                                 auto& t = static_cast<TText&>(e);
                                 t.Anzeigetext = shown;
                                 t.UmrisseVeraltet = true;
                             },
                             &IstBauteiltext};
        RegistriereTextZugriff(ElementKind::Text, z);
        RegistriereTextZugriff(ElementKind::Kontakt, z);
        return true;
    }();
    (void)done;
}

TTextVariablenModus g_modus = TTextVariablenModus::Normal;
constexpr qsizetype kMaxAnzeigetext = 255;
} // namespace

TTextVariablenModus TextVariablenModus() {
    return g_modus;
}
void SetTextVariablenModus(TTextVariablenModus m) {
    g_modus = m;
}

TEditor* TDokument::Aktiv() const {
    return AktivesBlatt >= 0 && AktivesBlatt < int(Seiten.size()) ? Seiten[AktivesBlatt].get()
                                                                  : nullptr;
}

void TDokument::Verbinden(TEditor& seite) {
    RegistriereTextArten();
    seite.OnTextAufloesen = [this](TEditor& s, TElement& e) { TextAufloesen(&s, e); };
    seite.OnTextErsetzen = [this](TEditor& s, const TElement& e, const QString& text) {
        return TextAufloesen(text, &s, IstBauteiltext(e));
    };
}

TEditor& TDokument::NeuesBlatt(const QString& name) {
    auto seite = std::make_unique<TEditor>();
    seite->BlattName = name.left(30);
    Verbinden(*seite);
    Seiten.push_back(std::move(seite));
    index_[Seiten.back().get()] = int(Seiten.size()) - 1;
    AktivesBlatt = int(Seiten.size()) - 1;
    return *Seiten.back();
}

void TDokument::BlattEntfernen(int index) {
    if (index < 0 || index >= int(Seiten.size())) return;
    Seiten.erase(Seiten.begin() + index);
    index_.clear();
    if (AktivesBlatt >= int(Seiten.size())) AktivesBlatt = int(Seiten.size()) - 1;
}

void TDokument::IndexErneuern() const {
    index_.clear();
    for (size_t i = 0; i < Seiten.size(); ++i) index_[Seiten[i].get()] = int(i);
}

int TDokument::SeitenIndex(const TEditor& seite) const {
    auto gueltig = [&](int i) {
        return i >= 0 && i < int(Seiten.size()) && Seiten[i].get() == &seite;
    };
    auto it = index_.find(&seite);
    if (it != index_.end() && gueltig(it->second)) return it->second;
    if (it != index_.end() || index_.size() != Seiten.size()) {
        IndexErneuern();
        it = index_.find(&seite);
        if (it != index_.end() && gueltig(it->second)) return it->second;
    }
    return -1;
}

void TDokument::Uebernehmen(TDokument& von) {
    Seiten = std::move(von.Seiten);
    von.Seiten.clear();
    for (auto& s : Seiten) Verbinden(*s);
    IndexErneuern();
    von.index_.clear();
    AktivesBlatt = von.AktivesBlatt;
    von.AktivesBlatt = -1;
    DokumentName = von.DokumentName;
    DokumentGeaendert = von.DokumentGeaendert;
    PageNoBauteile = von.PageNoBauteile;
    BlaetterNumerieren = von.BlaetterNumerieren;
    Variablen = std::move(von.Variablen);
    von.Variablen.Leeren();
    DokumentOrdner = von.DokumentOrdner;
    FormblattOrdner = von.FormblattOrdner;
    LadeLetzterIndex = -1;
}

QString TDokument::TextAufloesen(const QString& text, const TEditor* seite,
                                 bool bauteiltext) const {
    QString s = text;
    const bool platzhalter = s.contains('<') && s.contains('>');
    if (platzhalter || (PageNoBauteile && bauteiltext)) {
        int p = seite ? SeitenIndex(*seite) : -1;
        if (p < 0 && TextVariablenModus() == TTextVariablenModus::Immer && Aktiv())
            p = AktivesBlatt;
        if (p >= 0 && TextVariablenModus() != TTextVariablenModus::Nie)
            s = Aufloesen(s, p, bauteiltext);
    }
    return s.left(kMaxAnzeigetext);
}

QString TDokument::Aufloesen(QString s, int p, bool bauteiltext) const {
    auto ersetze = [&s](const char* platzhalter, const QString& wert) {
        if (s.contains('<')) s.replace(QLatin1String(platzhalter), wert, Qt::CaseInsensitive);
    };
    const QDateTime jetzt = Uhr();
    const QLocale locale = QLocale::system();
    const QFileInfo datei(DokumentName);
    ersetze("<TIME>", locale.toString(jetzt.time(), QLocale::LongFormat));
    ersetze("<DATE>", locale.toString(jetzt.date(), QLocale::ShortFormat));
    ersetze("<FILENAME>", DokumentName.isEmpty() ? QString() : datei.fileName().toLower());
    ersetze("<FILEPATH>", DokumentName.isEmpty()
                              ? QString()
                              : QDir::toNativeSeparators(datei.path()) + QDir::separator());
    ersetze("<VERSION>", QStringLiteral("Torvi 6.0"));
    s = Variablen.Ersetzen(s);
    const int anzahl = LadeLetzterIndex >= 0 ? LadeLetzterIndex + 1 : int(Seiten.size());
    ersetze("<PAGECOUNT>", QString::number(anzahl));
    ersetze("<PAGENO>", QString::number(p + 1));
    ersetze("<PAGENAME>", SymbolBlattName ? *SymbolBlattName : Seiten[p]->BlattName);
    if (PageNoBauteile && bauteiltext) s.prepend(QString::number(p + 1));
    return s;
}

void TDokument::TextAufloesen(TEditor* seite, TElement& e) const {
    const TTextZugriff* z = TextZugriffFuer(e);
    if (!z) return;
    const bool bauteil = z->IstBauteiltext && z->IstBauteiltext(e);
    z->SetAnzeigetext(e, TextAufloesen(z->Text(e), seite, bauteil));
}

} // namespace torvi
