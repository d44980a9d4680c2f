#pragma once

#include "core/faultloc/LocatorInput.h"

#include <array>
#include <optional>
#include <vector>

namespace zarva {

// What the detector decided at one sample.
struct FaultFlags {
    bool unbalanced = false;  // a fault other than three-phase
    bool threePhase = false;
    std::array<bool, 3> phases{};

    bool Any() const { return unbalanced || threePhase; }
    // a + 2 (b + 2 c), the phases as bits.
    int Code() const { return phases[0] + 2 * (phases[1] + 2 * phases[2]); }
    int PhaseCount() const { return phases[0] + phases[1] + phases[2]; }
};

// Isolated neutral: at every sample from `first`, from station 1's phase currents. No fault
// while |I1| is at most 0.1 In (amplitudes against √2 In); unbalanced when 3 |I2| > |I1|;
// three-phase when balanced above 1.15 In. Every phase but the one with the smallest
// current is flagged for an unbalanced fault.
std::vector<FaultFlags> DetectIsolatedNeutral(const std::vector<PhaseTriple>& currents, std::size_t first,
                                              double ratedCurrent);

// Earthed neutral, at station 1. A fault needs |I1| or |3I0| above 0.1 In; it is unbalanced
// when 4 |I2| > |I1| or 4 |I0| > |I1|, three-phase when balanced and the positive-sequence
// current exceeds 2 In, or it has changed since `reference` by more than 0.5 In, or the
// positive-sequence voltage has fallen below 0.9 of its value there.
// The phases of an unbalanced fault come from the changes of the currents since `reference`
// (the currents themselves without one): of the three differences between phases, the one
// without the faulted phase stays small in a fault to earth (the largest is four times it);
// otherwise the pair of the largest is faulted.
std::vector<FaultFlags> DetectGroundedNeutral(const StationPhasors& station, std::size_t first, double ratedCurrent,
                                              std::optional<std::size_t> reference);

// Two ends: the sum of both stations' currents is the current into the fault, free of load.
// A fault needs a phase of it above 0.1 In; unbalanced as above; three-phase when balanced
// above 1.1 In. A phase is faulted when its current into the fault exceeds a quarter of the
// largest.
std::vector<FaultFlags> DetectTwoEnded(const StationPhasors& near, const StationPhasors& far, std::size_t first,
                                       double ratedCurrent);

// A sample well before the first fault the flags show (two periods before it, but the
// record's first whole period at the earliest; that period when they show none), whose
// phasors serve as the pre-fault state; none when the record starts in a fault.
std::optional<std::size_t> PreFaultSample(const std::vector<FaultFlags>& flags, std::size_t period);

// The stretch of samples a result is taken from: the first run of at least one period of
// samples with a fault (with the same phases throughout when `samePhases`), searched from
// `first`; without one, everything from `first` on.
struct FaultStretch {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool isRun = false;
};
FaultStretch FindStretch(const std::vector<FaultFlags>& flags, std::size_t first, std::size_t period,
                         bool samePhases);

} // namespace zarva
