// The factory of element kinds and the element list record ("count - 1", then kind byte and
// body per element) used by pages, groups, components, the clipboard and undo.
#pragma once

#include "elements/Element.h"

namespace torvi {

// A new element of the kind in the low 7 bits of code, with its defaults; null for any code
// outside 0..12.
TElementPtr CreateElement(uint8_t code);

// Reads a list record and appends its elements to out, connecting hooks to each. Old layouts
// are converted (a TLinie becomes a TPolyline) and circles without points are dropped. Throws
// TReadError on an unknown kind code, a count the data cannot hold or lists nested too deep.
void ReadElementList(TByteReader& r, TElementList& out, const TElementHooks& hooks = {});
// Reads a single element: kind byte, then body; null when the element is dropped.
TElementPtr ReadElement(TByteReader& r, const TElementHooks& hooks = {});

void WriteElementList(TByteWriter& w, const TElementList& list);
// Writes only the elements for which keep is true (the clipboard's selection).
void WriteElementList(TByteWriter& w, const TElementList& list,
                      const std::function<bool(const TElement&)>& keep);
void WriteElement(TByteWriter& w, const TElement& e);

// A copy made by writing and reading back, as every duplicate in the program is made.
TElementPtr CopyElement(const TElement& e, const TElementHooks& hooks = {});

// Nested groups deeper than this are refused while reading (no stack exhaustion from a file).
constexpr int kMaxListNesting = 200;

} // namespace torvi
