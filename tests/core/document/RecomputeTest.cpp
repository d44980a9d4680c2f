#include "core/document/Document.h"
#include "core/document/Recompute.h"
#include "core/model/ZarvaException.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace zarva {
namespace {

std::vector<double> RandomWave(std::size_t count, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<double> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = 100.0 * std::sin(0.0654 * static_cast<double>(i)) + noise(random);
    return samples;
}

// Analog channels in every curve mode, a frequency channel tracked by the others, and
// discrete channels: enough samples in all that the channels run on several threads.
void FillRecord(Document& document, std::size_t count)
{
    Oscillogram& record = document.oscillogram;
    record.sampleRate = 4800;
    record.rateSegments.push_back({4800.0, static_cast<std::int32_t>(count)});
    const std::uint32_t modes[] = {display::kCurveInstant, display::kCurveRms,
                                   display::kCurveFirstHarmonic};
    for (std::uint64_t i = 0; i < 9; ++i) {
        Channel channel(ChannelKind::Analog, &document);
        channel.name = "A" + std::to_string(i);
        channel.samples = RandomWave(count, i);
        channel.SetFlag(display::kCurveModes, false);
        channel.SetFlag(modes[i % 3], true);
        channel.SetFlag(display::kInverted, i % 2 == 1);
        record.channels.push_back(std::move(channel));
    }
    Channel frequency(ChannelKind::Analog, &document);
    frequency.name = "F";
    frequency.unit = "Hz";
    frequency.samples.assign(count, 49.8);
    record.channels.push_back(std::move(frequency));
    for (int i = 0; i < 3; ++i) {
        Channel discrete(ChannelKind::Discrete, &document);
        discrete.samples.assign(count, i % 2);
        discrete.SetFlag(display::kInverted, i == 1);
        record.channels.push_back(std::move(discrete));
    }
    record.RebuildFrequencyChannels();
}

std::vector<double> Copy(std::span<const double> series)
{
    return {series.begin(), series.end()};
}

TEST(RecomputeAll, GivesWhatEachChannelGivesAlone)
{
    for (const int reference : {0, 1}) {
        Document parallel;
        Document alone;
        FillRecord(parallel, 30000);
        FillRecord(alone, 30000);
        parallel.frequencyReference = alone.frequencyReference = reference;
        RecomputeAll(parallel);
        for (Channel& channel : alone.oscillogram.channels)
            channel.Recompute();
        for (std::size_t i = 0; i < alone.oscillogram.channels.size(); ++i) {
            const Channel& expected = alone.oscillogram.channels[i];
            const Channel& actual = parallel.oscillogram.channels[i];
            EXPECT_EQ(Copy(actual.DisplaySeries()), Copy(expected.DisplaySeries())) << i;
            EXPECT_EQ(Copy(actual.InstantSeries()), Copy(expected.InstantSeries())) << i;
            EXPECT_EQ(actual.phasorSeries, expected.phasorSeries) << i;
            EXPECT_EQ(actual.maxValue, expected.maxValue) << i;
        }
    }
}

TEST(RecomputeAll, AdvancesProgressOncePerSampleOfEveryChannelAndComputesNothingWhenCancelled)
{
    Document document;
    FillRecord(document, 30000);
    document.progress.SetStep(1.0);
    RecomputeAll(document);
    EXPECT_EQ(document.progress.Position(), 13u * 30000u);

    Document cancelled;
    FillRecord(cancelled, 30000);
    cancelled.progress.RequestCancel();
    RecomputeAll(cancelled);
    for (const Channel& channel : cancelled.oscillogram.channels)
        EXPECT_TRUE(channel.phasorSeries.empty());
}

TEST(RecomputeAll, RaisesTheErrorOfTheFirstFailingChannel)
{
    Document document;
    FillRecord(document, 30000);
    document.oscillogram.channels[4].ownSampleRate = 10.0;
    document.oscillogram.channels[7].ownSampleRate = -1.0;
    EXPECT_THROW(RecomputeAll(document), CZarvaException);
    document.oscillogram.channels[4].ownSampleRate = 0.0;
    document.oscillogram.channels[7].ownSampleRate = 0.0;
    document.oscillogram.sampleRate = 0;
    try {
        RecomputeAll(document);
        FAIL() << "no error";
    } catch (const CZarvaException& error) {
        EXPECT_EQ(error.MessageId(), 330);
    }
}

} // namespace
} // namespace zarva
