// Little-endian reading with a check before every step.
#include "stream/ByteReader.h"

#include "text/Cp1252.h"

#include <cstring>

namespace torvi {

namespace {
QString Describe(const QString& what, qint64 offset) {
    return QStringLiteral("%1 at byte offset %2").arg(what).arg(offset);
}

template <typename T> T LoadLE(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v); // the host is little-endian (x86-64, arm64)
    return v;
}
} // namespace

TReadError::TReadError(const QString& what, qint64 offset)
    : std::runtime_error(Describe(what, offset).toStdString()), what_(what), offset_(offset) {}

void TByteReader::Fail(const QString& what) const {
    throw TReadError(what, pos_);
}

void TByteReader::FailAt(const QString& what, qsizetype offset) const {
    throw TReadError(what, offset);
}

void TByteReader::Need(qsizetype n, const char* what) {
    if (n < 0 || n > Remaining())
        Fail(QStringLiteral("unexpected end of data reading %1 (%2 bytes needed, %3 left)")
                 .arg(QString::fromLatin1(what))
                 .arg(n)
                 .arg(Remaining()));
}

void TByteReader::Seek(qsizetype offset) {
    if (offset < 0 || offset > size_) Fail(QStringLiteral("position %1 out of range").arg(offset));
    pos_ = offset;
}

uint8_t TByteReader::Byte() {
    Need(1, "a byte");
    return static_cast<uint8_t>(data_[pos_++]);
}

int16_t TByteReader::Int16() {
    Need(2, "an int16");
    const auto v = LoadLE<int16_t>(data_ + pos_);
    pos_ += 2;
    return v;
}

int32_t TByteReader::Int32() {
    Need(4, "an int32");
    const auto v = LoadLE<int32_t>(data_ + pos_);
    pos_ += 4;
    return v;
}

uint32_t TByteReader::UInt32() {
    return static_cast<uint32_t>(Int32());
}

float TByteReader::Float() {
    Need(4, "a float");
    const auto v = LoadLE<float>(data_ + pos_);
    pos_ += 4;
    return v;
}

double TByteReader::Double() {
    Need(8, "a double");
    const auto v = LoadLE<double>(data_ + pos_);
    pos_ += 8;
    return v;
}

TPunkt TByteReader::Punkt() {
    Need(8, "a point");
    TPunkt p{LoadLE<float>(data_ + pos_), LoadLE<float>(data_ + pos_ + 4)};
    pos_ += 8;
    return p;
}

void TByteReader::Skip(qsizetype n) {
    Need(n, "filler");
    pos_ += n;
}

QByteArray TByteReader::Bytes(qsizetype n) {
    Need(n, "a block of bytes");
    QByteArray b(data_ + pos_, n);
    pos_ += n;
    return b;
}

const char* TByteReader::Raw(qsizetype n) {
    Need(n, "a block of bytes");
    const char* p = data_ + pos_;
    pos_ += n;
    return p;
}

int32_t TByteReader::ListCount(qsizetype minItemBytes, const char* what) {
    const qsizetype at = pos_;
    const int32_t n = Int32();
    if (n < -1) FailAt(QStringLiteral("negative count %1 of %2").arg(n).arg(what), at);
    const qint64 count = qint64(n) + 1;
    if (count * minItemBytes > Remaining())
        FailAt(QStringLiteral("count %1 of %2 exceeds the %3 bytes left")
                   .arg(count)
                   .arg(what)
                   .arg(Remaining()),
               at);
    return static_cast<int32_t>(count);
}

int32_t TByteReader::Count(qsizetype minItemBytes, const char* what) {
    const qsizetype at = pos_;
    const int32_t n = Int32();
    if (n < 0) FailAt(QStringLiteral("negative count %1 of %2").arg(n).arg(what), at);
    if (qint64(n) * minItemBytes > Remaining())
        FailAt(QStringLiteral("count %1 of %2 exceeds the %3 bytes left")
                   .arg(n)
                   .arg(what)
                   .arg(Remaining()),
               at);
    return n;
}

QString TByteReader::ShortString(int capacity) {
    const qsizetype at = pos_;
    Need(1 + qsizetype(capacity), "a short string");
    const int length = static_cast<uint8_t>(data_[pos_]);
    if (length > capacity)
        FailAt(QStringLiteral("string length %1 exceeds its capacity %2").arg(length).arg(capacity),
               at);
    QString s = FromCp1252(data_ + pos_ + 1, length);
    pos_ += 1 + capacity;
    return s;
}

QString TByteReader::LongString(int maxLength) {
    const qsizetype at = pos_;
    const int32_t length = Int32();
    if (length < 0 || length > maxLength)
        FailAt(QStringLiteral("string length %1 outside 0..%2").arg(length).arg(maxLength), at);
    Need(1 + qsizetype(length), "a string");
    const int lengthByte = static_cast<uint8_t>(data_[pos_]);
    if (lengthByte != length)
        Fail(QStringLiteral("string length byte %1 disagrees with its length %2")
                 .arg(lengthByte)
                 .arg(length));
    QString s = FromCp1252(data_ + pos_ + 1, length);
    pos_ += 1 + length;
    return s;
}

} // namespace torvi
