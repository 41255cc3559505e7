// Natural ordering of identifiers, comparing digit runs as numbers of any length.
#include "geom/NaturalCompare.h"

#include <cctype>

namespace torvi {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Parts {
    std::string_view n1, text, n2;
};

std::string_view TakeRun(std::string_view& s, bool digits) {
    size_t i = 0;
    while (i < s.size() && IsDigit(s[i]) == digits) ++i;
    std::string_view run = s.substr(0, i);
    s.remove_prefix(i);
    return run;
}

Parts Split(std::string_view s) {
    Parts p;
    p.n1 = TakeRun(s, true);
    p.text = TakeRun(s, false);
    p.n2 = TakeRun(s, true);
    return p;
}

// Compares two digit runs as non-negative integers; an empty run counts as 0.
int CompareNumbers(std::string_view a, std::string_view b) {
    while (!a.empty() && a.front() == '0') a.remove_prefix(1);
    while (!b.empty() && b.front() == '0') b.remove_prefix(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace

int NaturalCompare(std::string_view a, std::string_view b) {
    const Parts pa = Split(a);
    const Parts pb = Split(b);
    if (int c = CompareTextNoCase(pa.text, pb.text)) return c;
    if (int c = CompareNumbers(pa.n2, pb.n2)) return c;
    return CompareNumbers(pa.n1, pb.n1);
}

} // namespace torvi
