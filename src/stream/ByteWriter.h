// Little-endian writer for stored records, the mirror of TByteReader.
#pragma once

#include "geom/Geometry.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace torvi {

class TByteWriter {
public:
    void Byte(uint8_t v) { buf_.append(static_cast<char>(v)); }
    void Bool(bool v) { Byte(v ? 1 : 0); }
    void Int16(int16_t v);
    void Int32(int32_t v);
    void UInt32(uint32_t v) { Int32(static_cast<int32_t>(v)); }
    void Float(float v);
    void Double(double v);
    void Punkt(TPunkt p) {
        Float(p.x);
        Float(p.y);
    }
    void Bytes(const char* data, qsizetype n) { buf_.append(data, n); }
    void Bytes(const QByteArray& b) { buf_.append(b); }
    void Zeros(qsizetype n) { buf_.append(n, '\0'); }
    // "count - 1" list header for count items.
    void ListCount(qsizetype count) { Int32(static_cast<int32_t>(count - 1)); }
    // Length byte, characters, zero filler up to capacity; longer texts are cut to capacity.
    void ShortString(const QString& s, int capacity);
    // int32 length, length byte, characters; longer texts are cut to maxLength.
    void LongString(const QString& s, int maxLength);

    // Overwrites four bytes at offset (for lengths known only after their content).
    void PatchInt32(qsizetype offset, int32_t v);

    qsizetype Size() const { return buf_.size(); }
    const QByteArray& Data() const { return buf_; }
    QByteArray Take() { return std::move(buf_); }

private:
    QByteArray buf_;
};

} // namespace torvi
