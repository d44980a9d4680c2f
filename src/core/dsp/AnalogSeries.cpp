#include "core/dsp/AnalogSeries.h"

#include "core/document/Document.h"
#include "core/document/LoadProgress.h"
#include "core/dsp/InstantValue.h"
#include "core/dsp/SlidingHarmonic.h"
#include "core/dsp/TrackingSeries.h"
#include "core/dsp/WindowMeasures.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

namespace zarva {
namespace {

// Samples handled between two looks at the progress counters and the cancel flag; small
// enough that a batch's values are still in cache for its later steps.
constexpr std::int64_t kBatch = 16384;

enum class CurveMode { Instant, Rms, FirstHarmonic };

CurveMode CurveModeOf(const Channel& channel)
{
    if (channel.HasFlag(display::kCurveRms))
        return CurveMode::Rms;
    if (channel.HasFlag(display::kCurveFirstHarmonic))
        return CurveMode::FirstHarmonic;
    return CurveMode::Instant;
}

bool ShowsSamplesUnchanged(const Channel& channel, const SampleSummary& summary)
{
    return channel.displayRatio == 1.0 && !summary.hasNaN &&
           !channel.HasFlag(display::kAdcCounts | display::kDcRemoved | display::kInverted);
}

// Fills the series one batch at a time, writing every entry once: the instantaneous values
// when they differ from the samples, then the curve-mode and phasor series, keeping the
// extremes of what is shown on the way.
class SeriesFiller {
public:
    SeriesFiller(const Channel& channel, std::int32_t period, const SampleSummary& summary,
                 AnalogSeries& out)
        : channel_(channel),
          period_(period),
          out_(out),
          transform_(channel),
          mode_(CurveModeOf(channel)),
          supplied_(channel.HasFlag(display::kSuppliedPhasors)),
          factor_(channel.owner->oscillogram.firstHarmonicFactor),
          samplesTooLarge_(SlidingHarmonic::TooLarge(summary.largestMagnitude))
    {
        const std::size_t count = channel.samples.size();
        out_.extremes = {};
        if (ShowsSamplesUnchanged(channel, summary)) {
            out_.instant = {};
            if (mode_ == CurveMode::Instant)
                out_.extremes = summary.extremes;
        } else {
            out_.instant.resize(count);
        }
        // The shown values keep missing samples missing; the windows count them as 0.
        if (summary.hasNaN)
            counted_.resize(count);
        x_ = out_.instant.empty() ? std::span<const double>(channel.samples)
             : summary.hasNaN     ? std::span<const double>(counted_)
                                  : std::span<const double>(out_.instant);
        if (mode_ == CurveMode::Instant)
            out_.display = {};
        else
            out_.display.resize(count);
        out_.phasors.resize(count);
        if (supplied_)
            FillSupplied();
        const bool needsWindow = NeedsHarmonic() || mode_ == CurveMode::Rms;
        const Channel* reference = TrackingReference(channel);
        if (needsWindow && period > 0 && reference)
            tracking_.emplace(channel, x_, *reference);
        else if (needsWindow && period > 0 && period <= static_cast<std::int64_t>(count))
            sliding_.emplace(x_, period);
    }

    void Fill(std::int64_t begin, std::int64_t end)
    {
        const bool mayHoldTooLarge = out_.instant.empty() ? samplesTooLarge_ : Transform(begin, end);
        if (tracking_)
            FillTracking(begin, end);
        else if (sliding_)
            FillSliding(begin, end, mayHoldTooLarge);
        else
            FillZeros(begin, end);
    }

private:
    bool NeedsHarmonic() const { return !supplied_ || mode_ == CurveMode::FirstHarmonic; }

    // The instantaneous values of the batch; true when one is too large for running sums.
    bool Transform(std::int64_t begin, std::int64_t end)
    {
        const double* samples = channel_.samples.data();
        double* instant = out_.instant.data();
        bool tooLarge = false;
        for (std::int64_t i = begin; i < end; ++i) {
            instant[i] = transform_.Shown(samples[i]);
            tooLarge |= SlidingHarmonic::TooLarge(instant[i]);
            if (mode_ == CurveMode::Instant)
                out_.extremes.Add(instant[i]);
        }
        if (!counted_.empty()) {
            for (std::int64_t i = begin; i < end; ++i)
                counted_[i] = std::isnan(instant[i]) ? 0.0 : instant[i];
        }
        return tooLarge;
    }

    void FillSupplied()
    {
        const double scale =
            (channel_.HasFlag(display::kInverted) ? -1.0 : 1.0) * channel_.displayRatio;
        const std::size_t given = std::min(channel_.suppliedPhasors.size(), out_.phasors.size());
        for (std::size_t i = 0; i < given; ++i)
            out_.phasors[i] = channel_.suppliedPhasors[i] * scale;
        std::fill(out_.phasors.begin() + static_cast<std::ptrdiff_t>(given), out_.phasors.end(),
                  Phasor());
    }

    void FillSliding(std::int64_t begin, std::int64_t end, bool mayHoldTooLarge)
    {
        switch (mode_) {
        case CurveMode::Instant:
            return FillSlidingAs<CurveMode::Instant>(begin, end, mayHoldTooLarge);
        case CurveMode::Rms:
            return FillSlidingAs<CurveMode::Rms>(begin, end, mayHoldTooLarge);
        case CurveMode::FirstHarmonic:
            return FillSlidingAs<CurveMode::FirstHarmonic>(begin, end, mayHoldTooLarge);
        }
    }

    template <CurveMode mode>
    void FillSlidingAs(std::int64_t begin, std::int64_t end, bool mayHoldTooLarge)
    {
        SlidingSink<mode> sink{*this};
        sliding_->Scan(begin, end, mayHoldTooLarge, sink);
    }

    // Takes the running sums of the windows into the series.
    template <CurveMode mode>
    struct SlidingSink {
        void Windows(std::int64_t first, const SlidingHarmonic::Chunk& sums)
        {
            // Windows that start before the record give zeros.
            const int whole = static_cast<int>(
                std::clamp<std::int64_t>(filler.period_ - 1 - first, 0, sums.count));
            for (int k = 0; k < whole; ++k)
                filler.Store(first + k, Phasor(), [] { return 0.0; }, [] { return 0.0; });
            if (!filler.supplied_) {
                Phasor* phasors = filler.out_.phasors.data() + first;
                for (int k = whole; k < sums.count; ++k)
                    phasors[k] = {sums.re[k], sums.im[k]};
            }
            if (mode == CurveMode::Instant)
                return;
            double* shown = filler.out_.display.data() + first;
            const double period = filler.period_;
            const double factor = filler.factor_;
            Extremes extremes = filler.out_.extremes;
            for (int k = whole; k < sums.count; ++k) {
                // The sums hold no value TooLarge, so the squares cannot overflow.
                shown[k] = mode == CurveMode::Rms
                               ? std::sqrt(std::max(sums.sumOfSquares[k], 0.0) / period)
                               : std::sqrt(sums.re[k] * sums.re[k] + sums.im[k] * sums.im[k]) * factor;
                extremes.Add(shown[k]);
            }
            filler.out_.extremes = extremes;
        }

        void Unreliable(std::int64_t pos)
        {
            const Channel& channel = filler.channel_;
            if (pos < filler.period_ - 1) {
                filler.Store(pos, Phasor(), [] { return 0.0; }, [] { return 0.0; });
                return;
            }
            filler.Store(pos, FirstHarmonicPhasor(channel, pos), [&] { return Rms(channel, pos, 1); },
                         [&] { return HarmonicRms(channel, 1, pos); });
        }

        SeriesFiller& filler;
    };

    void FillTracking(std::int64_t begin, std::int64_t end)
    {
        for (std::int64_t pos = begin; pos < end; ++pos) {
            const Phasor phasor = NeedsHarmonic() ? tracking_->FirstHarmonic(pos) : Phasor();
            Store(pos, phasor, [&] { return tracking_->Rms(pos); },
                  [&] { return std::abs(phasor); });
        }
    }

    // The window is longer than the record.
    void FillZeros(std::int64_t begin, std::int64_t end)
    {
        for (std::int64_t pos = begin; pos < end; ++pos)
            Store(pos, Phasor(), [] { return 0.0; }, [] { return 0.0; });
    }

    template <class RmsOf, class HarmonicOf>
    void Store(std::int64_t pos, Phasor phasor, RmsOf rms, HarmonicOf harmonic)
    {
        const auto i = static_cast<std::size_t>(pos);
        if (!supplied_)
            out_.phasors[i] = phasor;
        if (mode_ == CurveMode::Instant)
            return;
        out_.display[i] = mode_ == CurveMode::Rms ? rms() : harmonic();
        out_.extremes.Add(out_.display[i]);
    }

    const Channel& channel_;
    std::int32_t period_;
    AnalogSeries& out_;
    InstantTransform transform_;
    std::vector<double> counted_;  // the shown values with missing ones as 0, when there are any
    std::span<const double> x_;
    CurveMode mode_;
    bool supplied_;
    double factor_;
    bool samplesTooLarge_;
    std::optional<SlidingHarmonic> sliding_;
    std::optional<TrackingSeries> tracking_;
};

} // namespace

SampleSummary SummariseSamples(const Channel& channel, std::int32_t period)
{
    const std::size_t count = channel.samples.size();
    const std::size_t whole = period > 0 ? count - count % static_cast<std::size_t>(period) : 0;
    const double* samples = channel.samples.data();
    SampleSummary summary;
    double largest = 0.0;
    double high = -DBL_MAX;
    double low = DBL_MAX;
    bool hasNaN = false;
    // Plain extremes here; they are taken again over finite values only when there is an
    // infinite one. A missing sample (NaN) counts as 0 in the mean and is no extreme.
    const auto take = [&](double sample) {
        const bool missing = std::isnan(sample);
        hasNaN |= missing;
        const double value = missing ? 0.0 : sample;
        largest = std::max(largest, std::abs(value));
        high = sample > high ? sample : high;
        low = sample < low ? sample : low;
        return value;
    };
    // Four partial sums keep the additions from waiting on one another.
    double sums[4] = {0.0, 0.0, 0.0, 0.0};
    if (channel.HasFlag(display::kAdcCounts)) {
        for (std::size_t i = 0; i < whole; ++i) {
            const double value = take(samples[i]);
            sums[0] += std::isnan(samples[i]) ? 0.0 : AdcCode(channel, value);
        }
    } else {
        for (std::size_t i = 0; i < whole; ++i)
            sums[i % 4] += take(samples[i]);
    }
    for (std::size_t i = whole; i < count; ++i)
        take(samples[i]);
    summary.hasNaN = hasNaN;
    summary.largestMagnitude = largest;
    summary.extremes = {high, low};
    if (!(largest <= DBL_MAX)) {
        summary.extremes = {};
        for (std::size_t i = 0; i < count; ++i)
            summary.extremes.Add(samples[i]);
    }
    if (whole > 0)
        summary.wholePeriodMean = (sums[0] + sums[1] + sums[2] + sums[3]) / static_cast<double>(whole);
    return summary;
}

void BuildAnalogSeries(const Channel& channel, std::int32_t period, const SampleSummary& summary,
                       LoadProgress& progress, AnalogSeries& series)
{
    SeriesFiller filler(channel, period, summary, series);
    const auto count = static_cast<std::int64_t>(channel.samples.size());
    for (std::int64_t begin = 0; begin < count; begin += kBatch) {
        if (progress.CancelRequested())
            return;
        const std::int64_t end = std::min(count, begin + kBatch);
        filler.Fill(begin, end);
        progress.Advance(static_cast<std::uint64_t>(end - begin));
    }
}

} // namespace zarva
