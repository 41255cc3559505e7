// Reading, sorting and writing the text constants.
#include "io/Textkonstanten.h"

#include "text/Cp1252.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace torvi {

QStringList LeseTextkonstanten(const QString& datei) {
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList texte;
    const QByteArray alles = f.readAll();
    for (QByteArray zeile : alles.split('\n')) {
        if (zeile.endsWith('\r')) zeile.chop(1);
        texte << FromCp1252(zeile);
    }
    // The last line break ends the last line; it does not start another.
    if (!texte.isEmpty() && texte.back().isEmpty() && alles.endsWith('\n')) texte.removeLast();
    if (alles.isEmpty()) texte.clear();
    return texte;
}

QStringList SortiereTextkonstanten(const QStringList& texte) {
    QStringList behalten;
    for (const QString& t : texte)
        if (!t.trimmed().isEmpty()) behalten << t;
    std::stable_sort(behalten.begin(), behalten.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return behalten;
}

bool SchreibeTextkonstanten(const QString& datei, const QStringList& texte) {
    QSaveFile f(datei);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QByteArray bytes;
    for (const QString& t : texte) bytes += ToCp1252(t) + "\r\n";
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        f.commit();
        return false;
    }
    return f.commit();
}

} // namespace torvi
