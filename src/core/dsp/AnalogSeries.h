#pragma once

#include "core/model/Channel.h"

#include <cfloat>
#include <cstdint>
#include <vector>

namespace zarva {

class LoadProgress;

// The largest and smallest finite values seen.
struct Extremes {
    double high = -DBL_MAX;
    double low = DBL_MAX;

    void Add(double value)
    {
        const bool finite = value > -DBL_MAX && value < DBL_MAX;
        high = finite && value > high ? value : high;
        low = finite && value < low ? value : low;
    }
};

// What one pass over the samples tells before the series are built.
struct SampleSummary {
    // The mean over the first whole periods (raw codes in ADC counts), samples that are not
    // numbers counted as 0.0; 0.0 for a record shorter than a period.
    double wholePeriodMean = 0.0;
    bool hasNaN = false;
    double largestMagnitude = 0.0;  // of the samples that are numbers
    Extremes extremes;              // of the samples
};

SampleSummary SummariseSamples(const Channel& channel, std::int32_t period);

// The per-sample series Recompute keeps for an analog channel, and the extremes of the
// displayed one over its finite values.
struct AnalogSeries {
    std::vector<double> instant;  // empty when the instantaneous values are the samples
    std::vector<double> display;  // empty when the curve mode is instantaneous
    std::vector<Phasor> phasors;
    Extremes extremes;  // of the displayed series
};

// Builds the series of an analog channel whose displayRatio and dcMean are current (a
// period of 0: a record without window measures, whose measures are all 0): the
// same values the window measures give at each sample (Value, Rms(i, 1), HarmonicRms(1, i),
// FirstHarmonicPhasor or the tracked phasor), within 1e-9, but in O(1) per sample for the
// nominal forms. Reuses the room of the vectors in `series`. Advances `progress` by its step
// per sample, in batches, and stops when it is cancelled.
void BuildAnalogSeries(const Channel& channel, std::int32_t period, const SampleSummary& summary,
                       LoadProgress& progress, AnalogSeries& series);

} // namespace zarva
