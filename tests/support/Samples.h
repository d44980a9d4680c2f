#pragma once

#include "core/model/Channel.h"

#include <memory>
#include <vector>

namespace zarva::test {

// Changes one sample of a channel.
inline void SetSample(Channel& channel, std::size_t i, double value)
{
    std::vector<double> values = channel.samples.View().ToVector();
    values[i] = value;
    channel.samples.Assign(std::move(values));
}

// Gives an analog channel the phasors its phasor series is to report, as the creator of a
// computed channel does, and recomputes it; the record needs a sampling rate.
inline void SupplyPhasors(Channel& channel, std::vector<Phasor> phasors)
{
    channel.suppliedPhasors = std::make_shared<const std::vector<Phasor>>(std::move(phasors));
    channel.SetFlag(display::kSuppliedPhasors, true);
    channel.Recompute();
}

} // namespace zarva::test
