#include "core/diagrams/DiagramTexts.h"

#include <gtest/gtest.h>

#include <limits>
#include <numbers>

namespace zarva {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ScaleText, OneDecimalAboveOneTwoSignificantDigitsBelowAndUnitMultiplesForLargeValues)
{
    EXPECT_EQ(ScaleText(100.0, "В"), "100.0 В");
    EXPECT_EQ(ScaleText(0.0, "А"), "0.0 А");
    // 0.5 A: width |floor(log10 0.5)| + 3 = 4 with two decimals.
    EXPECT_EQ(ScaleText(0.5, "А"), "0.50 А");
    EXPECT_EQ(ScaleText(0.05, "А"), "0.050 А");
    EXPECT_EQ(ScaleText(1.0, "А"), "1.0 А");
    EXPECT_EQ(ScaleText(500.0, "В"), "500.0 В");
    EXPECT_EQ(ScaleText(100000.0, "В"), "100.0 кВ");
    EXPECT_EQ(ScaleText(5e6, "В"), "5.0 МВ");
}

TEST(MagnitudeText, TwoDecimalsAboveOneAndMoreBelow)
{
    EXPECT_EQ(MagnitudeText(57.3, "В"), "57.30 В");
    EXPECT_EQ(MagnitudeText(63508.5, "В"), "63.51 кВ");
    EXPECT_EQ(MagnitudeText(0.0, "А"), "0.00 А");
    EXPECT_EQ(MagnitudeText(0.123, "А"), "0.12 А");
    EXPECT_EQ(MagnitudeText(0.0123, "А"), "0.012 А");
    EXPECT_EQ(MagnitudeText(kNaN, ""), "0.00 ");
    // Rounding noise of a zero sum stays a short text.
    EXPECT_EQ(MagnitudeText(1e-300, "А"), "0.000000000 А");
}

TEST(AngleText, DegreesOrMultiplesOfPiInAFieldOfEight)
{
    EXPECT_EQ(AngleText(std::numbers::pi / 2, false), "    90.00º");
    EXPECT_EQ(AngleText(-std::numbers::pi * 170 / 180, false), "  -170.00º");
    EXPECT_EQ(AngleText(std::numbers::pi / 2, true), "     0.50π");
    EXPECT_EQ(AngleText(-0.0, false), "     0.00º");
}

TEST(BarLabel, FormatBySize)
{
    const std::pair<double, const char*> cases[] = {{9.96, "10.0"}, {0.004, "0"},   {0.01, "0.0"}, {99.94, "99.9"},
                                                    {100.0, "100"}, {1234.6, "1235"}, {kNaN, "0"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(BarLabel(value), text) << value;
}

TEST(LineFrequencyLabel, WholeFrequenciesWithoutDecimals)
{
    EXPECT_EQ(LineFrequencyLabel(0, 50.0, 1), "0");
    EXPECT_EQ(LineFrequencyLabel(3, 50.0, 1), "150");
    EXPECT_EQ(LineFrequencyLabel(1, 50.0, 2), "25");
    EXPECT_EQ(LineFrequencyLabel(1, 50.0, 4), "12.5");
    EXPECT_EQ(LineFrequencyLabel(1, 50.0, 3), "16.7");
}

} // namespace
} // namespace zarva
