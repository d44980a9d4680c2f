#pragma once

#include "core/model/Channel.h"

#include <cstdint>

namespace zarva {

class InstantSamples;

// Measures over the samples of one channel, each over a window that ends at the position,
// inclusive; the record is reached through channel.owner. A window that would start before
// the first sample gives 0.0 or the zero phasor, a discrete channel gives 0.0 (Value
// excepted), and samples that are not numbers count as 0.0. Each call is O(window) and
// allocates nothing. The nominal forms raise CZarvaException 330 when the channel has no
// whole samples per period.
//
// When the record follows the line frequency (TrackingReference is not null) the measures
// integrate over whole periods of the frequency measured at the position instead of over
// the nominal period.

// The instantaneous value as displayed; 0.0 beyond the record.
double Value(const Channel& channel, std::int64_t i);
double Rms(const Channel& channel, std::int64_t pos, int periods);
// RMS magnitude of harmonic n over one period; n = 0 gives |DcComponent|.
double HarmonicRms(const Channel& channel, int n, std::int64_t pos);
// RMS magnitude at bin n of a window of P periods (bin n is n/P times the line frequency).
double HarmonicRmsOverPeriods(const Channel& channel, int n, std::int64_t pos, int periods);
// Signed mean over P periods.
double DcComponent(const Channel& channel, std::int64_t pos, int periods);
// The superimposed component: an RMS over the last period in the nominal form, an
// instantaneous value with sign in the tracking form.
double FaultComponent(const Channel& channel, std::int64_t pos);
// First-harmonic RMS phasor over one nominal period, the angle that of a sine at pos.
Phasor FirstHarmonicPhasor(const Channel& channel, std::int64_t pos);
// Phasor of harmonic n (of bin n of a P-period window when binMode is set) over P periods of
// the frequency read from the reference channel's samples. Harmonic 0 has the mean over the
// window as its modulus, as the nominal form has.
Phasor TrackedPhasor(const Channel& channel, int n, std::int64_t pos, const Channel& reference,
                     bool binMode, int periods);

// The channel whose samples give the frequency the measures of `channel` follow, or null
// when they use the nominal period: the record has one sampling rate and a frequency
// reference is chosen that is not the channel itself.
const Channel* TrackingReference(const Channel& channel);

// Samples per second of the channel: its own rate when it has one, else the record's.
double SamplingRate(const Channel& channel);

// The line frequency the reference channel gives at pos; 50 Hz where it gives none (beyond
// its last sample, or a sample that is 0, negative or not finite).
double ReferenceFrequency(const Channel& reference, std::int64_t pos);
double ReferenceFrequency(const SampleData& reference, std::int64_t pos);

// The nominal forms over given instantaneous values, for series derived from a channel as it
// was: RMS over `width` samples, harmonic n over `width` samples (the factor applied to n = 1),
// and the first-harmonic phasor over one period.
double NominalRms(const InstantSamples& x, std::int64_t pos, std::int64_t width);
double NominalHarmonic(const InstantSamples& x, int n, std::int64_t pos, std::int64_t width,
                       double firstHarmonicFactor);
Phasor NominalFirstHarmonicPhasor(const InstantSamples& x, std::int64_t pos, std::int32_t period);

} // namespace zarva
