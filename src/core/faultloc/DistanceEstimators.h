#pragma once

#include "core/faultloc/FaultDetector.h"
#include "core/faultloc/LineData.h"
#include "core/faultloc/LocatorInput.h"

#include <optional>
#include <vector>

namespace zarva {

// Each gives, per sample, the distance from station 1 in km where the flags show a fault,
// 0 where they show none, and NaN where the sample's equations have no answer. The walk
// over the sections is the same in all three: the fault lies in the first section whose
// own equation puts it inside; past the last, the distance runs on from that section's start.

// Isolated neutral: the loop impedance of the faulted pair, against each section's R + jX
// by reactance (or, when the loop is steeper than the line, by resistance).
std::vector<double> IsolatedNeutralDistances(const LocatorInput& input, const LineData& line,
                                             const std::vector<FaultFlags>& flags);

// Earthed neutral, from station 1 alone: phase-to-earth loops compensated for the earth
// return and the parallel lines' mutual coupling, phase-to-phase loops plain; the fault
// resistance is kept out by a polarising current in phase with the fault current.
std::vector<double> GroundedNeutralDistances(const LocatorInput& input, const LineData& line,
                                             const std::vector<FaultFlags>& flags,
                                             std::optional<std::size_t> preFault);

// Two ends measured together: the fault point is where the voltages brought along the line
// from both ends agree, in negative sequence (positive for three-phase faults).
std::vector<double> TwoEndedDistances(const LocatorInput& input, const LineData& line,
                                      const std::vector<FaultFlags>& flags, std::optional<std::size_t> preFault);

} // namespace zarva
