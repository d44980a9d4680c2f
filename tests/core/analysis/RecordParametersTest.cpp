#include "core/document/RecordParameters.h"
#include "core/formats/SettingsFile.h"
#include "core/storage/SettingsSection.h"
#include "core/dsp/TestRecord.h"
#include "core/formula/FormulaTestRecord.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarva {
namespace {

TEST(RecordParameters, RateListsFollowTheLineFrequency)
{
    const std::vector<std::int32_t> fifty = CorrectableRates(50.0);
    ASSERT_EQ(fifty.size(), 27u);
    EXPECT_EQ(fifty.front(), 160000);
    EXPECT_EQ(fifty.back(), 200);
    const std::vector<std::int32_t> sixty = CorrectableRates(60.0);
    ASSERT_EQ(sixty.size(), 27u);
    EXPECT_EQ(sixty.front(), 192000);
    EXPECT_EQ(sixty.back(), 240);
    // Every rate holds whole periods: 56 samples a period is 3360, not 3340.
    for (const std::int32_t rate : sixty)
        EXPECT_EQ(rate % 60, 0) << rate;
    for (const std::int32_t rate : fifty)
        EXPECT_EQ(rate % 50, 0) << rate;
    EXPECT_TRUE(CorrectableRates(55.0).empty());
}

// A 45 Hz wave of 100 V RMS: tracked against its frequency channel the first harmonic reads
// 100 V; back to the nominal window, every value is as it was.
TEST(RecordParameters, FrequencyReferenceSwitchesTheMeasuresAndBack)
{
    test::TestRecord test(1000);
    test.AddSampled("U", 400, test::Sine(100.0 * std::sqrt(2.0), 45.0, 0.0));
    test.AddAnalog("F", std::vector<double>(400, 45.0));
    test.record.frequencyChannels = {1};
    test.record.calcChannels.Add("M", "Mod: (U)");
    ChangeFrequencyReference(test.document, 0);
    test.record.channels[0].Recompute();
    test.record.calcChannels.Compute();
    const std::vector<Phasor> nominal = test.record.channels[0].PhasorSeries().ToVector();
    const double nominalModulus = test.record.channels[2].samples[300];

    ASSERT_TRUE(ChangeFrequencyReference(test.document, 1));
    EXPECT_NEAR(std::abs(test.record.channels[0].PhasorSeries().At(300)), 100.0, 0.5);
    EXPECT_NEAR(test.record.channels[2].samples[300], 100.0, 0.5);
    EXPECT_GT(std::abs(nominalModulus - 100.0), 1.0);

    ASSERT_TRUE(ChangeFrequencyReference(test.document, 0));
    EXPECT_EQ(test.record.channels[0].PhasorSeries().ToVector(), nominal);
    EXPECT_EQ(test.record.channels[2].samples[300], nominalModulus);
    EXPECT_FALSE(ChangeFrequencyReference(test.document, 2));
}

TEST(RecordParameters, CorrectedRateRetimesTheSamplesAndCanBeUndone)
{
    test::TestRecord test(1000);
    test.AddSampled("U", 100, test::Sine(1.0, 50.0, 0.0));
    EXPECT_FALSE(CorrectSampleRate(test.document, 1000));
    const std::vector<std::int64_t> times = test.record.sampleTimes;
    ASSERT_TRUE(CorrectSampleRate(test.document, 2000));
    EXPECT_EQ(test.record.sampleRate, 2000);
    EXPECT_EQ(test.record.sampleTimes[3], 1500);
    ASSERT_TRUE(test.document.undo.Undo(test.document));
    EXPECT_EQ(test.record.sampleRate, 1000);
    EXPECT_EQ(test.record.sampleTimes, times);
}

// A name written in OEM 866 and first read as Windows-1251: read again, it is "Ток", and the
// formula that referred to it still does.
TEST(RecordParameters, CodePageRereadsNamesAndKeepsFormulas)
{
    test::FormulaTestRecord test;
    Channel& current = test.Add("\x92\xAE\xAA", 2.0, {}, "A");
    current.name = DecodeText(current.channelId, CodePage::Windows1251);
    test.record.calcChannels.Add("K", "\"" + current.name + "\"" + " * 3");
    ASSERT_TRUE(ChangeCodePage(test.document, CodePage::Oem866));
    EXPECT_EQ(test.record.channels[0].name, "Ток");
    EXPECT_EQ(test.record.calcChannels.Formulas()[0], "Ток * 3");
    EXPECT_EQ(test.Named("K").samples[5], 6.0);
    EXPECT_EQ(test.record.headerCodePage, CodePage::Oem866);
    EXPECT_EQ(test.document.settings.Section(kOscillogramSection).GetInt(kCodePageKey, -1), 0);
    EXPECT_FALSE(ChangeCodePage(test.document, CodePage::Oem866));
}

} // namespace
} // namespace zarva
