#include "SeriesCheck.h"

#include "core/dsp/WindowMeasures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zarva::test {
namespace {

bool Close(double actual, double expected, double scale)
{
    if (!std::isfinite(expected))
        return std::isnan(expected) ? std::isnan(actual) : actual == expected;
    return std::abs(actual - expected) <= 1e-9 * std::abs(expected) + 1e-12 * (1.0 + scale);
}

// The instantaneous value shown: the measures count a missing sample as 0, the curve shows
// it missing.
double ShownValue(const Channel& channel, std::int64_t i)
{
    return std::isnan(channel.samples.At(static_cast<std::size_t>(i))) ? channel.samples.At(static_cast<std::size_t>(i))
                                                                     : Value(channel, i);
}

double Expected(const Channel& channel, std::int64_t i)
{
    if (channel.HasFlag(display::kCurveRms))
        return Rms(channel, i, 1);
    if (channel.HasFlag(display::kCurveFirstHarmonic))
        return HarmonicRms(channel, 1, i);
    return ShownValue(channel, i);
}

Phasor ExpectedPhasor(const Channel& channel, std::int64_t i)
{
    if (channel.HasFlag(display::kSuppliedPhasors)) {
        const auto at = static_cast<std::size_t>(i);
        const double sign = channel.HasFlag(display::kInverted) ? -1.0 : 1.0;
        return channel.suppliedPhasors && at < channel.suppliedPhasors->size()
                   ? (*channel.suppliedPhasors)[at] * (sign * channel.displayRatio)
                   : Phasor();
    }
    if (const Channel* reference = TrackingReference(channel))
        return TrackedPhasor(channel, 1, i, *reference, false, 1);
    return FirstHarmonicPhasor(channel, i);
}

} // namespace

void ExpectSeriesMatchMeasures(const Channel& channel, std::int64_t first, std::int64_t stride,
                               std::int64_t end)
{
    const auto count = static_cast<std::int64_t>(channel.samples.Size());
    ASSERT_EQ(static_cast<std::int64_t>(channel.InstantSeries().Size()), count);
    ASSERT_EQ(static_cast<std::int64_t>(channel.DisplaySeries().Size()), count);
    ASSERT_EQ(static_cast<std::int64_t>(channel.PhasorSeries().Size()), count);
    int failures = 0;
    const std::int64_t last = end > 0 ? std::min(end, count) : count;
    for (std::int64_t i = first; i < last && failures < 5; i += stride) {
        const auto at = static_cast<std::size_t>(i);
        const double scale = Rms(channel, i, 1);
        const double instant = channel.InstantSeries().At(at);
        const double shown = channel.DisplaySeries().At(at);
        const Phasor phasor = channel.PhasorSeries().At(at);
        const Phasor expected = ExpectedPhasor(channel, i);
        const double value = ShownValue(channel, i);
        const bool ok = (std::isnan(value) ? std::isnan(instant) : instant == value) &&
                        Close(shown, Expected(channel, i), scale) &&
                        Close(phasor.real(), expected.real(), scale) &&
                        Close(phasor.imag(), expected.imag(), scale);
        if (!ok) {
            ++failures;
            ADD_FAILURE() << channel.name << " at sample " << i << ": instant " << instant
                          << " vs " << Value(channel, i) << ", shown " << shown << " vs "
                          << Expected(channel, i) << ", phasor " << phasor << " vs " << expected;
        }
    }
}

void InEveryCurveMode(Channel& channel, const std::function<void()>& check)
{
    for (const std::uint32_t mode : {display::kCurveInstant, display::kCurveRms, display::kCurveFirstHarmonic}) {
        channel.SetFlag(display::kCurveModes, false);
        channel.SetFlag(mode, true);
        channel.Recompute();
        SCOPED_TRACE(mode);
        if (check)
            check();
        else
            ExpectSeriesMatchMeasures(channel);
    }
}

} // namespace zarva::test
