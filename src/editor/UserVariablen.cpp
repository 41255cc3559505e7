// User variables: merging, replacing and the stored entry form.
#include "editor/UserVariablen.h"

#include "text/DokumentTexte.h"

#include <algorithm>

namespace torvi {

namespace {
bool VorName(const TUserVariable& v, const QString& name) {
    return v.Name.compare(name, Qt::CaseInsensitive) < 0;
}
} // namespace

std::vector<TUserVariable>::iterator TUserVariablen::Stelle(const QString& name) {
    return std::lower_bound(zeilen_.begin(), zeilen_.end(), name, VorName);
}

const TUserVariable* TUserVariablen::Finden(const QString& name) const {
    auto it = std::lower_bound(zeilen_.begin(), zeilen_.end(), name, VorName);
    return it != zeilen_.end() && it->Name.compare(name, Qt::CaseInsensitive) == 0 ? &*it : nullptr;
}

void TUserVariablen::Setzen(const QString& name, const QString& text) {
    if (name.trimmed().isEmpty()) return;
    auto it = Stelle(name);
    if (it != zeilen_.end() && it->Name.compare(name, Qt::CaseInsensitive) == 0)
        it->Text = text;
    else
        zeilen_.insert(it, {name, text});
}

void TUserVariablen::Uebernehmen(const QString& name, const QString& text,
                                 TRueckfragen& rueckfragen) {
    if (name.trimmed().isEmpty()) return;
    auto it = Stelle(name);
    if (it == zeilen_.end() || it->Name.compare(name, Qt::CaseInsensitive) != 0) {
        zeilen_.insert(it, {name, text});
        return;
    }
    if (it->Text != text && rueckfragen.Frage(Tr3(texte::kVariableDefiniert).arg(name, text)))
        it->Text = text;
}

QString TUserVariablen::Ersetzen(const QString& s) const {
    QString r = s;
    for (const TUserVariable& v : zeilen_) {
        if (!r.contains('<')) break;
        r.replace('<' + v.Name + '>', v.Text, Qt::CaseInsensitive);
    }
    return r;
}

TUserVariable TUserVariablen::AusEintrag(const QString& eintrag) {
    const qsizetype strich = eintrag.indexOf('|');
    if (strich < 0) return {eintrag, {}};
    return {eintrag.left(strich), eintrag.mid(strich + 1)};
}

} // namespace torvi
