// Ordering of component identifiers.
#include "geom/NaturalCompare.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(NaturalCompare, OrdersIdentifiers) {
    const struct {
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {"R9", "R10", -1},
        {"R10", "R9", 1},
        {"r1", "R1", 0},
        {"C10", "R1", -1},
        {"10", "9", 1}, // no text: the leading number decides
        {"R", "R0", 0}, // a missing number counts as 0
        {"", "", 0},
        {"2R1", "1R1", 1}, // same text and number: the leading number decides
        {"R01", "R1", 0},
        {"R123456789012345678901234567890", "R123456789012345678901234567891", -1},
        {"R999999999999999999999999999999", "R1000000000000000000000000000000", -1},
        {"K1.2", "K1.10", 0}, // the rest after the second number is ignored
    };
    for (const auto& k : cases)
        EXPECT_EQ(Sign(NaturalCompare(k.a, k.b)), k.expected) << k.a << " vs " << k.b;
}

} // namespace
} // namespace torvi
