#include "core/document/Document.h"
#include "core/formats/SampleRate.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(SnapSampleRate, SeveralRatesUseTheBandsOf50And60Hertz)
{
    EXPECT_EQ(SnapSampleRate(1100, 50.0, true), 1200);
    EXPECT_EQ(SnapSampleRate(1650, 50.0, true), 1600);
    EXPECT_EQ(SnapSampleRate(14400, 50.0, true), 19200);
    EXPECT_EQ(SnapSampleRate(1000, 60.0, true), 960);
    EXPECT_EQ(SnapSampleRate(30000, 50.0, true), 30000);
    EXPECT_EQ(SnapSampleRate(1100, 55.0, true), 1100);
}

TEST(SnapSampleRate, OneRateIsAWholeNumberOfSamplesPerPeriod)
{
    EXPECT_EQ(SnapSampleRate(1100, 50.0, false), 1100);
    EXPECT_EQ(SnapSampleRate(5760, 50.0, false), 5750);
    EXPECT_EQ(SnapSampleRate(15360, 60.0, false), 15360);
    EXPECT_EQ(SnapSampleRate(2398.4, 50.0, false), 2400);
    EXPECT_EQ(SnapSampleRate(1025, 50.0, false), 1050);  // 20.5 rounds up
    EXPECT_EQ(SnapSampleRate(10, 50.0, false), 0);
}

TEST(SnapSampleRate, BrokenRatesGiveZeroInsteadOfOverflow)
{
    EXPECT_EQ(SnapSampleRate(0.0, 50.0, false), 0);
    EXPECT_EQ(SnapSampleRate(-1200.0, 50.0, true), 0);
    EXPECT_EQ(SnapSampleRate(1.0 / 0.0, 50.0, false), 0);
    EXPECT_EQ(SnapSampleRate(1e300, 50.0, false), 0);
}

TEST(SampleRate, LineFrequencySeriesFollowsTheSegments)
{
    Document document;
    Oscillogram& record = document.oscillogram;
    record.lineFrequency = 50.0;
    record.sampleRate = 1600;
    record.rateSegments = {{3200, 2}, {50, 3}};
    const std::vector<double> series = LineFrequencySeries(record, 5);
    EXPECT_EQ(series, (std::vector<double>{100.0, 100.0, 50.0 / 1600 * 50.0, 0.0, 0.0}));
}

TEST(SampleRate, SegmentsAreTimedByTheirOwnRates)
{
    Document document;
    Oscillogram& record = document.oscillogram;
    record.rateSegments = {{1000, 3}, {100, 3}, {100, 5}};
    EXPECT_TRUE(HasSeveralRates(record));
    EXPECT_EQ(TimesFromSegments(record, 7), (std::vector<std::int64_t>{0, 1000, 2000, 12000, 22000, 32000, 42000}));
    record.rateSegments = {{1000, 3}, {1000, 5}};
    EXPECT_FALSE(HasSeveralRates(record));
    record.rateSegments = {{0, 3}, {1000, 5}};
    EXPECT_FALSE(HasSeveralRates(record));
}

} // namespace
} // namespace zarva
