#include "MergeTestRecord.h"

#include "core/formats/ErrorOf.h"
#include "core/merge/Synchronisation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <random>

namespace zarva::test {
namespace {

constexpr double kPi = std::numbers::pi;

// One line-frequency wave seen by two recorders: the second starts `lag` seconds later.
// Its amplitude steps from 1 to 5 at `fault` seconds of the first recorder's clock. Each
// recorder adds its own small noise, as real ones do.
std::function<double(double)> Wave(double lag, double fault = 1e9, double hertz = 50.0)
{
    auto noise = std::make_shared<std::minstd_rand>(lag * 1e6 + 1);
    return [=](double t) {
        const double moment = t + lag;
        const double hum = 1e-4 * (static_cast<double>((*noise)()) / std::minstd_rand::max() - 0.5);
        return (moment < fault ? 1.0 : 5.0) * std::sin(2.0 * kPi * hertz * moment + kPi / 3.0) + hum;
    };
}

struct Pair {
    MergeTestRecord own;
    MergeTestRecord other;

    Pair(double lag, double fault, double otherHertz = 50.0)
        : own(1000, 400), other(2000, 800, "01/02/2020", "10:20:30.012300")
    {
        own.Analog("U1", Wave(0.0, fault));
        other.Analog("U2", Wave(lag, fault, otherHertz));
        CopyAll(*other.document, *own.document);
    }

    SyncOutcome Run(SyncMethod method, std::int64_t cursor)
    {
        return Synchronise(*own.document, method, "U1", "U2", cursor);
    }
    double Offset() const { return own.document->merge.mergeOffset; }
};

TEST(StartMoment, ReadsDatesEitherWayRound)
{
    const std::string noon = "12:00:00.000000";
    auto at = [](const std::string& date, const std::string& time) {
        return ParseStartMoment(date, time).microseconds;
    };
    EXPECT_EQ(at("01/01/1970", "00:00:00.000000"), 0);
    EXPECT_EQ(at("12/31/2023", noon), at("31/12/2023", noon));
    EXPECT_EQ(at("06/06/2023", noon) - at("05/06/2023", noon), 86400000000LL);  // day first
    EXPECT_EQ(at("05/06/23", noon), at("05/06/2023", noon));
    EXPECT_EQ(at("01/01/1970", "00:00:01.5"), 1500000);
    EXPECT_EQ(at("01/01/1970", "00:01:00.000001"), 60000001);
    EXPECT_FALSE(ParseStartMoment("01/2020", noon).found);
    EXPECT_EQ(ErrorOf([] { ParseStartMoment("13/13/2020", "12:00:00"); }).MessageId(), messages::kBadFileFormat);
    EXPECT_EQ(ErrorOf([] { ParseStartMoment("01/01/2020", "24:00:00"); }).MessageId(), messages::kBadFileFormat);
}

TEST(Synchronise, ByStartTime)
{
    Pair pair(0.0123, 1e9);
    EXPECT_EQ(pair.Run(SyncMethod::StartTime, 0).statusText, sync_texts::kSucceeded);
    EXPECT_NEAR(pair.Offset(), 0.0123, 1e-9);

    pair.own.record.startTime = "11:20:30.000000";  // an hour later: no overlap
    const SyncOutcome apart = pair.Run(SyncMethod::StartTime, 0);
    EXPECT_EQ(apart.errorMessage, sync_texts::kNoOverlap);
    EXPECT_FALSE(apart.offsetChanged);
    EXPECT_NEAR(pair.Offset(), 0.0123, 1e-9);
}

TEST(Synchronise, ByFaultComponentFindsTheStepInBoth)
{
    Pair pair(0.01, 0.1);  // the fault is at sample 100 of U1 and at sample 180 of U2
    const SyncOutcome outcome = pair.Run(SyncMethod::FaultComponent, 102);
    EXPECT_EQ(outcome.statusText, sync_texts::kSucceeded);
    EXPECT_NEAR(pair.Offset(), 0.01, 0.001 + 1e-9);
}

TEST(Synchronise, ByFaultComponentWantsTheCursorWithinTheRecordAndPastThreePeriods)
{
    MergeTestRecord own(1000, 400);
    own.Analog("U1", Wave(0.0, 0.1));
    CopyAll(*own.document, *own.document);  // the same record pasted: U1(2) at the same rate
    auto run = [&](std::int64_t cursor) {
        own.document->merge.mergeOffset = 0.5;
        return Synchronise(*own.document, SyncMethod::FaultComponent, "U1", "U1(2)", cursor + 500);
    };
    EXPECT_EQ(run(60).statusText, sync_texts::kCursorBefore3Periods);
    EXPECT_EQ(own.document->merge.mergeOffset, 0.5);
    EXPECT_NE(run(61).statusText, sync_texts::kCursorBefore3Periods);
    EXPECT_EQ(run(400).statusText, sync_texts::kCursorBeyondRecord);
}

TEST(Synchronise, ByPrefaultPhaseWithinATenthOfADegree)
{
    Pair pair(0.0123, 1e9);
    pair.own.document->merge.mergeOffset = 0.010;  // a rough start, as from another method
    EXPECT_EQ(pair.Run(SyncMethod::Prefault, 200).statusText, sync_texts::kSucceeded);
    const double degree = 1.0 / 50.0 / 360.0;
    EXPECT_NEAR(pair.Offset(), 0.0123, 0.1 * degree);
}

TEST(Synchronise, ByPrefaultWarnsOfAnUnsteadyStretchYetApplies)
{
    Pair pair(0.0, 1e9, 55.0);
    const SyncOutcome outcome = pair.Run(SyncMethod::Prefault, 200);
    EXPECT_EQ(outcome.statusText, sync_texts::kUnsteadyStretch);
    EXPECT_TRUE(outcome.offsetChanged);
    EXPECT_EQ(pair.Run(SyncMethod::Prefault, 30).statusText, sync_texts::kCursorBefore15Periods);
}

TEST(Synchronise, WithoutTheChannelsNothingHappens)
{
    MergeTestRecord own(1000, 400);
    own.Analog("U1", Wave(0.0));
    own.document->merge.mergeOffset = 0.25;
    EXPECT_FALSE(Synchronise(*own.document, SyncMethod::FaultComponent, "U1", "", 200).offsetChanged);
    EXPECT_FALSE(Synchronise(*own.document, SyncMethod::StartTime, "U1", "", 200).offsetChanged);
    EXPECT_EQ(own.document->merge.mergeOffset, 0.25);
}

} // namespace
} // namespace zarva::test
