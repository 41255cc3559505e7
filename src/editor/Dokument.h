// TDokument: the open document: its pages (one owned TEditor each, in tab order), the active
// page, name and changed flag, the page-number options, the user variables and the folders;
// and the resolution of the placeholders in texts.
#pragma once

#include "editor/Editor.h"
#include "editor/UserVariablen.h"

#include <QDateTime>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace torvi {

// TextVariablenModus: 0 texts on a page are resolved with it, texts on no page keep their
// placeholders; 1 texts on no page are resolved with the active page; 2 nothing is resolved.
enum class TTextVariablenModus : uint8_t { Normal = 0, Immer = 1, Nie = 2 };
TTextVariablenModus TextVariablenModus();
void SetTextVariablenModus(TTextVariablenModus m);
// Sets the mode for a scope and returns it to Normal afterwards, as every user of another
// value must.
class TTextVariablenModusScope {
public:
    explicit TTextVariablenModusScope(TTextVariablenModus m) { SetTextVariablenModus(m); }
    ~TTextVariablenModusScope() { SetTextVariablenModus(TTextVariablenModus::Normal); }
    TTextVariablenModusScope(const TTextVariablenModusScope&) = delete;
    TTextVariablenModusScope& operator=(const TTextVariablenModusScope&) = delete;
};

class TDokument {
public:
    TDokument() = default;
    TDokument(const TDokument&) = delete;
    TDokument& operator=(const TDokument&) = delete;

    std::vector<std::unique_ptr<TEditor>> Seiten;
    // Index into Seiten, -1 without pages.
    int AktivesBlatt = -1;
    QString DokumentName;
    bool DokumentGeaendert = false;
    // Component identifiers carry the page number; page tabs carry the page number.
    bool PageNoBauteile = false;
    bool BlaetterNumerieren = false;
    TUserVariablen Variablen;
    QString DokumentOrdner;
    QString FormblattOrdner;
    // The last page index of the file being read (for "<PAGECOUNT>"), -1 otherwise.
    int LadeLetzterIndex = -1;
    // In a symbol editor "<PAGENAME>" names the page the component came from.
    std::optional<QString> SymbolBlattName;
    // The clock for "<TIME>" and "<DATE>".
    std::function<QDateTime()> Uhr = [] { return QDateTime::currentDateTime(); };

    TEditor* Aktiv() const;
    // Appends a page of that name, connects it and makes it the active one.
    TEditor& NeuesBlatt(const QString& name);
    void BlattEntfernen(int index);
    // Index of a page of this document, -1 for any other editor (the library panel).
    int SeitenIndex(const TEditor& seite) const;

    // Takes over everything of a document read into `von` (which is left empty).
    void Uebernehmen(TDokument& von);

    // The shown text of a text whose stored text is `text`, lying on `seite` (null: on no
    // page); bauteiltext marks a component's identifier text.
    QString TextAufloesen(const QString& text, const TEditor* seite, bool bauteiltext) const;
    // OnTextAufloesen of the pages: sets the element's shown text through its kind's access.
    void TextAufloesen(TEditor* seite, TElement& e) const;

private:
    void Verbinden(TEditor& seite);
    void IndexErneuern() const;
    // Page index by editor, so that resolving a text does not search the pages.
    mutable std::unordered_map<const TEditor*, int> index_;
    QString Aufloesen(QString s, int seite, bool bauteiltext) const;
};

} // namespace torvi
