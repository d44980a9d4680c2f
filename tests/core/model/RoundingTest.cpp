#include "core/model/Rounding.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(Rounding, HalvesGoUpwardForBothSigns)
{
    EXPECT_EQ(RoundHalfUp(2.5), 3.0);
    EXPECT_EQ(RoundHalfUp(2.4999), 2.0);
    EXPECT_EQ(RoundHalfUp(-2.5), -2.0);
    EXPECT_EQ(RoundHalfUp(-2.6), -3.0);
}

TEST(Rounding, IntegerFormsSaturateInsteadOfOverflowing)
{
    EXPECT_EQ(RoundToInt64(std::nan("")), 0);
    EXPECT_EQ(RoundToInt64(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(RoundToInt32(-1e12), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundToInt32(21.5), 22);
}

TEST(Rounding, BranchFreeInt32FormAgreesWithTheDefinition)
{
    const double cases[] = {0.0, -0.0, 0.5, -0.5, 1.5, -1.5, 2.4999999999999996, -2.5000000000000004,
                            0.49999999999999994, 32767.5, -32768.5, 2147483647.0, -2147483648.0, 1e-300, -7.25};
    for (const double x : cases)
        EXPECT_EQ(RoundHalfUpInt32(x), RoundHalfUp(x)) << x;
}

} // namespace
} // namespace zarva
