// The table from kind code to the constructor of that kind, the one place that knows them all.
#pragma once

#include "elements/Element.h"

#include <array>

namespace torvi {

using TElementFactory = TElementPtr (*)();
// Entry k makes an empty element of kind k; null where no kind has that code.
const std::array<TElementFactory, kElementKindCount>& ElementFactoryTable();

} // namespace torvi
