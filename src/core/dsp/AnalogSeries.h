#pragma once

#include "core/dsp/InstantValue.h"
#include "core/dsp/SlidingHarmonic.h"
#include "core/model/Channel.h"
#include "core/view/MinMaxPyramid.h"

#include <cfloat>
#include <cstdint>
#include <memory>
#include <span>

namespace zarva {

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

// What one pass over the samples tells before the series are derived.
struct SampleSummary {
    // The mean over the first whole periods (raw codes in ADC counts), samples that are not
    // numbers counted as 0.0; 0.0 for a record shorter than a period.
    double wholePeriodMean = 0.0;
    bool hasNaN = false;
    double largestMagnitude = 0.0;  // of the samples that are numbers
    // The min/max pyramid of the samples, built in the same pass when the curve drawn is the
    // instantaneous values, so that opening reads the samples once (the curve's pyramid is
    // this one mapped through the display transform); the pass then advances the progress as
    // the survey of the curve would.
    std::shared_ptr<MinMaxPyramid> samplesPyramid;
};

SampleSummary SummariseSamples(const Channel& channel, std::int32_t period);

enum class CurveMode { Instant, Rms, FirstHarmonic };
CurveMode CurveModeOf(const Channel& channel);

// What the series of an analog channel are derived from, taken from the channel as it is
// (displayRatio and dcMean current); the samples are shared, not copied. A period of 0: a
// record without window measures, whose measures are all 0.
struct AnalogInputs {
    AnalogInputs(const Channel& channel, std::int32_t period, const SampleSummary& summary);

    std::shared_ptr<const SampleData> samples;
    InstantSamples instant;    // reads *samples
    bool instantIsSamples;     // the values shown are the samples themselves
    CurveMode mode;
    std::int32_t period;
    double firstHarmonicFactor;
    bool suppliedPhasors;
    std::shared_ptr<const SampleData> reference;  // the frequency followed; null for none
    double samplingRate;
    bool samplesTooLarge;      // for running sums, when instantIsSamples
    std::shared_ptr<MinMaxPyramid> samplesPyramid;  // the summary's, if any

    std::int64_t Count() const { return static_cast<std::int64_t>(samples->Size()); }
    // The instantaneous values of samples [first, first + out.size()) as shown (a missing
    // sample stays missing), and as the windows count them (a missing sample is 0).
    void ReadShown(std::size_t first, std::span<double> out) const;
    void ReadCounted(std::size_t first, std::span<double> out) const;
    // Whether the blocks need running sums or tracked windows at all.
    bool NeedsWindows() const { return !suppliedPhasors || mode != CurveMode::Instant; }
    // Whether the blocks come from running sums, each block going on from the state the one
    // before it left.
    bool Sequential() const { return NeedsWindows() && !reference && period > 0 && period <= Count(); }
};

// The displayed values (RMS or first harmonic; untouched in the instantaneous mode) and the
// phasors (untouched when supplied) of samples [begin, begin + size), begin a multiple of
// kSeriesBlock: the values the window measures give at each sample (Rms(i, 1), HarmonicRms(1,
// i), FirstHarmonicPhasor or the tracked phasor), within 1e-9, in O(1) per sample for the
// nominal forms. Running sums go on from `sums`, the state the block before left (the first
// block starts from a default state), and leave there the state for the next block; so the
// blocks come out the same whether they are asked for one by one or the record at once.
void DeriveAnalogBlock(const AnalogInputs& inputs, std::int64_t begin, std::span<double> display,
                       std::span<Phasor> phasors, SlidingHarmonic::State& sums);

} // namespace zarva
