// Current language and selection of one text out of a triple.
#include "text/Sprache.h"

namespace torvi {
namespace {
int g_sprache = 0;
}

int Sprache() {
    return g_sprache;
}
void SetSprache(int sprache) {
    g_sprache = sprache;
}

QString Tr3(const TText3& t) {
    switch (g_sprache) {
    case 1:
        return QString::fromUtf8(t.en);
    case 2:
        return QString::fromUtf8(t.fr);
    default:
        return QString::fromUtf8(t.de);
    }
}

} // namespace torvi
