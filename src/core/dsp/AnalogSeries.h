#pragma once

#include "core/model/Channel.h"

#include <cstdint>
#include <vector>

namespace zarva {

class LoadProgress;

// The per-sample series Recompute keeps for an analog channel.
struct AnalogSeries {
    std::vector<double> instant;  // empty when the instantaneous values are the samples
    std::vector<double> display;  // empty when the curve mode is instantaneous
    std::vector<Phasor> phasors;
    bool cancelled = false;
};

// Builds the series of an analog channel whose displayRatio and dcMean are current: the
// same values the window measures give at each sample (Value, Rms(i, 1), HarmonicRms(1, i),
// FirstHarmonicPhasor or the tracked phasor), within 1e-9, but in O(1) per sample for the
// nominal forms. Advances `progress` by its step per sample, in batches, and stops when it
// is cancelled.
AnalogSeries BuildAnalogSeries(const Channel& channel, std::int32_t period, LoadProgress& progress);

// The mean of the samples over the first whole periods (raw codes in ADC counts); samples
// that are not numbers count as 0.0, and a record shorter than a period has mean 0.0.
double WholePeriodMean(const Channel& channel, std::int32_t period);

} // namespace zarva
