// The document's user variables: name-text pairs, names unique without regard to case, kept
// sorted by name; "<name>" in a text shows the variable's text.
#pragma once

#include "editor/Rueckfragen.h"

#include <QString>
#include <vector>

namespace torvi {

struct TUserVariable {
    QString Name;
    QString Text;
    friend bool operator==(const TUserVariable&, const TUserVariable&) = default;
};

class TUserVariablen {
public:
    const std::vector<TUserVariable>& Zeilen() const { return zeilen_; }
    bool Leer() const { return zeilen_.empty(); }
    // VariablenLeeren.
    void Leeren() { zeilen_.clear(); }
    // Sets a variable (the dialog's edit): a name that exists in any case takes the new text.
    // A name that is empty after trimming is an unused row and is not kept.
    void Setzen(const QString& name, const QString& text);
    // VariableUebernehmen: merges a variable read from a file. A name that exists with another
    // text asks whether to take the new one; a matching name is never added twice.
    void Uebernehmen(const QString& name, const QString& text, TRueckfragen& rueckfragen);
    // VariablenErsetzen: every "<name>" of every variable, without regard to case, by its text.
    QString Ersetzen(const QString& s) const;
    const TUserVariable* Finden(const QString& name) const;

    // A stored entry "name|text": everything after the first "|" is the text.
    static TUserVariable AusEintrag(const QString& eintrag);
    QString static Eintrag(const TUserVariable& v) { return v.Name + '|' + v.Text; }

private:
    std::vector<TUserVariable>::iterator Stelle(const QString& name);
    std::vector<TUserVariable> zeilen_;
};

} // namespace torvi
