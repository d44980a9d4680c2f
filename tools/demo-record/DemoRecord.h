#pragma once

#include "DemoParameters.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zarva::demo {

// The record as the recorder at M sees it, in secondary values, one entry per sample.
struct DemoSamples {
    std::vector<double> time;                    // s from the first sample
    std::array<std::vector<double>, 3> voltage;  // Ua, Ub, Uc, V
    std::array<std::vector<double>, 3> current;  // Ia, Ib, Ic, A
    std::vector<double> residualCurrent;         // 3I0 = Ia + Ib + Ic, A
    std::vector<std::uint8_t> start;             // protection start
    std::vector<std::uint8_t> trip;              // trip command

    std::array<double, 3> poleClearing{};  // s, the current zero at which each pole cleared
};

// Currents follow the steady states, with a DC offset at inception that keeps each phase
// current continuous and decays with the fault loop's time constant; bus voltages are the
// source EMFs less the drop across the source impedance, including its inductive part.
// After a pole clears, the phases still closed keep their fault currents: the network
// change between the first and the last pole is left out.
DemoSamples Simulate(const DemoParameters& parameters);

} // namespace zarva::demo
