#include "core/dsp/InstantValue.h"

namespace zarva {

InstantTransform::InstantTransform(const Channel& channel)
    : adcCounts_(channel.HasFlag(display::kAdcCounts)),
      ratio_(channel.displayRatio),
      offset_(channel.ZeroCodeValue()),
      codeScale_(channel.CodeStep()),
      dcShift_(0.0),
      sign_(channel.HasFlag(display::kInverted) ? -1.0 : 1.0)
{
    // In ADC counts the mean is itself a code, so scaling it by the ratio would subtract
    // primary units from codes.
    if (channel.HasFlag(display::kDcRemoved))
        dcShift_ = adcCounts_ ? channel.dcMean : channel.dcMean * channel.displayRatio;
}

InstantSamples::InstantSamples(const Channel& channel, const SampleData& samples)
    : samples_(&samples),
      count_(static_cast<std::int64_t>(samples.Size())),
      discrete_(channel.IsDiscrete()),
      inverted_(channel.HasFlag(display::kInverted)),
      ratio_(channel.displayRatio),
      transform_(channel)
{
}

double InstantSamples::DiscreteValue(double sample) const
{
    if (std::isnan(sample))
        return 0.0;
    const double value = sample * ratio_;
    if (inverted_)
        return value == 0.0 ? 1.0 : 0.0;
    return value;
}

double AdcCode(const Channel& channel, double sample)
{
    return AdcCode(sample, channel.ZeroCodeValue(), channel.CodeStep());
}

} // namespace zarva
