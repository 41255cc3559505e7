// Hand-written record bytes for text tests: a little-endian builder that knows nothing of the
// element classes, so the fixtures check the readers rather than mirror the writers.
#pragma once

#include "elements/Element.h"

#include <QByteArray>
#include <cstring>

namespace torvi::test {

struct TBytes {
    QByteArray b;
    TBytes& U8(int v) {
        b.append(char(v));
        return *this;
    }
    TBytes& I32(int32_t v) {
        char c[4];
        std::memcpy(c, &v, 4);
        b.append(c, 4);
        return *this;
    }
    TBytes& F32(float v) {
        char c[4];
        std::memcpy(c, &v, 4);
        b.append(c, 4);
        return *this;
    }
    // int32 length, length byte, characters.
    TBytes& Str(const QByteArray& s) {
        I32(int32_t(s.size()));
        U8(int(s.size()));
        b.append(s);
        return *this;
    }
    TBytes& Short(const QByteArray& s, int capacity) {
        U8(int(s.size()));
        b.append(s);
        b.append(QByteArray(capacity - s.size(), '\0'));
        return *this;
    }
    // The common part: no line 0, no fill 1, width 2, black pen, white fill.
    TBytes& Common() {
        U8(0).U8(1).I32(2).I32(0).U8(0).U8(0).U8(0).U8(0).I32(0xFFFFFF).U8(0);
        return U8(0).U8(0).U8(0).U8(0);
    }
    TBytes& Box(float x, float y, float w, float h) {
        F32(x).F32(y).F32(x + w).F32(y).F32(x + w).F32(y + h).F32(x).F32(y + h);
        return *this;
    }
    TBytes& Font(const QByteArray& name, int style, int32_t colour, int32_t height) {
        return Str(name).U8(style).I32(colour).I32(height);
    }
};

// Reads one element of kind from bytes at version; the whole record must be consumed.
TElementPtr ReadAt(ElementKind kind, const QByteArray& bytes, int32_t version);
QByteArray WriteBody(const TElement& e);

} // namespace torvi::test
