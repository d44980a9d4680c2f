#include "core/document/Document.h"
#include "core/document/Recompute.h"
#include "core/model/ZarvaException.h"
#include "core/dsp/TestRecord.h"

#include <gtest/gtest.h>


namespace zarva {
namespace {

// Analog channels in every curve mode, a frequency channel tracked by the others, and
// discrete channels: enough samples in all that the channels run on several threads.
class ThreadedRecord : public test::TestRecord {
public:
    static constexpr std::size_t kCount = 30000;

    ThreadedRecord() : TestRecord(4800)
    {
        const std::uint32_t modes[] = {display::kCurveInstant, display::kCurveRms, display::kCurveFirstHarmonic};
        for (std::uint64_t i = 0; i < 9; ++i) {
            Channel& channel = AddAnalog("A" + std::to_string(i), test::NoisyWave(kCount, 4800.0, i));
            channel.SetFlag(display::kCurveModes, false);
            channel.SetFlag(modes[i % 3], true);
            channel.SetFlag(display::kInverted, i % 2 == 1);
        }
        AddAnalog("F", std::vector<double>(kCount, 49.8)).unit = "Hz";
        for (int i = 0; i < 3; ++i) {
            Channel& discrete = record.channels.emplace_back(ChannelKind::Discrete, &document);
            discrete.samples.Assign(std::vector<double>(kCount, i % 2));
            discrete.SetFlag(display::kInverted, i == 1);
        }
        record.RebuildFrequencyChannels();
    }
};

TEST(RecomputeAll, GivesWhatEachChannelGivesAlone)
{
    for (const int reference : {0, 1}) {
        ThreadedRecord parallel;
        ThreadedRecord alone;
        parallel.document.frequencyReference = alone.document.frequencyReference = reference;
        RecomputeAll(parallel.document);
        for (Channel& channel : alone.record.channels)
            channel.Recompute();
        for (std::size_t i = 0; i < alone.record.channels.size(); ++i) {
            const Channel& expected = alone.record.channels[i];
            const Channel& actual = parallel.record.channels[i];
            EXPECT_EQ(actual.DisplaySeries().ToVector(), expected.DisplaySeries().ToVector()) << i;
            EXPECT_EQ(actual.InstantSeries().ToVector(), expected.InstantSeries().ToVector()) << i;
            EXPECT_EQ(actual.PhasorSeries().ToVector(), expected.PhasorSeries().ToVector()) << i;
            EXPECT_EQ(actual.maxValue, expected.maxValue) << i;
        }
    }
}

TEST(RecomputeAll, AdvancesProgressOncePerSampleOfEveryChannelAndComputesNothingWhenCancelled)
{
    ThreadedRecord test;
    test.document.progress.SetStep(1.0);
    RecomputeAll(test.document);
    EXPECT_EQ(test.document.progress.Position(), 13u * ThreadedRecord::kCount);

    ThreadedRecord cancelled;
    cancelled.document.progress.RequestCancel();
    RecomputeAll(cancelled.document);
    for (const Channel& channel : cancelled.record.channels)
        EXPECT_TRUE(channel.PhasorSeries().Empty());
}

TEST(RecomputeAll, RaisesTheErrorOfTheFirstFailingChannel)
{
    ThreadedRecord test;
    std::vector<Channel>& channels = test.record.channels;
    channels[4].ownSampleRate = 10.0;
    channels[7].ownSampleRate = -1.0;
    EXPECT_THROW(RecomputeAll(test.document), CZarvaException);
    channels[4].ownSampleRate = 0.0;
    channels[7].ownSampleRate = 0.0;
    test.record.sampleRate = 0;
    try {
        RecomputeAll(test.document);
        FAIL() << "no error";
    } catch (const CZarvaException& error) {
        EXPECT_EQ(error.MessageId(), 330);
    }
}

} // namespace
} // namespace zarva
