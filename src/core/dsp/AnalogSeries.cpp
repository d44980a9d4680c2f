#include "core/dsp/AnalogSeries.h"

#include "core/document/Document.h"
#include "core/dsp/SlidingHarmonic.h"
#include "core/dsp/TrackingSeries.h"
#include "core/dsp/WindowMeasures.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace zarva {
namespace {

bool ShowsSamplesUnchanged(const Channel& channel, const SampleSummary& summary)
{
    return channel.displayRatio == 1.0 && !summary.hasNaN &&
           !channel.HasFlag(display::kAdcCounts | display::kDcRemoved | display::kInverted);
}

// Takes the running sums of the windows of one block into its series.
template <CurveMode mode>
class SlidingSink {
public:
    SlidingSink(const AnalogInputs& inputs, std::int64_t begin, std::span<double> display, std::span<Phasor> phasors)
        : inputs_(inputs), begin_(begin), display_(display), phasors_(phasors)
    {
    }

    void Windows(std::int64_t first, const SlidingHarmonic::Chunk& sums)
    {
        // Windows that start before the record give zeros.
        const int whole = static_cast<int>(std::clamp<std::int64_t>(inputs_.period - 1 - first, 0, sums.count));
        for (int k = 0; k < whole; ++k)
            Store(first + k, Phasor(), 0.0, 0.0);
        const std::size_t at = static_cast<std::size_t>(first - begin_);
        if (!inputs_.suppliedPhasors) {
            Phasor* phasors = phasors_.data() + at;
            for (int k = whole; k < sums.count; ++k)
                phasors[k] = {sums.re[k], sums.im[k]};
        }
        if (mode == CurveMode::Instant)
            return;
        double* shown = display_.data() + at;
        const double period = inputs_.period;
        const double factor = inputs_.firstHarmonicFactor;
        for (int k = whole; k < sums.count; ++k) {
            // The sums hold no value TooLarge, so the squares cannot overflow.
            shown[k] = mode == CurveMode::Rms ? std::sqrt(std::max(sums.sumOfSquares[k], 0.0) / period)
                                              : std::sqrt(sums.re[k] * sums.re[k] + sums.im[k] * sums.im[k]) * factor;
        }
    }

    void Unreliable(std::int64_t pos)
    {
        if (pos < inputs_.period - 1) {
            Store(pos, Phasor(), 0.0, 0.0);
            return;
        }
        const InstantSamples& x = inputs_.instant;
        const std::int32_t period = inputs_.period;
        Store(pos, NominalFirstHarmonicPhasor(x, pos, period),
              mode == CurveMode::Rms ? NominalRms(x, pos, period) : 0.0,
              mode == CurveMode::FirstHarmonic ? NominalHarmonic(x, 1, pos, period, inputs_.firstHarmonicFactor) : 0.0);
    }

private:
    void Store(std::int64_t pos, Phasor phasor, double rms, double harmonic)
    {
        const auto at = static_cast<std::size_t>(pos - begin_);
        if (!inputs_.suppliedPhasors)
            phasors_[at] = phasor;
        if (mode != CurveMode::Instant)
            display_[at] = mode == CurveMode::Rms ? rms : harmonic;
    }

    const AnalogInputs& inputs_;
    std::int64_t begin_;
    std::span<double> display_;
    std::span<Phasor> phasors_;
};

template <CurveMode mode>
void DeriveSliding(const AnalogInputs& inputs, std::span<const double> x, std::int64_t origin, std::int64_t begin,
                   std::span<double> display, std::span<Phasor> phasors, SlidingHarmonic::State& state)
{
    const std::int64_t end = begin + static_cast<std::int64_t>(std::max(display.size(), phasors.size()));
    const std::span<const double> own = x.subspan(static_cast<std::size_t>(begin - origin));
    const bool mayHoldTooLarge = inputs.instantIsSamples ? inputs.samplesTooLarge
                                                         : std::any_of(own.begin(), own.end(), SlidingHarmonic::TooLarge);
    SlidingHarmonic sums(x, origin, inputs.period);
    sums.Restore(state);
    SlidingSink<mode> sink(inputs, begin, display, phasors);
    sums.Scan(begin, end, mayHoldTooLarge, sink);
    state = sums.Saved();
}

void DeriveTracking(const AnalogInputs& inputs, std::span<const double> x, std::int64_t origin, std::int64_t begin,
                    std::span<double> display, std::span<Phasor> phasors)
{
    TrackingSeries tracking(x, origin, inputs.samplingRate, *inputs.reference);
    const std::size_t size = std::max(display.size(), phasors.size());
    const bool harmonic = !inputs.suppliedPhasors || inputs.mode == CurveMode::FirstHarmonic;
    for (std::size_t k = 0; k < size; ++k) {
        const std::int64_t pos = begin + static_cast<std::int64_t>(k);
        const Phasor phasor = harmonic ? tracking.FirstHarmonic(pos) : Phasor();
        if (!inputs.suppliedPhasors)
            phasors[k] = phasor;
        if (inputs.mode == CurveMode::Rms)
            display[k] = tracking.Rms(pos);
        else if (inputs.mode == CurveMode::FirstHarmonic)
            display[k] = std::abs(phasor);
    }
}

// The first sample the windows of positions [begin, end) reach.
std::int64_t WindowsOrigin(const AnalogInputs& inputs, std::int64_t begin, std::int64_t end)
{
    if (!inputs.reference)
        return std::max<std::int64_t>(0, begin - inputs.period);
    std::int64_t origin = begin;
    for (std::int64_t pos = begin; pos < end; ++pos)
        origin = std::min(origin, pos - TrackingSeries::Reach(pos, inputs.samplingRate, *inputs.reference));
    return std::max<std::int64_t>(0, origin);
}

// The running totals of a summary, copied into locals for each stretch so that the loops keep
// them in registers.
struct SummaryTotals {
    double largest = 0.0;
    bool hasNaN = false;
    double sums[4] = {0.0, 0.0, 0.0, 0.0};

    void AddMagnitudes(std::span<const double> values)
    {
        double high = largest;
        bool nan = hasNaN;
        for (const double sample : values) {
            const bool missing = std::isnan(sample);
            nan |= missing;
            high = std::max(high, std::abs(missing ? 0.0 : sample));
        }
        largest = high;
        hasNaN = nan;
    }

    // Four partial sums, value i going to sums[i % 4], keep the additions from waiting on one
    // another; `values` start at a multiple of 4.
    void AddValues(std::span<const double> values)
    {
        const auto counted = [](double sample) { return std::isnan(sample) ? 0.0 : sample; };
        double s0 = sums[0], s1 = sums[1], s2 = sums[2], s3 = sums[3];
        std::size_t k = 0;
        for (; k + 4 <= values.size(); k += 4) {
            s0 += counted(values[k]);
            s1 += counted(values[k + 1]);
            s2 += counted(values[k + 2]);
            s3 += counted(values[k + 3]);
        }
        sums[0] = s0, sums[1] = s1, sums[2] = s2, sums[3] = s3;
        for (; k < values.size(); ++k)
            sums[k % 4] += counted(values[k]);
    }
};

} // namespace

CurveMode CurveModeOf(const Channel& channel)
{
    if (channel.HasFlag(display::kCurveRms))
        return CurveMode::Rms;
    if (channel.HasFlag(display::kCurveFirstHarmonic))
        return CurveMode::FirstHarmonic;
    return CurveMode::Instant;
}

AnalogInputs::AnalogInputs(const Channel& channel, std::int32_t periodSamples, const SampleSummary& summary)
    : samples(channel.samples.Data()),
      instant(channel, *samples),
      instantIsSamples(ShowsSamplesUnchanged(channel, summary)),
      mode(CurveModeOf(channel)),
      period(periodSamples),
      firstHarmonicFactor(channel.owner->oscillogram.firstHarmonicFactor),
      suppliedPhasors(channel.HasFlag(display::kSuppliedPhasors)),
      samplingRate(SamplingRate(channel)),
      samplesTooLarge(SlidingHarmonic::TooLarge(summary.largestMagnitude)),
      samplesPyramid(summary.samplesPyramid)
{
    if (const Channel* tracked = TrackingReference(channel))
        reference = tracked->samples.Data();
}

void AnalogInputs::ReadShown(std::size_t first, std::span<double> out) const
{
    samples->Read(first, out);
    if (instantIsSamples)
        return;
    for (double& value : out)
        value = instant.Shown(value);
}

void AnalogInputs::ReadCounted(std::size_t first, std::span<double> out) const
{
    samples->Read(first, out);
    if (instantIsSamples)
        return;
    for (double& value : out)
        value = instant.Convert(value);
}

void DeriveAnalogBlock(const AnalogInputs& inputs, std::int64_t begin, std::span<double> display,
                       std::span<Phasor> phasors, SlidingHarmonic::State& sums)
{
    const std::int64_t end = begin + static_cast<std::int64_t>(std::max(display.size(), phasors.size()));
    if (!inputs.NeedsWindows())
        return;
    if (inputs.period <= 0 || (!inputs.reference && inputs.period > inputs.Count())) {
        // No window measures, or a window longer than the record.
        std::fill(display.begin(), display.end(), 0.0);
        if (!inputs.suppliedPhasors)
            std::fill(phasors.begin(), phasors.end(), Phasor());
        return;
    }
    const std::int64_t origin = WindowsOrigin(inputs, begin, end);
    std::vector<double> x(static_cast<std::size_t>(end - origin));
    inputs.ReadCounted(static_cast<std::size_t>(origin), x);
    if (inputs.reference)
        return DeriveTracking(inputs, x, origin, begin, display, phasors);
    switch (inputs.mode) {
    case CurveMode::Instant: return DeriveSliding<CurveMode::Instant>(inputs, x, origin, begin, display, phasors, sums);
    case CurveMode::Rms: return DeriveSliding<CurveMode::Rms>(inputs, x, origin, begin, display, phasors, sums);
    case CurveMode::FirstHarmonic:
        return DeriveSliding<CurveMode::FirstHarmonic>(inputs, x, origin, begin, display, phasors, sums);
    }
}

SampleSummary SummariseSamples(const Channel& channel, std::int32_t period)
{
    const Series<double> samples = channel.samples.View();
    const std::size_t count = samples.Size();
    const std::size_t whole = period > 0 ? count - count % static_cast<std::size_t>(period) : 0;
    const bool adcCounts = channel.HasFlag(display::kAdcCounts);
    SummaryTotals totals;
    LoadProgress& progress = channel.owner->progress;
    std::optional<MinMaxPyramid::Builder> pyramid;
    if (CurveModeOf(channel) == CurveMode::Instant && !adcCounts)
        pyramid.emplace();
    samples.ForEachBlock(0, count, [&](std::size_t at, std::span<const double> values) {
        totals.AddMagnitudes(values);
        if (pyramid && progress.CancelRequested())
            pyramid.reset();
        if (pyramid) {
            pyramid->Add(values);
            progress.Advance(values.size());
        }
        const std::span<const double> counted = values.first(at < whole ? std::min(values.size(), whole - at) : 0);
        if (!adcCounts)
            return totals.AddValues(counted);
        for (const double sample : counted)
            totals.sums[0] += std::isnan(sample) ? 0.0 : AdcCode(channel, sample);
    });
    SampleSummary summary;
    summary.hasNaN = totals.hasNaN;
    summary.largestMagnitude = totals.largest;
    if (pyramid)
        summary.samplesPyramid = std::make_shared<MinMaxPyramid>(pyramid->Finish());
    if (whole > 0)
        summary.wholePeriodMean = (totals.sums[0] + totals.sums[1] + totals.sums[2] + totals.sums[3]) / static_cast<double>(whole);
    return summary;
}

} // namespace zarva
