// Order of component identifiers such as R2 < R10 and C10 < R1.
#pragma once

#include <string_view>

namespace torvi {

// Negative, zero or positive like strcmp. Each string is read as leading number, text, number
// (the rest ignored); the text decides case-insensitively, then the trailing, then the leading
// number. Digit runs of any length compare without overflow.
int NaturalCompare(std::string_view a, std::string_view b);

} // namespace torvi
