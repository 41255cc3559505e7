// The schematic file family: document (".trv") and backup (".bak"), page file (".BLT"), form
// file (".SBK") and library page (".LIB"). Bytes are built and parsed here; DateiSpeichern and
// DateiLaden add the file, the messages and the document state around them.
//
// Reading never trusts the file: every fault is one TReadError naming what was wrong, and a
// document, page or form is taken over only when all of it was read.
#pragma once

#include "editor/Dokument.h"
#include "editor/Rueckfragen.h"
#include "stream/ByteReader.h"

#include <QByteArray>
#include <QString>

class QSaveFile;

namespace torvi {

enum class TDateiArt { Dokument, Blatt, Formblatt, Bibliothek };

// The kind by extension, case-insensitive (".trv" and ".bak" are documents); nullopt for any
// other extension.
std::optional<TDateiArt> DateiArtAusEndung(const QString& datei);
const char* DateiArtName(TDateiArt art);

// The file starts with another magic than "TORVI".
class TKennungsFehler : public std::runtime_error {
public:
    TKennungsFehler() : std::runtime_error("not a Torvi file") {}
};

// Bytes of each kind, always at the current version.
QByteArray DokumentBytes(const TDokument& d);
QByteArray BlattDateiBytes(const TDokument& d); // the active page
QByteArray FormblattBytes(const TDokument& d);  // form elements of the active page
QByteArray BibliothekBytes(const TEditor& seite);

// Parsing; each returns the version of the file. LeseDokument fills a fresh document;
// the others change `d` only when the whole file was read. Throw TKennungsFehler or
// TReadError.
int32_t LeseDokument(const QByteArray& bytes, TDokument& frisch, TRueckfragen& rueckfragen);
int32_t LeseBlattDatei(const QByteArray& bytes, TDokument& d, TRueckfragen& rueckfragen);
int32_t LeseFormblatt(const QByteArray& bytes, TDokument& d, TRueckfragen& rueckfragen);
int32_t LeseBibliothek(const QByteArray& bytes, TEditor& seite);

// Writes a file so that it is complete or not there: the bytes go to a temporary file in the
// same folder, which replaces the old file only after it was written and flushed.
class TDateiSchreiber {
public:
    virtual ~TDateiSchreiber() = default;
    bool Schreiben(const QString& datei, const QByteArray& bytes);

protected:
    // One piece of the file; false when it could not be written.
    virtual bool SchreibeStueck(QSaveFile& f, const char* daten, qint64 laenge);
};

// DateiSpeichern: writes the document (or backup when autosave), the active page's page file
// or its form file. A file that cannot be written gives the write-failure message and leaves
// file, flags and histories as they were. After a document was written (not a backup) the
// changed flag and all undo histories are cleared.
bool DateiSpeichern(TDokument& d, const QString& datei, TDateiArt art, TRueckfragen& rueckfragen,
                    bool autosave = false, TDateiSchreiber* schreiber = nullptr);
// The library page of the library panel.
bool DateiSpeichern(const TEditor& bibliothek, const QString& datei, TRueckfragen& rueckfragen,
                    TDateiSchreiber* schreiber = nullptr);

// DateiLaden: reads a document (replacing the open one), a page file (appending its page), a
// form file (into the active page). Another magic adds an empty page "Blatt 1"; any damage
// gives a message naming the file and the fault and leaves the document as it was.
bool DateiLaden(TDokument& d, const QString& datei, TDateiArt art, TRueckfragen& rueckfragen);
// A library page into the library panel's page; another magic leaves it and the document.
bool DateiLaden(TEditor& bibliothek, const QString& datei, TRueckfragen& rueckfragen);

} // namespace torvi
