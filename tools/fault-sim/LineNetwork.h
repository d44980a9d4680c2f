#pragma once

#include "ComplexMatrix.h"

#include <array>
#include <string>
#include <vector>

namespace zarva::sim {

using PhaseSet = std::array<Complex, 3>;  // phases A, B, C

// One section of the line: per-kilometre series impedances (positive and zero sequence,
// ohm), shunt capacitances (F), and the zero-sequence mutual impedance to the parallel
// circuit, which runs beside every section when there is one.
struct LineSectionData {
    double length = 50.0;  // km
    Complex z1{0.06, 0.40};
    Complex z0{0.25, 1.20};
    double c1 = 9.0e-9;
    double c0 = 6.0e-9;
    Complex zm{0.20, 0.70};
};

// A source behind a substation: its impedances (ohm) and EMF in per unit of the nominal
// phase voltage, at its angle (degrees).
struct SourceData {
    Complex z1{1.0, 15.0};
    Complex z0{0.8, 10.0};
    double voltage = 1.0;
    double angleDeg = 0.0;
};

enum class FaultKind { AG, BG, CG, AB, BC, CA, ABG, BCG, CAG, ABC };

inline constexpr FaultKind kAllFaultKinds[] = {FaultKind::AG, FaultKind::BG, FaultKind::CG, FaultKind::AB,
                                               FaultKind::BC, FaultKind::CA, FaultKind::ABG, FaultKind::BCG,
                                               FaultKind::CAG, FaultKind::ABC};

const char* FaultName(FaultKind kind);
// Phases A, B, C involved, and whether the fault reaches earth.
std::array<bool, 3> FaultPhases(FaultKind kind);
bool FaultToEarth(FaultKind kind);

// Each faulted phase is joined through `resistance` to the fault point, and that point is
// earthed for the faults to earth. A distance beyond the line puts the fault on a line of
// the last section's kind leaving substation N.
struct FaultData {
    FaultKind kind = FaultKind::AG;
    double distance = 10.0;  // km from M
    double resistance = 0.0;  // ohm
};

// Two substations M and N joined by the sections in order, each behind its source; an
// optional second circuit like the first between the same buses, coupled in zero sequence;
// an optional tap, an earthed zero-sequence path at the far end of one section.
struct NetworkData {
    double nominalVoltage = 220e3;  // phase to phase, V
    double frequency = 50.0;
    std::vector<LineSectionData> sections{LineSectionData{}};
    SourceData sourceM;
    SourceData sourceN;
    bool parallelLine = false;
    int tapSection = -1;  // 0-based; -1 for none
    Complex tapZ0{2.0, 40.0};

    double Length() const;
};

// Steady state at one substation: bus voltages, and currents from the bus into the line
// (and into the parallel circuit).
struct EndState {
    PhaseSet voltage{};
    PhaseSet current{};
    PhaseSet parallelCurrent{};
};

// RMS phasors whose angle is that of a sine, primary values.
struct NetworkState {
    EndState m;
    EndState n;
    PhaseSet faultCurrent{};  // from each phase into the fault
    PhaseSet faultVoltage{};  // of the phases at the fault point
};

// The network solved in the phase domain: every stretch of line between neighbouring points
// of interest is an exact distributed-parameter multi-conductor two-port, found from the
// exponential of its telegrapher's equations.
NetworkState SolveNetwork(const NetworkData& network, const FaultData* fault);

// The phase EMFs of a source.
PhaseSet SourceEmf(const NetworkData& network, const SourceData& source);

} // namespace zarva::sim
