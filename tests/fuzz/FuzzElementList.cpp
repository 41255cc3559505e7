// Fuzz entry: an element list record of any version, read, drawn, hit-tested and written.
#include "elements/ElementList.h"
#include "surface/RecordingSurface.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace torvi;
    if (size < 1) return 0;
    // The first byte picks the version so that the old layouts are reached too.
    static const int kVersions[] = {40, 49, 50, 59, 60, 61, 62, 63};
    TReadVersionScope version(kVersions[data[0] % 8]);
    TByteReader r(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    TElementList list;
    try {
        ReadElementList(r, list);
    } catch (const TReadError&) {
        return 0;
    }
    TRecordingSurface s;
    s.SetMapping({0.5, 0.5, 0, 0});
    Shared().ViewTransform = {0.5, 0.5, 0, 0};
    TByteWriter w;
    for (auto& e : list) {
        e->Draw(s);
        s.ops.clear();
        (void)e->HitTest(s, 10, 10);
        (void)e->GetBounds();
    }
    WriteElementList(w, list);
    return 0;
}
