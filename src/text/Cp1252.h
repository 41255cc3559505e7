// The Windows-1252 code page in which stored texts are kept, converted both ways.
#pragma once

#include <QByteArray>
#include <QString>

namespace torvi {

QString FromCp1252(const char* data, qsizetype length);
inline QString FromCp1252(const QByteArray& bytes) {
    return FromCp1252(bytes.constData(), bytes.size());
}
// Characters outside the code page become '?', as the ANSI conversion does.
QByteArray ToCp1252(const QString& text);

} // namespace torvi
