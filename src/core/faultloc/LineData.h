#pragma once

#include "core/faultloc/LineModel.h"
#include "core/faultloc/LocatorInput.h"

#include <string>
#include <vector>

namespace zarva {

// A parallel line coupled to a section: its zero-sequence mutual impedance per km and the
// channel of its residual current (empty: not measured, the coupling is left out).
struct ParallelCoupling {
    Phasor zm;
    std::string residual;
};

// One section as the algorithms use it: impedances in ohm per km, taps in ohm.
struct LineSection {
    double length = 0.0;  // km
    double poles = 1.0;
    Phasor z;   // R + jX, for the isolated-neutral algorithm
    Phasor z1;  // positive (and negative) sequence
    Phasor z0;
    std::vector<ParallelCoupling> parallels;
    std::vector<Phasor> taps;  // zero-sequence paths to earth at the section's far end
};

struct LineData {
    std::vector<LineSection> sections;  // of station 1, from it towards station 2
    double ratedCurrent = 0.0;          // In of station 1, A

    double Length() const;
    // The section holding a distance from station 1, and the distance from that section's
    // start; beyond the line, the last section.
    std::size_t SectionAt(double distance, double* fromStart) const;
};

// The sections of station 1 with their values read as numbers.
LineData ReadLineData(const WrongPlaceLocatorData::LineModel& model);

} // namespace zarva
