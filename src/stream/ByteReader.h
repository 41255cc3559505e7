// Bounds-checked little-endian reader for stored records; every fault is one TReadError.
//
// Nothing read is trusted: a count, length or capacity that the bytes left cannot hold, a
// negative count or a length byte that disagrees with its int32 length raises TReadError with
// the byte offset, before anything is allocated from it.
#pragma once

#include "geom/Geometry.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace torvi {

class TReadError : public std::runtime_error {
public:
    TReadError(const QString& what, qint64 offset);
    qint64 Offset() const { return offset_; }
    // What was wrong, without the offset.
    QString What() const { return what_; }

private:
    QString what_;
    qint64 offset_;
};

class TByteReader {
public:
    TByteReader(const char* data, qsizetype size) : data_(data), size_(size) {}
    explicit TByteReader(const QByteArray& bytes) : TByteReader(bytes.constData(), bytes.size()) {}
    // The reader does not own its bytes: a temporary would be gone before the first read.
    explicit TByteReader(QByteArray&&) = delete;

    qsizetype Offset() const { return pos_; }
    qsizetype Remaining() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ >= size_; }
    void Seek(qsizetype offset);

    uint8_t Byte();
    bool Bool() { return Byte() != 0; }
    int16_t Int16();
    int32_t Int32();
    uint32_t UInt32();
    float Float();
    double Double();
    TPunkt Punkt();
    void Skip(qsizetype n);
    QByteArray Bytes(qsizetype n);
    // A view of the next n bytes, valid as long as the underlying data.
    const char* Raw(qsizetype n);

    // A "count - 1" list header: returns the number of items (0 for -1). Each item needs at
    // least minItemBytes, so a count that the rest of the data cannot hold is refused.
    int32_t ListCount(qsizetype minItemBytes, const char* what);
    // A plain non-negative count of items of at least minItemBytes each.
    int32_t Count(qsizetype minItemBytes, const char* what);

    // Length byte, then `capacity` character bytes of which the first L count.
    QString ShortString(int capacity);
    // int32 length L, then a length byte equal to L and L characters; L above maxLength fails.
    QString LongString(int maxLength);

    [[noreturn]] void Fail(const QString& what) const;
    [[noreturn]] void FailAt(const QString& what, qsizetype offset) const;

private:
    void Need(qsizetype n, const char* what);

    const char* data_;
    qsizetype size_;
    qsizetype pos_ = 0;
};

} // namespace torvi
