#pragma once

#include "core/model/Channel.h"
#include "core/model/Rounding.h"

#include <cmath>
#include <cstdint>

namespace zarva {

// The raw ADC code a stored sample was read from, rounded halves upward; 0.0 when it cannot
// be recovered (a zero scale, a sample that is not finite).
inline double AdcCode(double sample, double offset, double codeScale)
{
    const double code = RoundHalfUp((sample - offset) / codeScale);
    return std::isfinite(code) ? code : 0.0;
}
double AdcCode(const Channel& channel, double sample);

// How a stored analog sample becomes the value shown: display ratio or raw ADC code, DC
// removal, inversion. A result that is not a number becomes 0.0.
class InstantTransform {
public:
    explicit InstantTransform(const Channel& channel);

    // The value shown; a missing sample (NaN) stays missing.
    double Shown(double sample) const
    {
        if (std::isnan(sample))
            return sample;
        const double shown = adcCounts_ ? AdcCode(sample, offset_, codeScale_) : sample * ratio_;
        const double value = sign_ * (shown - dcShift_);
        return std::isnan(value) ? 0.0 : value;
    }

    // The value as the measures count it: a missing sample is 0.0.
    double operator()(double sample) const { return std::isnan(sample) ? 0.0 : Shown(sample); }

    // Whether Shown keeps the order of finite samples, or reverses it when ReversesOrder(), as
    // long as the values shown stay finite: then the extremes shown are those of the samples shown.
    bool KeepsOrder() const
    {
        return !adcCounts_ && std::isfinite(ratio_) && ratio_ != 0.0 && std::isfinite(dcShift_);
    }
    bool ReversesOrder() const { return (ratio_ < 0.0) != (sign_ < 0.0); }

private:
    bool adcCounts_;
    double ratio_;
    double offset_;
    double codeScale_;
    double dcShift_;
    double sign_;
};

// The instantaneous values of one channel by index; 0.0 outside the record. Reads the samples
// it is given, which must outlive it.
class InstantSamples {
public:
    explicit InstantSamples(const Channel& channel) : InstantSamples(channel, channel.samples.Get()) {}
    InstantSamples(const Channel& channel, const SampleData& samples);

    double operator[](std::int64_t i) const
    {
        if (i < 0 || i >= count_)
            return 0.0;
        return Convert(samples_->At(static_cast<std::size_t>(i)));
    }

    // The value the measures count for a stored sample.
    double Convert(double sample) const { return discrete_ ? DiscreteValue(sample) : transform_(sample); }
    // The value shown for a stored analog sample; a missing one stays missing.
    double Shown(double sample) const { return transform_.Shown(sample); }
    const InstantTransform& Transform() const { return transform_; }

    std::int64_t Count() const { return count_; }

private:
    double DiscreteValue(double sample) const;

    const SampleData* samples_;
    std::int64_t count_;
    bool discrete_;
    bool inverted_;
    double ratio_;
    InstantTransform transform_;
};

} // namespace zarva
