// Little-endian writing of record fields.
#include "stream/ByteWriter.h"

#include "text/Cp1252.h"

#include <cstring>

namespace torvi {

namespace {
template <typename T> void AppendLE(QByteArray& buf, T v) {
    char bytes[sizeof v];
    std::memcpy(bytes, &v, sizeof v); // the host is little-endian
    buf.append(bytes, sizeof v);
}
} // namespace

void TByteWriter::Int16(int16_t v) {
    AppendLE(buf_, v);
}
void TByteWriter::Int32(int32_t v) {
    AppendLE(buf_, v);
}
void TByteWriter::Float(float v) {
    AppendLE(buf_, v);
}
void TByteWriter::Double(double v) {
    AppendLE(buf_, v);
}

void TByteWriter::ShortString(const QString& s, int capacity) {
    QByteArray bytes = ToCp1252(s).left(capacity);
    Byte(static_cast<uint8_t>(bytes.size()));
    buf_.append(bytes);
    Zeros(capacity - bytes.size());
}

void TByteWriter::LongString(const QString& s, int maxLength) {
    QByteArray bytes = ToCp1252(s).left(maxLength < 255 ? maxLength : 255);
    Int32(static_cast<int32_t>(bytes.size()));
    Byte(static_cast<uint8_t>(bytes.size()));
    buf_.append(bytes);
}

void TByteWriter::PatchInt32(qsizetype offset, int32_t v) {
    std::memcpy(buf_.data() + offset, &v, sizeof v);
}

} // namespace torvi
