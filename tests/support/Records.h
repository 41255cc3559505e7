// Test helpers for element records: the common part as bytes, and reading or writing one
// element at a given format version.
#pragma once

#include "elements/ElementList.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace torvi::test {

// The 23-byte common part with the given flags and colours.
inline TBytes& CommonPart(TBytes& t, bool noLine, bool noFill, int32_t width, uint32_t pen,
                          uint32_t fill, bool formLayer) {
    t.U8(noLine).U8(noFill).I32(width).U32(pen).U8(0).U8s({0, 0, 0});
    t.U32(fill).U8(0).U8s({0, 0, 0}).U8(formLayer);
    return t;
}

inline TElementPtr ReadOne(const QByteArray& bytes, int32_t version = kCurrentVersion) {
    TByteReader r(bytes);
    TReadVersionScope scope(version);
    TElementPtr e = ReadElement(r, {});
    EXPECT_TRUE(r.AtEnd()) << "bytes left: " << r.Remaining();
    return e;
}

inline QByteArray WriteOne(const TElement& e) {
    TByteWriter w;
    WriteElement(w, e);
    return w.Data();
}

} // namespace torvi::test
