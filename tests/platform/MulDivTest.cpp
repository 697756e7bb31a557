// MulDiv: a 64-bit intermediate, halves rounded away from zero, -1 for a
// zero divisor or a result beyond 32 bits.

#include "platform/MulDiv.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct MulDivCase {
    int number;
    int numerator;
    int denominator;
    int expected;
};

TEST(MulDivTest, RoundsToNearestWithHalvesAwayFromZero)
{
    const int kMax = std::numeric_limits<int>::max();
    const MulDivCase cases[] = {
        {15, 24, 16, 23},        // 22.5
        {15, 32, 16, 30},
        {1, 1, 3, 0},            // 0.33
        {2, 1, 3, 1},            // 0.67
        {-15, 24, 16, -23},      // -22.5
        {15, -24, 16, -23},
        {15, 24, -16, -23},
        {-15, -24, -16, -23},
        {kMax, kMax, kMax, kMax}, // the product needs 64 bits
        {kMax, 2, 1, -1},        // beyond 32 bits
        {5, 7, 0, -1},
        {0, 7, 3, 0},
    };
    for (const MulDivCase& c : cases)
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << " * " << c.numerator << " / " << c.denominator;
}

} // namespace
