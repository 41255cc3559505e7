// Little helpers for writing byte fixtures by hand in tests: little-endian appenders and a
// bitmap file built field by field.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace torvi::test {

struct TBytes {
    QByteArray b;
    TBytes& U8(uint8_t v) {
        b.append(char(v));
        return *this;
    }
    TBytes& U8s(std::initializer_list<int> vs) {
        for (int v : vs) U8(uint8_t(v));
        return *this;
    }
    TBytes& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
    TBytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    TBytes& I32(int32_t v) { return U32(uint32_t(v)); }
    TBytes& F32(float v) {
        uint32_t u;
        static_assert(sizeof u == sizeof v);
        std::memcpy(&u, &v, 4);
        return U32(u);
    }
    TBytes& Raw(const QByteArray& more) {
        b.append(more);
        return *this;
    }
};

// The header fields of a bitmap file, written in the order the file holds them.
struct TBmpFields {
    uint32_t fileSize = 0; // 0: computed
    uint32_t pixelOffset = 0;
    int32_t width = 0, height = 0;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    int32_t ppmX = 0, ppmY = 0;
    uint32_t clrUsed = 0;
};

// A bitmap file: file header, 40-byte info header, then palette and pixel bytes as given.
inline QByteArray BmpFile(TBmpFields f, const QByteArray& palette, const QByteArray& pixels) {
    const uint32_t offset = f.pixelOffset ? f.pixelOffset : 14 + 40 + uint32_t(palette.size());
    const uint32_t size = f.fileSize ? f.fileSize : offset + uint32_t(pixels.size());
    TBytes t;
    t.U8s({'B', 'M'}).U32(size).U32(0).U32(offset);
    t.U32(40).I32(f.width).I32(f.height).U16(1).U16(f.bits).U32(f.compression).U32(f.sizeImage);
    t.I32(f.ppmX).I32(f.ppmY).U32(f.clrUsed).U32(0);
    t.Raw(palette).Raw(pixels);
    return t.b;
}

} // namespace torvi::test
