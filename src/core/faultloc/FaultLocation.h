#pragma once

#include "core/faultloc/FaultDetector.h"
#include "core/faultloc/LineData.h"
#include "core/faultloc/LocatorInput.h"

#include <array>
#include <vector>

namespace zarva {

// The answer of one computation.
struct LocationResult {
    int algorithm = 0;            // 1, 2 or 4
    bool fault = false;
    std::array<bool, 3> phases{};  // A, B, C
    double distance = 0.0;        // km from station 1
    bool onLine = false;          // false: beyond the line or behind station 1 (adjacent line)
    std::size_t section = 0;      // 1-based, when on the line
    int pole = 0;                 // between poles pole - 1 and pole of that section
    double sectionDistance = 0.0; // km from the section's start
    double errorPercent = 0.0;    // half the spread of the per-sample distances, of the distance
    std::size_t stretchBegin = 0; // the samples the result was taken from
    std::size_t stretchEnd = 0;

    int PhaseCount() const { return phases[0] + phases[1] + phases[2]; }
};

// The answer and the per-sample series it was taken from.
struct Location {
    LocationResult result;
    std::vector<double> distances;  // km per sample, 0 without a fault, NaN without an answer
    std::vector<FaultFlags> flags;
};

// Runs the algorithm of `type` over the phasors. Raises CZarvaException 349 when the line has
// no sections or no rated current, and 3457 when a fault was seen but no sample of it gave a
// distance.
Location LocateFault(const LocatorInput& input, const LineData& line, int type);

} // namespace zarva
