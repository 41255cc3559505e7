// The text constants file "USERTEXT.DAT": one phrase per line in Windows-1252, kept sorted
// without regard to case.
#pragma once

#include <QString>
#include <QStringList>

namespace torvi {

// The lines of the file; a missing file gives an empty list.
QStringList LeseTextkonstanten(const QString& datei);
// Drops texts that are blank after trimming (keeping the others untrimmed) and sorts the rest
// without regard to case.
QStringList SortiereTextkonstanten(const QStringList& texte);
// One line per text, CR LF ended; written whole or not at all.
bool SchreibeTextkonstanten(const QString& datei, const QStringList& texte);

} // namespace torvi
