#include "core/dsp/AnalogSeries.h"

#include "core/document/LoadProgress.h"
#include "core/document/Document.h"
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

// Samples between two looks at the progress counters and the cancel flag.
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

// True when every instantaneous value is its sample unchanged.
bool ShowsSamplesUnchanged(const Channel& channel)
{
    if (channel.displayRatio != 1.0 ||
        channel.HasFlag(display::kAdcCounts | display::kDcRemoved | display::kInverted))
        return false;
    return std::none_of(channel.samples.begin(), channel.samples.end(),
                        [](double sample) { return std::isnan(sample); });
}

std::vector<double> InstantValues(const Channel& channel)
{
    const InstantTransform transform(channel);
    std::vector<double> values(channel.samples.size());
    std::transform(channel.samples.begin(), channel.samples.end(), values.begin(), transform);
    return values;
}

// Fills the curve-mode and phasor series one batch at a time.
class SeriesFiller {
public:
    SeriesFiller(const Channel& channel, std::int32_t period, std::span<const double> x,
                 AnalogSeries& out)
        : channel_(channel),
          period_(period),
          x_(x),
          out_(out),
          mode_(CurveModeOf(channel)),
          supplied_(channel.HasFlag(display::kSuppliedPhasors)),
          reference_(TrackingReference(channel)),
          factor_(channel.owner->oscillogram.firstHarmonicFactor)
    {
        const bool needsWindow = NeedsHarmonic() || mode_ == CurveMode::Rms;
        if (needsWindow && reference_)
            tracking_.emplace(channel, x, *reference_);
        else if (needsWindow && period <= static_cast<std::int64_t>(x.size()))
            sliding_.emplace(x, period);
        if (mode_ != CurveMode::Instant)
            out_.display.assign(x.size(), 0.0);
        out_.phasors.assign(x.size(), Phasor());
        if (supplied_)
            FillSupplied();
    }

    void Fill(std::int64_t begin, std::int64_t end)
    {
        if (tracking_)
            FillTracking(begin, end);
        else if (sliding_)
            FillSliding(begin, end);
    }

private:
    bool NeedsHarmonic() const { return !supplied_ || mode_ == CurveMode::FirstHarmonic; }

    void FillSupplied()
    {
        const double scale = (channel_.HasFlag(display::kInverted) ? -1.0 : 1.0) * channel_.displayRatio;
        const std::size_t count = std::min(channel_.suppliedPhasors.size(), out_.phasors.size());
        for (std::size_t i = 0; i < count; ++i)
            out_.phasors[i] = channel_.suppliedPhasors[i] * scale;
    }

    void FillSliding(std::int64_t begin, std::int64_t end)
    {
        for (std::int64_t pos = begin; pos < end; ++pos) {
            sliding_->MoveTo(pos);
            if (pos < period_ - 1)
                continue;
            if (sliding_->Unreliable()) {
                Store(pos, FirstHarmonicPhasor(channel_, pos),
                      [&] { return Rms(channel_, pos, 1); },
                      [&] { return HarmonicRms(channel_, 1, pos); });
                continue;
            }
            const Phasor phasor = sliding_->PhasorAtEnd();
            Store(pos, phasor,
                  [&] { return std::sqrt(std::max(sliding_->SumOfSquares(), 0.0) / period_); },
                  [&] { return std::abs(phasor) * factor_; });
        }
    }

    void FillTracking(std::int64_t begin, std::int64_t end)
    {
        for (std::int64_t pos = begin; pos < end; ++pos) {
            const Phasor phasor = NeedsHarmonic() ? tracking_->FirstHarmonic(pos) : Phasor();
            Store(pos, phasor, [&] { return tracking_->Rms(pos); },
                  [&] { return std::abs(phasor); });
        }
    }

    template <class RmsOf, class HarmonicOf>
    void Store(std::int64_t pos, Phasor phasor, RmsOf rms, HarmonicOf harmonic)
    {
        const auto i = static_cast<std::size_t>(pos);
        if (!supplied_)
            out_.phasors[i] = phasor;
        if (mode_ == CurveMode::Rms)
            out_.display[i] = rms();
        else if (mode_ == CurveMode::FirstHarmonic)
            out_.display[i] = harmonic();
    }

    const Channel& channel_;
    std::int32_t period_;
    std::span<const double> x_;
    AnalogSeries& out_;
    CurveMode mode_;
    bool supplied_;
    const Channel* reference_;
    double factor_;
    std::optional<SlidingHarmonic> sliding_;
    std::optional<TrackingSeries> tracking_;
};

} // namespace

AnalogSeries BuildAnalogSeries(const Channel& channel, std::int32_t period, LoadProgress& progress)
{
    AnalogSeries series;
    if (!ShowsSamplesUnchanged(channel))
        series.instant = InstantValues(channel);
    const std::span<const double> x = series.instant.empty() ? std::span<const double>(channel.samples)
                                                             : std::span<const double>(series.instant);
    SeriesFiller filler(channel, period, x, series);
    const auto count = static_cast<std::int64_t>(x.size());
    for (std::int64_t begin = 0; begin < count; begin += kBatch) {
        if (progress.CancelRequested()) {
            series.cancelled = true;
            break;
        }
        const std::int64_t end = std::min(count, begin + kBatch);
        filler.Fill(begin, end);
        progress.Advance(static_cast<std::uint64_t>(end - begin));
    }
    return series;
}

double WholePeriodMean(const Channel& channel, std::int32_t period)
{
    const std::size_t count = channel.samples.size();
    const std::size_t whole = count - count % static_cast<std::size_t>(period);
    if (whole == 0)
        return 0.0;
    const bool codes = channel.HasFlag(display::kAdcCounts);
    double sum = 0.0;
    for (std::size_t i = 0; i < whole; ++i) {
        const double sample = channel.samples[i];
        if (!std::isnan(sample))
            sum += codes ? AdcCode(channel, sample) : sample;
    }
    return sum / static_cast<double>(whole);
}

} // namespace zarva
