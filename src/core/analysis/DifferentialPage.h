#pragma once

#include "core/diagrams/PlaneChart.h"

#include <string>
#include <vector>

namespace zarva {

class FormulaPlan;
class Oscillogram;
class SettingsSection;

enum class LegReduction { Coefficient, RatedPower, NominalCurrent };

// One winding's currents and how they are brought to the common base: multiplied by the
// coefficient (the CT ratio for the other two forms) and divided by the rated current of the
// power at the voltage (kVA, kV) or by the nominal current (A); then turned back by the
// winding's vector group (clock number), with its zero sequence removed or kept.
struct DifferentialLeg {
    std::string ia, ib, ic;
    LegReduction reduction = LegReduction::Coefficient;
    double coefficient = 1.0;
    double power = 0.0;
    double voltage = 0.0;
    double nominalCurrent = 0.0;
    int group = 0;
    bool removeZeroSequence = false;

    bool NeedsCompensation() const { return group % 12 != 0 || removeZeroSequence; }
};

// "Дифференциальные токи", section "DiffCurrentsPage": per phase the differential current
// |Σ legs| ("IdiffA", ...) and the braking current factor·Σ|leg| ("IbiasA", ...).
struct DifferentialChoices {
    static constexpr const char* kSection = "DiffCurrentsPage";
    static constexpr int kMaxLegs = 3;

    std::vector<DifferentialLeg> legs = std::vector<DifferentialLeg>(2);
    double brakingFactor = 0.5;

    // The first leg takes the first set of phase currents the record has, the second the next.
    void Prefill(const Oscillogram& record);
    void Load(const SettingsSection& section);
    void Save(SettingsSection& section) const;
    // The (braking, differential) channel pairs made, per phase: what the differential
    // diagram draws.
    std::vector<ChannelPair> Plan(FormulaPlan& plan) const;
};

} // namespace zarva
