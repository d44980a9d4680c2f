#pragma once

#include <array>
#include <complex>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace zarva {

using Phasor = std::complex<double>;
using PhaseTriple = std::array<Phasor, 3>;  // phases A, B, C, or the line pairs AB, BC, CA

// What the algorithms compute from: per sample, first-harmonic RMS phasors (angle of a sine,
// primary values) over the period ending at the sample; zero before the first whole period.
// Currents flow from the station's bus into the line.
struct StationPhasors {
    std::vector<PhaseTriple> current;
    std::vector<PhaseTriple> voltage;      // phase voltages; empty when not needed
    std::vector<PhaseTriple> lineVoltage;  // Uab, Ubc, Uca; empty when not needed
};

struct LocatorInput {
    std::size_t count = 0;   // samples
    std::size_t period = 0;  // samples per period, the phasor window
    std::array<StationPhasors, 2> stations;
    // Residual currents 3I0 of the parallel lines, by the channel names the model gives.
    std::map<std::string, std::vector<Phasor>> residuals;
};

} // namespace zarva
