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

} // namespace
} // namespace zarva
