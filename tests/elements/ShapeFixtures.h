// Helpers of the shape tests: records spelled out field by field, reading one element at a
// version, and a surface whose logical units are device pixels.
#pragma once

#include "elements/ElementList.h"
#include "surface/RecordingSurface.h"

#include <QByteArray>
#include <cstring>
#include <initializer_list>

namespace torvi::test {

// Little-endian bytes written by hand, independent of TByteWriter.
class TFixture {
public:
    TFixture& Byte(uint8_t v) {
        bytes_.append(char(v));
        return *this;
    }
    TFixture& Int32(int32_t v) {
        char b[4];
        std::memcpy(b, &v, 4);
        bytes_.append(b, 4);
        return *this;
    }
    TFixture& Float(float v) {
        char b[4];
        std::memcpy(b, &v, 4);
        bytes_.append(b, 4);
        return *this;
    }
    TFixture& Floats(std::initializer_list<float> vs) {
        for (float v : vs) Float(v);
        return *this;
    }
    // The common part: no-line, no-fill, width, pen colour, pattern, filler, fill colour,
    // fill style, filler, form layer.
    TFixture& Common(bool noFill, int32_t width, uint32_t pen, uint32_t fill, uint8_t fillStyle) {
        Byte(0).Byte(noFill ? 1 : 0).Int32(width).Int32(int32_t(pen)).Byte(0);
        Byte(0).Byte(0).Byte(0).Int32(int32_t(fill)).Byte(fillStyle).Byte(0).Byte(0).Byte(0);
        return Byte(0);
    }
    const QByteArray& Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// Kind byte and body read at version; null when the list reader would drop the element.
inline TElementPtr ReadAt(const QByteArray& record, int32_t version) {
    TReadVersionScope scope(version);
    TByteReader r(record);
    TElementPtr e = ReadElement(r);
    if (!r.AtEnd()) throw TReadError(QStringLiteral("bytes left over"), r.Offset());
    return e;
}

inline QByteArray Written(const TElement& e) {
    TByteWriter w;
    WriteElement(w, e);
    return w.Data();
}

// One device pixel per element unit, as the editor at zoom 1; the hit tolerance is 3 units.
inline void UnitView(TSurface& s) {
    s.SetMapping({1, 1, 0, 0});
    Shared().ViewTransform = {1, 1, 0, 0};
}

} // namespace torvi::test
