// Windows-1252 codec: Latin-1 plus the 0x80..0x9F block of typographic characters.
#include "text/Cp1252.h"

#include <array>

namespace torvi {
namespace {

// Unicode of bytes 0x80..0x9F; the five bytes undefined in the code page map to themselves, as
// the Windows conversion does, so that every byte survives a round trip.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char EncodeChar(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == u) return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QString FromCp1252(const char* data, qsizetype length) {
    QString s;
    s.resize(length);
    for (qsizetype i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        s[i] = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
    }
    return s;
}

QByteArray ToCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) out.append(EncodeChar(c.unicode()));
    return out;
}

} // namespace torvi
