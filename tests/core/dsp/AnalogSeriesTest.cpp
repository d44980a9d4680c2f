#include "SeriesCheck.h"
#include "TestRecord.h"

#include "core/dsp/AnalogSeries.h"
#include "core/dsp/WindowMeasures.h"
#include "core/view/MinMaxPyramid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace zarva {
namespace {

using test::InEveryCurveMode;
using test::NoisyWave;
using test::Sine;
using test::TestRecord;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(FastSeries, EqualMeasuresOnNoisyWavesPastManyReanchors)
{
    TestRecord test(4800);
    InEveryCurveMode(test.AddAnalog("I", NoisyWave(30000, 4800.0, 1)));
}

TEST(FastSeries, EqualMeasuresForOddPeriodsAndRecordsShorterThanAPeriod)
{
    TestRecord test(350);
    InEveryCurveMode(test.AddAnalog("Odd", NoisyWave(500, 350.0, 2)));
    Channel& shortOne = test.AddAnalog("Short", {1.0, 2.0, 3.0});
    InEveryCurveMode(shortOne);
    EXPECT_EQ(shortOne.dcMean, 0.0);
    EXPECT_EQ(shortOne.PhasorSeries().At(2), Phasor());

    Channel& empty = test.AddAnalog("Empty", {});
    empty.Recompute();
    EXPECT_TRUE(empty.DisplaySeries().Empty());
    EXPECT_EQ(empty.maxValue, -DBL_MAX);
}

// The survey of an opened record comes from a pyramid of the samples mapped through the
// display transform; it must be that of the curve drawn.
void ExpectSurveyOfTheCurveDrawn(const Channel& channel)
{
    const std::vector<double> shown = channel.DisplaySeries().ToVector();
    const MinMaxPyramid expected(shown);
    const ValueSpan all = expected.Range(shown, 0, shown.size());
    EXPECT_EQ(channel.maxValue, all.high);
    EXPECT_EQ(channel.minValue, all.low);
    for (const auto& [first, last] : {std::pair<std::size_t, std::size_t>{0, 3000}, {17, 2900}, {512, 2560}, {1000, 1300}}) {
        const ValueSpan got = channel.DisplayPyramid()->Range(shown, first, last);
        const ValueSpan want = expected.Range(shown, first, last);
        EXPECT_EQ(got.low, want.low);
        EXPECT_EQ(got.high, want.high);
    }
}

TEST(FastSeries, EqualMeasuresUnderEveryDisplayTransform)
{
    TestRecord test(1000);
    std::vector<double> samples = NoisyWave(3000, 1000.0, 3);
    for (const std::size_t gap : {0, 19, 20, 39, 1234})
        samples[gap] = kNaN;
    Channel& channel = test.AddAnalog("U", samples);
    channel.multiplier = 0.01;
    channel.offset = 5.0;
    channel.primary = 110000.0;
    channel.secondary = 100.0;
    channel.showPrimary = true;
    for (const std::uint32_t flags :
         {0u, display::kAdcCounts, display::kDcRemoved, display::kInverted,
          display::kAdcCounts | display::kDcRemoved | display::kInverted}) {
        channel.SetFlag(display::kAdcCounts | display::kDcRemoved | display::kInverted, false);
        channel.SetFlag(flags, true);
        SCOPED_TRACE(flags);
        InEveryCurveMode(channel, [&channel] { ExpectSurveyOfTheCurveDrawn(channel); });
        InEveryCurveMode(channel);
    }
    EXPECT_EQ(channel.displayRatio, 1100.0);
}

TEST(FastSeries, HugeValuesNeitherSpoilTheSmallSignalAfterThemNorDifferFromTheDefinitions)
{
    TestRecord test(1000);
    // Bursts whose squares leave rounding far above the small signal's energy behind them.
    std::vector<double> samples = NoisyWave(4000, 1000.0, 4);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const bool burst = (i >= 1000 && i < 1100) || (i >= 2000 && i < 2037) || (i >= 3000 && i < 3011);
        samples[i] = burst ? 1e9 * std::sin(0.3 * static_cast<double>(i)) : samples[i] * 1e-3;
    }
    InEveryCurveMode(test.AddAnalog("I", samples));

    // Too large for running sums.
    samples = NoisyWave(400, 1000.0, 5);
    samples[100] = 1e200;
    samples[200] = std::numeric_limits<double>::infinity();
    Channel& channel = test.AddAnalog("J", samples);
    InEveryCurveMode(channel);
    channel.SetFlag(display::kCurveModes, false);
    channel.SetFlag(display::kCurveRms, true);
    channel.Recompute();
    EXPECT_TRUE(std::isinf(channel.DisplaySeries().At(110)));
    EXPECT_TRUE(std::isfinite(channel.DisplaySeries().At(130)));
    EXPECT_LT(channel.maxValue, 1e3);
}

TEST(FastSeries, TrackingFormsFollowAVaryingFrequency)
{
    TestRecord test(2000);
    std::vector<double> frequency(1800);
    std::mt19937_64 random(6);
    std::uniform_real_distribution<double> step(-0.05, 0.05);
    double hertz = 49.0;
    for (std::size_t i = 0; i < frequency.size(); ++i) {
        if (i % 50 == 0)
            hertz = std::clamp(hertz + step(random) * 10.0, 45.0, 55.0);
        frequency[i] = i % 333 == 0 ? 0.0 : hertz;
    }
    Channel& channel = test.AddAnalog("U", NoisyWave(2000, 2000.0, 7));
    const Channel& reference = test.AddAnalog("F", frequency);
    test.TrackAgainst(reference);
    InEveryCurveMode(channel);
}

TEST(FastSeries, SuppliedPhasorsAreScaledAndFirstHarmonicStillComesFromSamples)
{
    TestRecord test(1000);
    std::vector<Phasor> supplied(250, Phasor(3.0, -4.0));
    Channel computed = Channel::FromValues(&test.document, "Z", "Ом", NoisyWave(300, 1000.0, 8), supplied);
    computed.primary = 2.0;
    computed.SetFlag(display::kInverted, true);
    computed.showPrimary = false;
    computed.valuesArePrimary = true;
    InEveryCurveMode(computed);
    EXPECT_EQ(computed.PhasorSeries().At(10), Phasor(-1.5, 2.0));
    EXPECT_EQ(computed.PhasorSeries().At(260), Phasor());
}

TEST(Recompute, SeriesReadUnchangedSamplesInPlaceAndKeepTheChannelAsItWasWhenTaken)
{
    TestRecord test(1000);
    Channel& channel = test.AddAnalog("I", NoisyWave(100, 1000.0, 9));
    channel.Recompute();
    const double* samples = channel.samples.Get().Held().data();
    EXPECT_EQ(channel.InstantSeries().Source()->Held().data(), samples);
    EXPECT_EQ(channel.DisplaySeries().Source()->Held().data(), samples);

    // Flags changed without a recompute leave the series as they were computed.
    const Series<double> before = channel.DisplaySeries();
    channel.SetFlag(display::kCurveInstant, false);
    channel.SetFlag(display::kCurveRms | display::kInverted, true);
    EXPECT_EQ(channel.DisplaySeries().Source()->Held().data(), samples);
    channel.Recompute();
    EXPECT_TRUE(channel.InstantSeries().Source()->Held().empty());
    EXPECT_EQ(channel.DisplaySeries().Size(), 100u);
    EXPECT_EQ(channel.InstantSeries().At(5), -channel.samples.At(5));
    EXPECT_EQ(before.At(5), channel.samples.At(5));
}

TEST(Recompute, ExtremesCoverFiniteShownValuesOnly)
{
    TestRecord test(1000);
    Channel& channel = test.AddAnalog("I", {1.0, -7.0, std::numeric_limits<double>::infinity(), kNaN, 4.0});
    channel.Recompute();
    EXPECT_EQ(channel.maxValue, 4.0);
    EXPECT_EQ(channel.minValue, -7.0);
}

// Status channels read from files are held as bits and surveyed a word at a time; the result
// must be that of the same states held as values.
TEST(Recompute, StatusChannelsHeldAsBitsSurveyLikeTheSameStatesAsValues)
{
    constexpr std::size_t kBlock = MinMaxPyramid::kFirstBlock;
    constexpr std::ptrdiff_t kWords = kBlock / 64;
    std::mt19937_64 random(7);
    std::vector<std::uint64_t> words(4 * kWords);
    for (std::uint64_t& word : words)
        word = random() & random();
    // A block all 0 and a block all 1 among mixed ones.
    std::fill(words.begin() + kWords, words.begin() + 2 * kWords, 0);
    std::fill(words.begin() + 2 * kWords, words.begin() + 3 * kWords, ~std::uint64_t{0});
    for (const std::size_t count : {4 * kBlock - 24, kBlock, std::size_t{70}}) {
        for (const bool inverted : {false, true}) {
            TestRecord test(1000);
            Channel& bits = test.AddAnalog("bits", {});
            Channel& values = test.AddAnalog("values", {});
            std::vector<double> states(count);
            for (std::size_t i = 0; i < count; ++i)
                states[i] = static_cast<double>((words[i / 64] >> (i % 64)) & 1U);
            for (Channel* channel : {&bits, &values}) {
                channel->kind = ChannelKind::Discrete;
                channel->SetFlag(display::kInverted, inverted);
            }
            bits.samples.Assign(std::make_shared<const SampleData>(words, count));
            values.samples.Assign(states);
            bits.Recompute();
            values.Recompute();
            EXPECT_EQ(bits.maxValue, values.maxValue);
            EXPECT_EQ(bits.minValue, values.minValue);
            const Series<double> shown = values.DisplaySeries();
            for (const auto& [first, last] : {std::pair<std::size_t, std::size_t>{0, count}, {3, count - 1}, {kBlock, 2 * kBlock}, {2 * kBlock, 3 * kBlock}, {kBlock + 40, 3 * kBlock - 40}}) {
                if (last > count)
                    continue;
                const ValueSpan want = values.DisplayPyramid()->Range(shown, first, last);
                const ValueSpan got = bits.DisplayPyramid()->Range(shown, first, last);
                EXPECT_EQ(got.low, want.low) << count << inverted << first;
                EXPECT_EQ(got.high, want.high) << count << inverted << first;
            }
        }
    }
}

TEST(Recompute, DcMeanIsTakenOverWholePeriodsWithNaNAsZeroAndCodesInAdcCounts)
{
    TestRecord test(1000);
    std::vector<double> samples(45, 2.0);
    samples[3] = kNaN;
    for (std::size_t i = 40; i < 45; ++i)
        samples[i] = 1000.0;
    Channel& channel = test.AddAnalog("I", samples);
    channel.Recompute();
    EXPECT_DOUBLE_EQ(channel.dcMean, 78.0 / 40.0);

    channel.multiplier = 0.5;
    channel.offset = 1.0;
    channel.SetFlag(display::kAdcCounts, true);
    channel.Recompute();
    EXPECT_DOUBLE_EQ(channel.dcMean, 78.0 / 40.0);  // (2 - 1) / 0.5 = 2 per sample
}

TEST(Recompute, AdvancesProgressAndStopsWhenCancelled)
{
    TestRecord test(1000);
    Channel& channel = test.AddAnalog("I", NoisyWave(40000, 1000.0, 10));
    test.document.progress.SetStep(2.0);
    channel.Recompute();
    EXPECT_EQ(test.document.progress.Position(), 80000u);

    test.document.progress.RequestCancel();
    channel.SetFlag(display::kInverted, true);
    channel.Recompute();
    EXPECT_EQ(test.document.progress.Position(), 80000u);
}

} // namespace
} // namespace zarva
