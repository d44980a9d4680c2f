#pragma once

#include "DemoParameters.h"

#include <array>

namespace zarva::demo {

using PhaseSet = std::array<Complex, 3>;  // phases A, B, C, or sequences 0, 1, 2

PhaseSet PhasesFromSequences(const PhaseSet& sequences);

// Steady states of the two-source network before and during the fault, as RMS phasors
// whose angle is that of a sine, primary values.
struct NetworkSolution {
    PhaseSet sourceM;          // phase EMFs behind M
    PhaseSet preFaultCurrent;  // phase currents at M, into the line
    PhaseSet faultCurrent;

    // The fault in sequence terms: currents at M towards the fault, at N towards the fault,
    // and the voltage at the fault point.
    PhaseSet faultSequenceCurrentM;
    PhaseSet faultSequenceCurrentN;
    PhaseSet faultSequenceVoltage;

    // Time constant of the DC offset: X/R of the fault loop (positive, negative and zero
    // sequence impedances seen from the fault, plus three times the fault resistance).
    double timeConstant = 0.0;
};

NetworkSolution SolveNetwork(const DemoParameters& parameters);

} // namespace zarva::demo
