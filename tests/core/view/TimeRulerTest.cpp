#include "ViewTestRecord.h"

#include "core/view/TimeRuler.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(GroupDigits, WritesGroupsOfThreeWithTheirZeros)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"}, {999, "999"}, {1000, "1 000"}, {1234567, "1 234 567"}, {-1005, "-1 005"},
        {INT64_MIN, "-9 223 372 036 854 775 808"}};
    for (const auto& [number, text] : cases)
        EXPECT_EQ(GroupDigits(number), text);
}

TEST(RulerLabel, ShowsEachUnitCountingFromTheZeroSampleAndOnPastTheRecord)
{
    test::ViewTestRecord record(3000);
    Oscillogram& osc = record.Record();
    osc.startTime = "10:15:28.000000";
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Microseconds, 1500, true), "1 500 000 мкс");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Milliseconds, 1500, true), "1 500 мс");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Milliseconds, 1500, false), "1 500");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Seconds, 1500, true), "1.500 с");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Seconds, 0, false), "0");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::AbsoluteTime, 2250, true), "10:15:30.250");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Samples, 1500, true), "1 501");

    osc.zeroSample = 40;
    EXPECT_EQ(RelativeTime(osc, 10), -30'000);
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Samples, 40, false), "1");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Milliseconds, 10, false), "-30");
    EXPECT_EQ(RelativeTime(osc, 3250), 3'210'000);
}

TEST(TimeTexts, CarryTheDecimalsThatTellAdjacentSamplesApart)
{
    test::ViewTestRecord record(1000);
    Oscillogram& osc = record.Record();
    osc.startTime = "10:15:28";
    record.Retime(2400.0);
    // Samples 218-221 lie at 90 833, 91 250, 91 667 and 92 083 µs.
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Milliseconds, 218, false), "90.8");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Milliseconds, 219, true), "91.3 мс");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Milliseconds, 220, false), "91.7");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Seconds, 219, false), "0.0913");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::AbsoluteTime, 219, false), "10:15:28.091250");
    EXPECT_EQ(RulerLabel(osc, RulerUnit::Microseconds, 219, false), "91 250");

    EXPECT_EQ(TimeNumber(-1'234'560, RulerUnit::Milliseconds, 2, true), "-1 234.56");
    EXPECT_EQ(TimeNumber(-400, RulerUnit::Milliseconds, 1, false), "-0.4");
    EXPECT_EQ(TimeNumber(1'999'999, RulerUnit::Seconds, 3, false), "2.000");
    EXPECT_EQ(TimeDecimals(RulerUnit::Seconds, 0.0), 3) << "a record without samples";
    EXPECT_EQ(TimeDecimals(RulerUnit::AbsoluteTime, 500.0), 6);
}

TEST(TimeTexts, RulerLabelsOfAFastRecordDiffer)
{
    test::ViewTestRecord record(4000);
    record.Retime(100'000.0);
    ViewState state;
    state.leftMargin = 0;
    state.xScale = 1.0;
    state.firstSample = 1000;
    const std::vector<RulerTick> ticks = RulerTicks(record.Record(), state, 400);
    EXPECT_EQ(ticks[0].label, "10.00 мс");
    EXPECT_EQ(ticks[4].label, "10.04");
    EXPECT_EQ(ticks[8].label, "10.08");
    // Zoomed out, labels 2.56 ms apart need no decimals.
    state.xScale = 1.0 / 64;
    state.firstSample = 0;
    EXPECT_EQ(RulerTicks(record.Record(), state, 400)[4].label, "3");
}

TEST(TimeTexts, AMultiRateRecordIsTimedByItsFastestRate)
{
    test::ViewTestRecord record(10);
    Oscillogram& osc = record.Record();
    osc.sampleRate = 50;
    osc.rateSegments = {{3200.0, 4}, {50.0, 10}};
    EXPECT_EQ(ShortestSamplePeriod(osc), 312.5);
    osc.rateSegments.clear();
    osc.sampleRate = 0;
    osc.sampleTimes = {0, 500, 500, 700, 1700};
    EXPECT_EQ(ShortestSamplePeriod(osc), 200.0) << "from the time stamps when no rate is declared";
}

TEST(TimeMarks, TriggerAcrossMidnightAndRealRateChanges)
{
    test::ViewTestRecord record(3000);
    Oscillogram& osc = record.Record();
    osc.startDate = "01/02/2020";
    osc.startTime = "23:59:59.500000";
    osc.triggerDate = "02/02/2020";
    osc.triggerTime = "00:00:00.750400";
    EXPECT_EQ(TriggerSample(osc), 1250);
    osc.triggerTime = "00:00:03.000000";
    EXPECT_EQ(TriggerSample(osc), std::nullopt) << "past the record";
    osc.triggerTime.clear();
    EXPECT_EQ(TriggerSample(osc), std::nullopt);

    osc.rateSegments = {{3200.0, 1000}, {3200.5, 2000}, {50.0, 3000}};
    EXPECT_EQ(RateChangeSamples(osc), std::vector<std::int64_t>{2000});
}

TEST(TimeOfDay, RoundsMillisecondsAndWrapsAtMidnight)
{
    test::ViewTestRecord record;
    Oscillogram& osc = record.Record();
    osc.startTime = "23:59:59.9996";
    EXPECT_EQ(TimeOfDay(osc, 0), "00:00:00.000");
    EXPECT_EQ(TimeOfDay(osc, -1'000'000), "23:59:59.000");
    osc.startTime = "not a time";
    EXPECT_EQ(TimeOfDay(osc, 61'500'500), "00:01:01.501");
}

TEST(RulerDate, PutsTheDayFirst)
{
    EXPECT_EQ(RulerDate("25/12/2023"), "25/12/2023");
    EXPECT_EQ(RulerDate("12/25/2023"), "25/12/2023");
    EXPECT_EQ(RulerDate("3/4/21"), "03/04/2021");
    EXPECT_EQ(RulerDate("2023"), "");
}

TEST(RulerTicks, StandEvery25PixelsWithLabelsEveryFourthAboveOneUnderTheSample)
{
    test::ViewTestRecord record(10000);
    ViewState state;
    state.leftMargin = 100;
    state.xScale = 0.5;
    state.firstSample = 10;
    const std::vector<RulerTick> ticks = RulerTicks(record.Record(), state, 300);
    ASSERT_EQ(ticks.size(), 9u);
    EXPECT_EQ(ticks[1].x, 125);
    EXPECT_EQ(ticks[0].length, 10);
    EXPECT_EQ(ticks[2].length, 7);
    EXPECT_EQ(ticks[3].length, 5);
    EXPECT_EQ(ticks[0].label, "10 мс");
    EXPECT_EQ(ticks[3].label, "");
    EXPECT_EQ(ticks[4].label, "18");
    EXPECT_EQ(ticks[8].label, "26");

    state.leftMargin = 0;
    state.xScale = 2.0;
    state.firstSample = 0;
    state.rulerState = RulerUnit::Samples;
    const std::vector<RulerTick> zoomed = RulerTicks(record.Record(), state, 200);
    EXPECT_EQ(zoomed[4].label, "3");
    EXPECT_EQ(zoomed[8].label, "5");
}

} // namespace
} // namespace zarva
