// Element factory and the element list record.
#include "elements/ElementList.h"

#include "elements/ElementKinds.h"

namespace torvi {
namespace {

int g_nesting = 0;

class TNestingGuard {
public:
    explicit TNestingGuard(TByteReader& r) {
        if (++g_nesting > kMaxListNesting) {
            --g_nesting;
            r.Fail(QStringLiteral("element lists nested more than %1 deep").arg(kMaxListNesting));
        }
    }
    ~TNestingGuard() { --g_nesting; }
    TNestingGuard(const TNestingGuard&) = delete;
    TNestingGuard& operator=(const TNestingGuard&) = delete;
};

} // namespace

TElementPtr CreateElement(uint8_t code) {
    const int kind = code & 0x7F;
    if (kind >= kElementKindCount) return nullptr;
    const TElementFactory make = ElementFactoryTable()[kind];
    return make ? make() : nullptr;
}

TElementPtr ReadElement(TByteReader& r, const TElementHooks& hooks) {
    const qsizetype at = r.Offset();
    const uint8_t code = r.Byte();
    TElementPtr e = CreateElement(code);
    if (!e) r.FailAt(QStringLiteral("unknown element kind %1").arg(code), at);
    e->Connect(hooks);
    e->Load(r);
    if (TElementPtr replacement = e->ReplacementAfterLoad()) {
        replacement->Connect(hooks);
        e = std::move(replacement);
    }
    if (e->DropAfterLoad()) return nullptr;
    return e;
}

void ReadElementList(TByteReader& r, TElementList& out, const TElementHooks& hooks) {
    TNestingGuard guard(r);
    // Every element needs at least its kind byte and a list or common part.
    const int32_t count = r.ListCount(5, "elements");
    out.reserve(out.size() + static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        if (TElementPtr e = ReadElement(r, hooks)) out.push_back(std::move(e));
}

void WriteElement(TByteWriter& w, const TElement& e) {
    w.Byte(static_cast<uint8_t>(e.Kind));
    e.Save(w);
}

void WriteElementList(TByteWriter& w, const TElementList& list) {
    w.ListCount(static_cast<qsizetype>(list.size()));
    for (const auto& e : list) WriteElement(w, *e);
}

void WriteElementList(TByteWriter& w, const TElementList& list,
                      const std::function<bool(const TElement&)>& keep) {
    qsizetype n = 0;
    for (const auto& e : list) n += keep(*e) ? 1 : 0;
    w.ListCount(n);
    for (const auto& e : list)
        if (keep(*e)) WriteElement(w, *e);
}

TElementPtr CopyElement(const TElement& e, const TElementHooks& hooks) {
    TByteWriter w;
    WriteElement(w, e);
    TByteReader r(w.Data());
    TReadVersionScope version(kCurrentVersion);
    return ReadElement(r, hooks);
}

} // namespace torvi
