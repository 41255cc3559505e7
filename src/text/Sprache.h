// The user-interface language and the German / English / French text triples.
#pragma once

#include <QString>

namespace torvi {

// 0 German, 1 English, 2 French. Any other value shows German.
int Sprache();
void SetSprache(int sprache);

struct TText3 {
    const char* de;
    const char* en;
    const char* fr;
};

// The text of the triple in the current language (UTF-8 literals).
QString Tr3(const TText3& t);

} // namespace torvi
