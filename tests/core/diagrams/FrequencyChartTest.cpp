#include "core/diagrams/FrequencyChart.h"

#include "core/dsp/TestRecord.h"
#include "core/model/Oscillogram.h"
#include "core/storage/SettingsStore.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarva {
namespace {

using test::Sine;
using test::TestRecord;

const double kRoot2 = std::sqrt(2.0);

FrequencyChartSettings Settings(int periods, int lines, int display = 0, int useRms = 0)
{
    return FrequencyChartSettings{periods, lines, display, useRms};
}

// DC 2 + 10 sin ωt + 3 sin 3ωt + 1 sin 5ωt at 50 Hz, 1000 samples per second: 10 periods.
class Composite : public ::testing::Test {
protected:
    Composite()
    {
        const auto first = Sine(10.0, 50.0, 0.0);
        const auto third = Sine(3.0, 150.0, 40.0);
        const auto fifth = Sine(1.0, 250.0, -70.0);
        test.AddSampled("Ia", 200, [&](double t) { return 2.0 + first(t) + third(t) + fifth(t); });
    }

    Spectrum At(std::int64_t sample, const FrequencyChartSettings& settings) const
    {
        return ComputeSpectrum(test.record.channels[0], sample, settings);
    }
    FrequencyChartSettings Read() { return ReadFrequencyChart(test.document.settings, test.record); }

    TestRecord test{1000};
};

TEST_F(Composite, SpectrumLinesOverOneAndTwoPeriods)
{
    const Spectrum spectrum = At(150, Settings(1, 10));
    ASSERT_EQ(spectrum.amplitudes.size(), 11u);
    const double expected[] = {2.0, 10 / kRoot2, 0, 3 / kRoot2, 0, 1 / kRoot2, 0, 0, 0, 0, 0};
    for (std::size_t k = 0; k < 11; ++k)
        EXPECT_NEAR(spectrum.amplitudes[k], expected[k], 1e-9) << k;
    EXPECT_NEAR(spectrum.largest, 10 / kRoot2, 1e-9);
    EXPECT_NEAR(spectrum.base, 10 / kRoot2, 1e-9);

    // Two periods put the fundamental on line two.
    const Spectrum two = At(150, Settings(2, 20));
    ASSERT_EQ(two.amplitudes.size(), 21u);
    for (std::size_t k = 0; k <= 20; ++k) {
        const double line = k == 0 ? 2.0 : k == 2 ? 10 / kRoot2 : k == 6 ? 3 / kRoot2 : k == 10 ? 1 / kRoot2 : 0.0;
        EXPECT_NEAR(two.amplitudes[k], line, 1e-9) << k;
    }
    EXPECT_NEAR(two.base, 10 / kRoot2, 1e-9);
}

TEST_F(Composite, BarsArePercentOfTheFundamentalOrOfTheRmsValue)
{
    const FrequencyChartSettings percent = Settings(1, 10);
    const Spectrum spectrum = At(150, percent);
    EXPECT_NEAR(BarValue(spectrum, 1, percent), 100.0, 1e-9);
    EXPECT_NEAR(BarValue(spectrum, 3, percent), 30.0, 1e-9);
    EXPECT_NEAR(BarValue(spectrum, 0, percent), 20.0 * kRoot2, 1e-9);
    EXPECT_NEAR(BarValue(spectrum, 5, Settings(1, 10, 1)), 1 / kRoot2, 1e-9);

    const FrequencyChartSettings byRms = Settings(1, 10, 0, 1);
    const double rms = std::sqrt(4.0 + 50.0 + 4.5 + 0.5);
    EXPECT_NEAR(At(150, byRms).base, rms, 1e-9);
    EXPECT_NEAR(BarValue(At(150, byRms), 1, byRms), 100.0 * 10 / kRoot2 / rms, 1e-9);

    // A fundamental above the shown lines is still the base.
    EXPECT_NEAR(At(150, Settings(4, 2)).base, 10 / kRoot2, 1e-9);
    // Before a whole window there is nothing: 0 %, not a division by zero.
    EXPECT_EQ(At(5, percent).base, 0.0);
    EXPECT_EQ(BarValue(At(5, percent), 1, percent), 0.0);
}

TEST_F(Composite, SettingsAreBroughtIntoRangeAndTheHarmonicLimitFollowsThePeriods)
{
    EXPECT_EQ(Read(), FrequencyChartSettings{});
    SettingsSection& section = test.document.settings.Section("Frequency Chart");
    section.SetInt("NumHarmonics", 50);
    EXPECT_EQ(Read().numHarmonics, 10);
    section.SetInt("NumPeriods", 2);
    EXPECT_EQ(Read().numHarmonics, 20);
    EXPECT_EQ(HarmonicLimit(test.record, 1), 10);
    EXPECT_EQ(HarmonicLimit(test.record, 2), 20);

    section.SetInt("NumPeriods", 0);
    section.SetInt("NumHarmonics", -4);
    section.SetInt("ShowPersents", 7);
    section.SetInt("UseRMS", 1);
    EXPECT_EQ(Read(), Settings(1, 1, 0, 1));
    section.SetInt("NumPeriods", 2000000000);
    EXPECT_EQ(Read().numPeriods, 10);

    WriteFrequencyChart(test.document.settings, Settings(3, 17, 1, 1));
    EXPECT_EQ(Read(), Settings(3, 17, 1, 1));
}

TEST(FrequencyChartSettings, LimitsOfANetworkPeriodThatIsNotWholeSamples)
{
    TestRecord test(1000, 60.0);
    test.AddAnalog("U", std::vector<double>(100, 0.0));
    // 16.67 samples per period: 6 whole periods, 8.33 lines per period.
    EXPECT_EQ(WholePeriods(test.record), 6);
    EXPECT_EQ(HarmonicLimit(test.record, 3), 25);
    EXPECT_EQ(DialogHarmonicLimit(test.record, 3), 24);
}

TEST(FrequencyChart, ShowAllLeavesPastedChannelsAndCaptionsFollowTheMode)
{
    TestRecord test(1000);
    test.AddAnalog("U", {0.0});
    test.AddAnalog("P", {0.0}).SetFlag(display::kPasted, true);
    ShowAllOnFrequencyDiagram(test.record, true);
    EXPECT_EQ(FrequencyChannels(test.record), (std::vector<std::size_t>{0}));
    test.record.channels[1].SetFlag(display::kOnFrequencyDiagram, true);
    ShowAllOnFrequencyDiagram(test.record, false);
    EXPECT_EQ(FrequencyChannels(test.record), (std::vector<std::size_t>{1}));
    EXPECT_EQ(ChartCaption("Ia", Settings(1, 10, 0)), "Ia, %");
    EXPECT_EQ(ChartCaption("Ia", Settings(1, 10, 1)), "Ia");
}

} // namespace
} // namespace zarva
