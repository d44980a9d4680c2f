#include "core/model/SampleStore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zarva {
namespace {

TEST(SampleStoreTest, CodesReadAsTheirValuesAndMissingCodeAsNaN)
{
    const SampleScale scale{.multiplier = 0.5, .offset = 1.0, .unitFactor = 1000.0, .missing = -32768};
    SampleStore store;
    store.Assign(std::make_shared<const SampleData>(std::vector<std::int16_t>{-4, 3, -32768, 32767}, scale));
    const std::vector<double> values = store.View().ToVector();
    EXPECT_EQ(values[0], -1000.0);
    EXPECT_EQ(values[1], 2500.0);
    EXPECT_TRUE(std::isnan(values[2]));
    EXPECT_EQ(values[3], 1000 * (0.5 * 32767 + 1));
    EXPECT_TRUE(std::isnan(store.At(2)));
}

// A record pasted into or merged with another grows its channels after reading.
TEST(SampleStoreTest, AppendingToCodesOrBitsKeepsEarlierSamplesAndEarlierViews)
{
    SampleStore bits;
    bits.Assign(std::make_shared<const SampleData>(std::vector<std::uint64_t>{0b1011, 0}, 70));
    const Series<double> before = bits.View();
    bits.Append(1.0);
    EXPECT_EQ(bits.Size(), 71u);
    EXPECT_EQ(bits.At(0), 1.0);
    EXPECT_EQ(bits.At(2), 0.0);
    EXPECT_EQ(bits.At(3), 1.0);
    EXPECT_EQ(bits.At(69), 0.0);
    EXPECT_EQ(bits.At(70), 1.0);
    EXPECT_EQ(before.Size(), 70u);

    SampleStore codes;
    codes.Assign(std::make_shared<const SampleData>(std::vector<float>{1.5f, -2.0f}, SampleScale{.multiplier = 2.0}));
    codes.Append(7.0);
    EXPECT_EQ(codes.View().ToVector(), (std::vector<double>{3.0, -4.0, 7.0}));
}

} // namespace
} // namespace zarva
