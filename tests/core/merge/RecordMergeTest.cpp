#include "MergeTestRecord.h"

#include "core/document/RecordSaver.h"
#include "core/merge/RecordMerge.h"
#include "core/view/TimeRuler.h"
#include "support/SavedRecord.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>

namespace zarva::test {
namespace {

constexpr double kFault = 0.3;

std::function<double(double)> Wave(double lag)
{
    return [lag](double t) { return std::sin(2.0 * std::numbers::pi * 50.0 * (t + lag) + 0.7); };
}

std::function<double(double)> Trip(double lag)
{
    return [lag](double t) { return t + lag >= kFault ? 1.0 : 0.0; };
}

// A 1000 Hz record of one second and a 2400 Hz one that started `lag` seconds later, its
// channels pasted into the first and placed by that offset.
struct MergedPair {
    MergeTestRecord own{1000, 1000};
    MergeTestRecord other{2400, 2400};

    explicit MergedPair(double lag)
    {
        own.Analog("U1", Wave(0.0));
        own.Discrete("Trip1", Trip(0.0));
        other.Analog("U2", Wave(lag));
        other.Discrete("Trip2", Trip(lag));
        CopyAll(*other.document, *own.document);
        own.document->merge.mergeOffset = lag;
        MergeRecord(*own.document);
    }
    const Oscillogram& Record() const { return own.record; }
    std::vector<double> Samples(std::size_t c) const { return Record().channels[c].samples.View().ToVector(); }
    // Window time of output sample k, in seconds.
    double Time(std::size_t k, double lag) const { return static_cast<double>(k) / 2400.0 + std::min(lag, 0.0); }
};

TEST(RecordMerge, CommonRateIsWholeSamplesPerPeriod)
{
    MergeTestRecord record(1000, 10);
    record.Analog("U", Wave(0.0)).ownSampleRate = 2400.0;
    EXPECT_EQ(CommonRate(record.record), 2400.0);
    record.record.channels[0].ownSampleRate = 1025.0;  // 20.5 samples per period
    EXPECT_EQ(CommonRate(record.record), 1050.0);
}

TEST(RecordMerge, GridSpansBothRecordsAtTheHigherRate)
{
    for (const auto& [lag, count] : {std::pair{0.0123, 2425U}, std::pair{-0.0071, 2411U}, std::pair{0.0, 2395U}}) {
        SCOPED_TRACE(lag);
        const MergedPair pair(lag);
        EXPECT_EQ(pair.Record().sampleRate, 2400);
        ASSERT_EQ(pair.Record().sampleTimes.size(), count);
        EXPECT_EQ(pair.Record().sampleTimes[3], 1250);
        EXPECT_EQ(pair.Record().sampleTimes[count - 1], std::llround((count - 1) * 1e6 / 2400));
        for (const Channel& channel : pair.Record().channels) {
            EXPECT_EQ(channel.samples.Size(), count);
            EXPECT_FALSE(channel.HasFlag(display::kPasted));
            EXPECT_FALSE(channel.ownTimes);
        }
        EXPECT_EQ(pair.own.document->merge.mergeOffset, 0.0);
        EXPECT_TRUE(pair.Record().storedDataChanged);
    }
}

// Quadratic interpolation of a sine of angular step w·h errs by at most (w·h)³ / 16 or so.
TEST(RecordMerge, SinesFollowTheirTrueValuesOnTheCommonAxis)
{
    for (const double lag : {0.0125, 0.0123, -0.0071}) {
        SCOPED_TRACE(lag);
        const MergedPair pair(lag);
        const double otherTolerance = std::fmod(std::abs(lag), 1.0 / 2400.0) < 1e-9 ? 1e-9 : 2e-4;
        double worstOwn = 0.0;
        double worstOther = 0.0;
        for (std::size_t k = 0; k < pair.Record().sampleTimes.size(); ++k) {
            const double t = pair.Time(k, lag);
            const double truth = Wave(0.0)(t);
            if (t > 0.002 && t < 0.997)
                worstOwn = std::max(worstOwn, std::abs(pair.Samples(0)[k] - truth));
            if (t - lag > 0.001 && t - lag < 0.998) {
                worstOther = std::max(worstOther, std::abs(pair.Samples(2)[k] - truth));
            } else if (t - lag < -0.001) {
                EXPECT_EQ(pair.Samples(2)[k], 0.0) << "padding at " << k;
            }
        }
        EXPECT_LT(worstOwn, 2.5e-3);
        EXPECT_LT(worstOther, otherTolerance);
    }
}

TEST(RecordMerge, DiscreteChannelsKeepTheirStatesAndMoment)
{
    for (const double lag : {0.0123, -0.0071}) {
        SCOPED_TRACE(lag);
        const MergedPair pair(lag);
        for (const std::size_t c : {1U, 3U}) {
            const std::vector<double>& states = pair.Samples(c);
            std::size_t first = states.size();
            for (std::size_t k = 0; k < states.size(); ++k) {
                ASSERT_TRUE(states[k] == 0.0 || states[k] == 1.0) << k;
                if (states[k] == 1.0 && first == states.size())
                    first = k;
            }
            ASSERT_LT(first, states.size());
            EXPECT_NEAR(pair.Time(first, lag), kFault, 0.001) << c;
            EXPECT_EQ(states[first + 100], 1.0);
        }
    }
}

TEST(RecordMerge, MergedRecordSavesAndReopensWithEveryChannel)
{
    MergedPair pair(0.0123);
    TempFolder folder;
    SaveRecord(*pair.own.document, folder / "merged.cfg");
    const std::unique_ptr<Document> read = ReadRecord(folder / "merged.cfg");
    const Oscillogram& back = read->oscillogram;
    ASSERT_EQ(back.channels.size(), 4U);
    EXPECT_EQ(back.sampleRate, 2400);
    EXPECT_EQ(back.SampleCount(), 2425U);
    for (std::size_t c = 0; c < 4; ++c) {
        const Channel& channel = back.channels[back.FindChannel(pair.Record().channels[c].name)];
        EXPECT_NEAR(channel.samples[1000], pair.Samples(c)[1000], 1e-3);
    }
}

TEST(RecordMerge, UndoReturnsToThePastedChannels)
{
    MergedPair pair(0.0123);
    Document& document = *pair.own.document;
    ASSERT_TRUE(document.undo.Undo(document));
    EXPECT_EQ(pair.Record().sampleRate, 1000);
    EXPECT_EQ(pair.Record().sampleTimes.size(), 1000U);
    EXPECT_TRUE(pair.Record().channels[2].HasFlag(display::kPasted));
    EXPECT_EQ(pair.Samples(2).size(), 2400U);
    EXPECT_EQ(document.merge.mergeOffset, 0.0123);
    ASSERT_TRUE(document.undo.Redo(document));
    EXPECT_EQ(pair.Record().sampleRate, 2400);
}

// A record started 5 ms after midnight on 1 March 2020, triggered 300 ms later, and pasted
// channels 7.1 ms earlier: the merged record starts on 29 February at 23:59:59.9979, and its
// trigger, 307.1 ms from there, is sample 737 at 2400 Hz (737.04 samples).
TEST(RecordMerge, EarlierPastedChannelsMoveTheStartBackAndKeepTheTrigger)
{
    MergeTestRecord own(1000, 1000, "01/03/2020", "00:00:00.005000");
    own.record.triggerTime = "00:00:00.305000";
    own.Analog("U1", Wave(0.0));
    MergeTestRecord other(2400, 2400);
    other.Analog("U2", Wave(-0.0071));
    CopyAll(*other.document, *own.document);
    own.document->merge.mergeOffset = -0.0071;
    MergeRecord(*own.document);
    EXPECT_EQ(own.record.startText, "29/02/2020, 23:59:59.997900");
    EXPECT_EQ(TriggerSample(own.record), 737);

    TempFolder folder;
    SaveRecord(*own.document, folder / "merged.cfg");
    std::ifstream cfg(folder / "merged.cfg", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(cfg), {}};
    EXPECT_NE(text.find("\n29/02/2020,23:59:59.997900\r\n01/03/2020,00:00:00.305000\r\n"), std::string::npos) << text;
    const std::unique_ptr<Document> read = ReadRecord(folder / "merged.cfg");
    EXPECT_EQ(TriggerSample(read->oscillogram), 737);

    ASSERT_TRUE(own.document->undo.Undo(*own.document));
    EXPECT_EQ(own.record.startDate, "01/03/2020");
    EXPECT_EQ(own.record.startTime, "00:00:00.005000");

    // A record whose start is the moment of a marked zero sample keeps it; the mark moves.
    own.record.zeroSample = 300;
    MergeRecord(*own.document);
    EXPECT_EQ(own.record.zeroSample, 737);
    EXPECT_EQ(own.record.startTime, "00:00:00.005000");
}

// The record at 1000 Hz and pasted channels at 2400 Hz beginning 7.1 ms before it: the record's
// sample i lies 1000·i + 7100 µs into the grid, sample 2.4·i + 17.04 of it, and the grid ends
// at sample 2410 (2415 samples less 4).
TEST(RecordMerge, CursorsAndAnnotationsKeepTheirMomentsAndUndoBringsThemBack)
{
    MergeTestRecord own(1000, 1000);
    own.Analog("U1", Wave(0.0));
    MergeTestRecord other(2400, 2400);
    other.Analog("U2", Wave(-0.0071));
    CopyAll(*other.document, *own.document);
    Document& document = *own.document;
    document.merge.mergeOffset = -0.0071;
    document.cursors.PlaceVertical(0, 300, 1000);
    document.cursors.PlaceVertical(1, 0, 1000);
    document.cursors.PlaceHorizontal(0, 3.5, 0);
    const std::vector<Annotation> before = {
        MomentItem{{"inception"}, 100},
        LevelItem{{"3I0"}, "U1", 3.5, 250, 251},
        AreaItem{{"swing"}, "U1", "U2", 500, 999},
    };
    document.annotations.Assign(before);
    const CursorSet cursorsBefore = document.cursors;
    MergeRecord(document);

    EXPECT_EQ(document.cursors.Vertical(0).sample, 737);
    EXPECT_EQ(document.cursors.Vertical(1).sample, 17);
    EXPECT_TRUE(document.cursors.NeverPlaced(2));
    EXPECT_EQ(document.cursors.Horizontal(0).value, 3.5);
    const std::vector<Annotation>& items = document.annotations.Items();
    ASSERT_EQ(items.size(), 3U);
    EXPECT_EQ(std::get<MomentItem>(items[0]).position, 257);
    EXPECT_EQ(std::get<LevelItem>(items[1]), (LevelItem{{"3I0"}, "U1", 3.5, 617, 619}));
    EXPECT_EQ(std::get<AreaItem>(items[2]).positionFrom, 1217);
    EXPECT_EQ(std::get<AreaItem>(items[2]).positionTo, 2410);

    TempFolder folder;
    SaveRecord(document, folder / "merged.cfg");
    const std::unique_ptr<Document> read = ReadRecord(folder / "merged.cfg");
    EXPECT_EQ(read->cursors.Vertical(0).sample, 737);
    EXPECT_EQ(read->annotations.Items(), items);

    ASSERT_TRUE(document.undo.Undo(document));
    EXPECT_EQ(document.cursors, cursorsBefore);
    EXPECT_EQ(document.annotations.Items(), before);
    // Undoing the paste leaves the grid, so a cursor moved since stays.
    document.cursors.PlaceVertical(0, 400, 1000);
    ASSERT_TRUE(document.undo.Undo(document));
    EXPECT_EQ(document.cursors.Vertical(0).sample, 400);
}

} // namespace
} // namespace zarva::test
