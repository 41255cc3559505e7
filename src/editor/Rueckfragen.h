// How the document and file layer talks to the user: messages and yes/no questions. The main
// window answers with message boxes, tests and the command-line tool with scripted answers.
#pragma once

#include <QString>

namespace torvi {

enum class TMeldungsArt { Information, Fehler, Frage };

class TRueckfragen {
public:
    virtual ~TRueckfragen() = default;
    virtual void Meldung(TMeldungsArt art, const QString& text) = 0;
    // A yes/no question; true for yes.
    virtual bool Frage(const QString& text) = 0;
};

} // namespace torvi
