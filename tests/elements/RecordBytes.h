// Hand-written record bytes for tests: fields appended little-endian without the writer under
// test, so a fixture states the stored layout independently of the code that writes it.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace torvi::test {

class RecordBytes {
public:
    RecordBytes& u8(uint8_t v) {
        b_.append(char(v));
        return *this;
    }
    RecordBytes& i32(int32_t v) { return raw(&v, 4); }
    RecordBytes& f32(float v) { return raw(&v, 4); }
    RecordBytes& pt(float x, float y) { return f32(x).f32(y); }
    RecordBytes& zeros(int n) {
        b_.append(n, '\0');
        return *this;
    }
    // int32 length, length byte, characters.
    RecordBytes& str(const char* s) {
        const auto n = int32_t(std::strlen(s));
        i32(n).u8(uint8_t(n));
        b_.append(s, n);
        return *this;
    }
    // The 23-byte part every element body starts with.
    RecordBytes& common(bool noLine, bool noFill, int32_t width, int32_t penColor,
                        uint8_t lineStyle, int32_t fillColor, uint8_t fillStyle, bool formLayer) {
        u8(noLine).u8(noFill).i32(width).i32(penColor).u8(lineStyle).zeros(3);
        return i32(fillColor).u8(fillStyle).zeros(3).u8(formLayer);
    }
    RecordBytes& bytes(const QByteArray& more) {
        b_.append(more);
        return *this;
    }
    operator QByteArray() const { return b_; }
    const QByteArray& data() const { return b_; }

private:
    RecordBytes& raw(const void* p, int n) {
        b_.append(static_cast<const char*>(p), n);
        return *this;
    }
    QByteArray b_;
};

} // namespace torvi::test
