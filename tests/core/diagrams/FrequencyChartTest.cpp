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

// DC 2 + 10 sin ωt + 3 sin 3ωt + 1 sin 5ωt at 50 Hz, 1000 samples per second.
Channel& AddComposite(TestRecord& test)
{
    const auto first = Sine(10.0, 50.0, 0.0);
    const auto third = Sine(3.0, 150.0, 40.0);
    const auto fifth = Sine(1.0, 250.0, -70.0);
    return test.AddSampled("Ia", 200, [&](double t) { return 2.0 + first(t) + third(t) + fifth(t); });
}

FrequencyChartSettings Settings(int periods, int lines, int display = 0, int useRms = 0)
{
    return FrequencyChartSettings{periods, lines, display, useRms};
}

TEST(Spectrum, LinesOfACompositeSignalOverOnePeriod)
{
    TestRecord test(1000);
    const Channel& channel = AddComposite(test);
    const Spectrum spectrum = ComputeSpectrum(channel, 150, Settings(1, 10));
    ASSERT_EQ(spectrum.amplitudes.size(), 11u);
    const double expected[] = {2.0, 10 / kRoot2, 0, 3 / kRoot2, 0, 1 / kRoot2, 0, 0, 0, 0, 0};
    for (std::size_t k = 0; k < 11; ++k)
        EXPECT_NEAR(spectrum.amplitudes[k], expected[k], 1e-9) << k;
    EXPECT_NEAR(spectrum.largest, 10 / kRoot2, 1e-9);
    EXPECT_NEAR(spectrum.base, 10 / kRoot2, 1e-9);

    const FrequencyChartSettings percent = Settings(1, 10);
    EXPECT_NEAR(BarValue(spectrum, 1, percent), 100.0, 1e-9);
    EXPECT_NEAR(BarValue(spectrum, 3, percent), 30.0, 1e-9);
    EXPECT_NEAR(BarValue(spectrum, 0, percent), 20.0 * kRoot2, 1e-9);
    EXPECT_NEAR(BarValue(spectrum, 5, Settings(1, 10, 1)), 1 / kRoot2, 1e-9);
}

TEST(Spectrum, PercentOfTheRmsValue)
{
    TestRecord test(1000);
    const Channel& channel = AddComposite(test);
    const FrequencyChartSettings byRms = Settings(1, 10, 0, 1);
    const Spectrum spectrum = ComputeSpectrum(channel, 150, byRms);
    const double rms = std::sqrt(4.0 + 50.0 + 4.5 + 0.5);
    EXPECT_NEAR(spectrum.base, rms, 1e-9);
    EXPECT_NEAR(BarValue(spectrum, 1, byRms), 100.0 * 10 / kRoot2 / rms, 1e-9);
}

TEST(Spectrum, TwoPeriodsPutTheFundamentalOnLineTwo)
{
    TestRecord test(1000);
    const Channel& channel = AddComposite(test);
    const Spectrum spectrum = ComputeSpectrum(channel, 150, Settings(2, 20));
    ASSERT_EQ(spectrum.amplitudes.size(), 21u);
    for (std::size_t k = 0; k <= 20; ++k) {
        const double expected = k == 0 ? 2.0 : k == 2 ? 10 / kRoot2 : k == 6 ? 3 / kRoot2 : k == 10 ? 1 / kRoot2 : 0.0;
        EXPECT_NEAR(spectrum.amplitudes[k], expected, 1e-9) << k;
    }
    EXPECT_NEAR(spectrum.base, 10 / kRoot2, 1e-9);
}

TEST(Spectrum, BaseOfAFundamentalAboveTheShownLinesAndOfNothing)
{
    TestRecord test(1000);
    const Channel& channel = AddComposite(test);
    EXPECT_NEAR(ComputeSpectrum(channel, 150, Settings(4, 2)).base, 10 / kRoot2, 1e-9);
    // Before a whole window there is nothing: 0 %, not a division by zero.
    const Spectrum early = ComputeSpectrum(channel, 5, Settings(1, 10));
    EXPECT_EQ(early.base, 0.0);
    EXPECT_EQ(BarValue(early, 1, Settings(1, 10)), 0.0);
}

TEST(FrequencyChartSettings, HarmonicLimitFollowsThePeriods)
{
    TestRecord test(1000);
    AddComposite(test);
    SettingsStore& store = test.document.settings;
    store.Section("Frequency Chart").SetInt("NumHarmonics", 50);
    EXPECT_EQ(ReadFrequencyChart(store, test.record).numHarmonics, 10);
    store.Section("Frequency Chart").SetInt("NumPeriods", 2);
    EXPECT_EQ(ReadFrequencyChart(store, test.record).numHarmonics, 20);
    EXPECT_EQ(HarmonicLimit(test.record, 1), 10);
    EXPECT_EQ(HarmonicLimit(test.record, 2), 20);
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

TEST(FrequencyChartSettings, BrokenValuesAreBroughtIntoRange)
{
    TestRecord test(1000);
    AddComposite(test);  // 10 periods
    SettingsStore& store = test.document.settings;
    EXPECT_EQ(ReadFrequencyChart(store, test.record), FrequencyChartSettings{});
    SettingsSection& section = store.Section("Frequency Chart");
    section.SetInt("NumPeriods", 0);
    section.SetInt("NumHarmonics", -4);
    section.SetInt("ShowPersents", 7);
    section.SetInt("UseRMS", 1);
    EXPECT_EQ(ReadFrequencyChart(store, test.record), Settings(1, 1, 0, 1));
    section.SetInt("NumPeriods", 2000000000);
    EXPECT_EQ(ReadFrequencyChart(store, test.record).numPeriods, 10);
}

TEST(FrequencyChartSettings, WrittenAndReadBack)
{
    TestRecord test(1000);
    AddComposite(test);
    WriteFrequencyChart(test.document.settings, Settings(3, 17, 1, 1));
    EXPECT_EQ(ReadFrequencyChart(test.document.settings, test.record), Settings(3, 17, 1, 1));
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
