#include "TestRecord.h"

#include "core/dsp/WindowMeasures.h"
#include "support/Samples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace zarva {
namespace {

using test::Sine;
using test::TestRecord;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kRoot2 = std::sqrt(2.0);

double AngleOf(Phasor z)
{
    return std::atan2(z.imag(), z.real()) * 180.0 / std::numbers::pi;
}

TEST(Value, ShowsStoredSamplesThroughRatioCodesDcRemovalAndInversionAndDiscreteStates)
{
    TestRecord test(1000);
    Channel& channel = test.AddAnalog("I", {10.5, kNaN, -3.0});
    channel.offset = 0.5;
    channel.multiplier = 2.0;
    channel.displayRatio = 100.0;
    channel.dcMean = 1.0;
    EXPECT_EQ(Value(channel, 0), 1050.0);
    EXPECT_EQ(Value(channel, 1), 0.0);
    EXPECT_EQ(Value(channel, 3), 0.0);
    EXPECT_EQ(Value(channel, -1), 0.0);

    channel.SetFlag(display::kDcRemoved, true);
    EXPECT_EQ(Value(channel, 0), 950.0);
    channel.SetFlag(display::kInverted, true);
    EXPECT_EQ(Value(channel, 0), -950.0);

    // Codes: (10.5 - 0.5) / 2 = 5 and (-3 - 0.5) / 2 = -1.75 -> -2; the mean removed is a
    // code too, not scaled by the ratio.
    channel.SetFlag(display::kAdcCounts, true);
    EXPECT_EQ(Value(channel, 0), -4.0);
    EXPECT_EQ(Value(channel, 2), 3.0);

    // Codes that cannot be recovered count as zero.
    Channel& broken = test.AddAnalog("J", {2.0, 0.0});
    broken.multiplier = 0.0;
    broken.SetFlag(display::kAdcCounts, true);
    EXPECT_EQ(Value(broken, 0), 0.0);
    EXPECT_EQ(Value(broken, 1), 0.0);

    // A discrete channel shows its states, inverted when asked, and has no measures.
    Channel discrete(ChannelKind::Discrete, &test.document);
    discrete.samples.Assign({0.0, 1.0});
    EXPECT_EQ(Value(discrete, 1), 1.0);
    discrete.SetFlag(display::kInverted, true);
    EXPECT_EQ(Value(discrete, 0), 1.0);
    EXPECT_EQ(Value(discrete, 1), 0.0);
    EXPECT_EQ(Rms(discrete, 1, 1), 0.0);
    EXPECT_EQ(FirstHarmonicPhasor(discrete, 1), Phasor());
}

TEST(NominalWindows, EndAtThePositionAndNeedWholePeriodsBeforeIt)
{
    TestRecord test(1000);
    std::vector<double> samples(60);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<double>(i % 7) - 2.0;
    const Channel& channel = test.AddAnalog("U", samples);

    EXPECT_EQ(Rms(channel, 18, 1), 0.0);
    EXPECT_EQ(DcComponent(channel, 18, 1), 0.0);
    EXPECT_EQ(HarmonicRms(channel, 1, 18), 0.0);
    EXPECT_EQ(FirstHarmonicPhasor(channel, 18), Phasor());
    EXPECT_EQ(Rms(channel, 38, 2), 0.0);

    double squares = 0.0;
    double sum = 0.0;
    for (int i = 0; i < 20; ++i) {
        squares += samples[i] * samples[i];
        sum += samples[i];
    }
    EXPECT_DOUBLE_EQ(Rms(channel, 19, 1), std::sqrt(squares / 20.0));
    EXPECT_DOUBLE_EQ(DcComponent(channel, 19, 1), sum / 20.0);
    EXPECT_DOUBLE_EQ(HarmonicRms(channel, 0, 19), std::abs(sum / 20.0));
    EXPECT_GT(Rms(channel, 39, 2), 0.0);
}

TEST(NominalWindows, PeriodlessOrInvalidCallsGiveZeroWithoutTouchingMemory)
{
    TestRecord test(1000);
    const Channel& channel = test.AddSampled("U", 100, Sine(1.0, 50.0, 0.0));
    constexpr auto kFar = std::numeric_limits<std::int64_t>::max();
    constexpr auto kBefore = std::numeric_limits<std::int64_t>::min();
    for (const std::int64_t pos : {kFar, kBefore}) {
        EXPECT_EQ(Rms(channel, pos, 1), 0.0);
        EXPECT_EQ(DcComponent(channel, pos, 3), 0.0);
        EXPECT_EQ(HarmonicRmsOverPeriods(channel, 2, pos, 2), 0.0);
        EXPECT_EQ(FaultComponent(channel, pos), 0.0);
        EXPECT_EQ(FirstHarmonicPhasor(channel, pos), Phasor());
    }
    EXPECT_EQ(Rms(channel, 50, 0), 0.0);
    EXPECT_EQ(DcComponent(channel, 50, -1), 0.0);
}

TEST(NominalWindows, PastedChannelUsesItsOwnRate)
{
    TestRecord test(4800, 60.0);
    Channel& pasted = test.AddSampled("P", 100, Sine(1.0, 50.0, 0.0));
    pasted.ownSampleRate = 1000.0;
    EXPECT_EQ(Rms(pasted, 18, 1), 0.0);
    EXPECT_GT(Rms(pasted, 19, 1), 0.0);
}

TEST(FirstHarmonic, SineGivesRealAxisCosineImaginaryAxisAndTheFactorScalesOnlyMagnitudes)
{
    TestRecord test(1000);
    const double at = 0.047;
    const Channel& sine = test.AddSampled("S", 60, Sine(10.0, 50.0, 0.0, at));
    const Channel& cosine = test.AddSampled("C", 60, Sine(10.0, 50.0, 90.0, at));
    const Channel& shifted = test.AddSampled("D", 60, Sine(10.0, 50.0, -35.0, at));

    const Phasor s = FirstHarmonicPhasor(sine, 47);
    EXPECT_NEAR(s.real(), 10.0 / kRoot2, 1e-12);
    EXPECT_NEAR(s.imag(), 0.0, 1e-12);
    const Phasor c = FirstHarmonicPhasor(cosine, 47);
    EXPECT_NEAR(c.real(), 0.0, 1e-12);
    EXPECT_NEAR(c.imag(), 10.0 / kRoot2, 1e-12);
    EXPECT_NEAR(AngleOf(FirstHarmonicPhasor(shifted, 47)), -35.0, 1e-9);
    EXPECT_NEAR(HarmonicRms(sine, 1, 47), 10.0 / kRoot2, 1e-12);
    EXPECT_NEAR(HarmonicRms(sine, 2, 47), 0.0, 1e-12);

    // The correction factor scales the magnitude but not the phasor.
    const Channel& unit = test.AddSampled("U", 60, Sine(1.0, 50.0, 0.0, 0.05));
    test.record.firstHarmonicFactor = 1.0128;
    EXPECT_NEAR(HarmonicRms(unit, 1, 50), 1.0128 / kRoot2, 1e-12);
    EXPECT_NEAR(std::abs(FirstHarmonicPhasor(unit, 50)), 1.0 / kRoot2, 1e-12);
    EXPECT_NEAR(HarmonicRmsOverPeriods(unit, 2, 50, 2), 1.0 / kRoot2, 1e-12);
}

TEST(Harmonics, FindEachComponentOfAMixedSignal)
{
    TestRecord test(2000);
    const auto mixed = [](double t) {
        return -4.0 + Sine(10.0, 50.0, 20.0)(t) + Sine(3.0, 150.0, -60.0)(t);
    };
    const Channel& channel = test.AddSampled("I", 200, mixed);
    EXPECT_NEAR(HarmonicRms(channel, 0, 150), 4.0, 1e-12);
    EXPECT_NEAR(DcComponent(channel, 150, 2), -4.0, 1e-12);
    EXPECT_NEAR(HarmonicRms(channel, 1, 150), 10.0 / kRoot2, 1e-12);
    EXPECT_NEAR(HarmonicRms(channel, 3, 150), 3.0 / kRoot2, 1e-12);
    EXPECT_NEAR(HarmonicRms(channel, 2, 150), 0.0, 1e-12);
    // Bin n of a two-period window is harmonic n / 2.
    EXPECT_NEAR(HarmonicRmsOverPeriods(channel, 6, 150, 2), 3.0 / kRoot2, 1e-12);
    EXPECT_NEAR(HarmonicRmsOverPeriods(channel, 1, 150, 2), 0.0, 1e-12);
    EXPECT_NEAR(Rms(channel, 150, 1), std::sqrt(16.0 + 50.0 + 4.5), 1e-12);
}

TEST(FaultComponent, SteadySineVanishesAndAmplitudeStepShowsForTwoPeriods)
{
    TestRecord test(1000);
    const Channel& steady = test.AddSampled("S", 120, Sine(5.0, 50.0, 10.0));
    EXPECT_EQ(FaultComponent(steady, 39), 0.0);
    for (const std::int64_t pos : {40, 58, 59, 119})
        EXPECT_NEAR(FaultComponent(steady, pos), 0.0, 1e-12);

    const auto stepped = [](double t) { return Sine(t < 0.08 ? 5.0 : 15.0, 50.0, 10.0)(t); };
    const Channel& fault = test.AddSampled("F", 140, stepped);
    EXPECT_NEAR(FaultComponent(fault, 79), 0.0, 1e-12);
    // The second difference answers a lasting change for two periods, then settles.
    EXPECT_NEAR(FaultComponent(fault, 99), 10.0 / kRoot2, 1e-12);
    EXPECT_NEAR(FaultComponent(fault, 119), 10.0 / kRoot2, 1e-12);
    EXPECT_NEAR(FaultComponent(fault, 139), 0.0, 1e-12);
}

// A 45 Hz line sampled at 1000 per second, tracked against a frequency channel.
class Tracking : public ::testing::Test {
protected:
    Tracking()
    {
        test.AddSampled("U", 200, Sine(100.0, 45.0, 30.0, 0.15));
        test.AddAnalog("F", std::vector<double>(180, 45.0));
        test.TrackAgainst(reference());
    }

    const Channel& signal() { return test.record.channels[0]; }
    const Channel& reference() { return test.record.channels[1]; }

    TestRecord test{1000};
};

TEST_F(Tracking, FollowsTheMeasuredFrequencyOnlyWithOneRateAndAReferenceOtherThanTheChannel)
{
    EXPECT_EQ(TrackingReference(signal()), &reference());
    // Within what linear interpolation between 22 samples a period allows.
    EXPECT_NEAR(Rms(signal(), 150, 1), 100.0 / kRoot2, 0.01);
    EXPECT_NEAR(Rms(signal(), 150, 3), 100.0 / kRoot2, 0.01);
    EXPECT_NEAR(HarmonicRms(signal(), 1, 150), 100.0 / kRoot2, 0.01);
    EXPECT_NEAR(HarmonicRmsOverPeriods(signal(), 2, 150, 2), 100.0 / kRoot2, 0.01);
    EXPECT_NEAR(DcComponent(signal(), 150, 1), 0.0, 0.01);
    const Phasor phasor = TrackedPhasor(signal(), 1, 150, reference(), false, 1);
    EXPECT_NEAR(AngleOf(phasor), 30.0, 0.02);
    EXPECT_NEAR(FaultComponent(signal(), 150), 0.0, 0.5);
    // The window is 22 whole samples and a fraction: position 22 is too early.
    EXPECT_EQ(Rms(signal(), 22, 1), 0.0);
    EXPECT_GT(Rms(signal(), 23, 1), 0.0);

    EXPECT_EQ(TrackingReference(reference()), nullptr);
    test.record.rateSegments.push_back(test.record.rateSegments.back());
    EXPECT_EQ(TrackingReference(signal()), nullptr);
    test.record.rateSegments.pop_back();
    test.document.frequencyReference = 2;
    EXPECT_EQ(TrackingReference(signal()), nullptr);
    test.document.frequencyReference = 0;
    EXPECT_EQ(TrackingReference(signal()), nullptr);
}

TEST_F(Tracking, MissingFrequencyMeansFiftyHertz)
{
    Channel& frequency = test.record.channels[1];
    frequency.samples.Assign(std::vector<double>(180, 50.0));
    const double at50 = DcComponent(signal(), 120, 1);
    const Phasor phasor50 = TrackedPhasor(signal(), 1, 120, reference(), false, 1);
    const double fault50 = FaultComponent(signal(), 120);
    for (const double missing : {0.0, -50.0, kNaN}) {
        test::SetSample(frequency, 120, missing);
        EXPECT_EQ(DcComponent(signal(), 120, 1), at50);
        EXPECT_EQ(TrackedPhasor(signal(), 1, 120, reference(), false, 1), phasor50);
    }
    // Past the reference's last sample the RMS is 0; the other forms assume 50 Hz.
    frequency.samples.Assign(std::vector<double>(120, 50.0));
    EXPECT_EQ(Rms(signal(), 120, 1), 0.0);
    EXPECT_EQ(DcComponent(signal(), 120, 1), at50);
    EXPECT_EQ(TrackedPhasor(signal(), 1, 120, reference(), false, 1), phasor50);
    EXPECT_EQ(FaultComponent(signal(), 120), fault50);
}

TEST_F(Tracking, DcTermIsTheMeanInBothFormsNotRootTwoTimesIt)
{
    TestRecord nominal(1000);
    const Channel& plain = nominal.AddSampled("X", 200, [](double t) { return 3.0 + Sine(10.0, 50.0, 0.0)(t); });
    EXPECT_NEAR(HarmonicRms(plain, 0, 150), 3.0, 1e-9);
    test.record.channels[1].samples.Assign(std::vector<double>(180, 50.0));
    const Channel& tracked = test.AddSampled("X", 200, [](double t) { return 3.0 + Sine(10.0, 50.0, 0.0)(t); });
    EXPECT_NEAR(HarmonicRms(tracked, 0, 150), 3.0, 1e-9);
    EXPECT_NEAR(HarmonicRmsOverPeriods(tracked, 0, 150, 3), 3.0, 1e-9);
    EXPECT_NEAR(std::abs(TrackedPhasor(tracked, 0, 150, reference(), true, 2)), 3.0, 1e-9);
    EXPECT_NEAR(HarmonicRms(tracked, 1, 150), 10.0 / kRoot2, 1e-9);
}

TEST_F(Tracking, FaultComponentIsSignedInstantChange)
{
    const auto stepped = [](double t) { return t < 0.1 ? 0.0 : 7.0; };
    const Channel& step = test.AddSampled("S", 200, stepped);
    EXPECT_NEAR(FaultComponent(step, 110), 7.0, 1e-12);
    EXPECT_NEAR(FaultComponent(step, 190), 0.0, 1e-12);
    EXPECT_EQ(FaultComponent(step, 44), 0.0);
}

} // namespace
} // namespace zarva
