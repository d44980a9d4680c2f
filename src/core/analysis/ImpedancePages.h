#pragma once

#include <string>

namespace zarva {

class FormulaPlan;
class Oscillogram;
class SettingsSection;

namespace WrongPlaceLocatorData {
class LineModel;
}

// The line's per-kilometre impedances that give the earth-fault compensation factor.
struct LineImpedance {
    double r1 = 0.0, x1 = 0.0, r0 = 0.0, x0 = 0.0;

    // The whole line of the model's first station: each section weighted by its length.
    // Zero when the model has no section of positive length.
    static LineImpedance OfModel(const WrongPlaceLocatorData::LineModel& model);
    bool IsZero() const { return r1 == 0.0 && x1 == 0.0; }
};

// "Фазные сопротивления", section "PhaseResistPage": the three phase-to-earth loops
// u / (i + K0·3I0), the residual current measured or summed from the phases.
struct PhaseImpedanceChoices {
    static constexpr const char* kSection = "PhaseResistPage";

    std::string ua, ub, uc, ia, ib, ic;
    std::string residual;         // empty: summed from the phase currents
    bool lineFromModel = true;    // K0 from the record's line model rather than typed
    LineImpedance line;           // typed
    double minimumCurrent = 0.05; // below it the loop is not measured

    void Prefill(const Oscillogram& record);
    void Load(const SettingsSection& section);
    void Save(SettingsSection& section) const;
    // `model` is the record's line model, used when lineFromModel is set.
    void Plan(FormulaPlan& plan, const WrongPlaceLocatorData::LineModel& model) const;
};

// "Междуфазные сопротивления", section "PhaseToPhaseResistPage": the loops AB, BC and CA,
// u_xy / (i_x − i_y), the line voltages measured or made from the phase voltages.
struct LineImpedanceChoices {
    static constexpr const char* kSection = "PhaseToPhaseResistPage";

    std::string ua, ub, uc, uab, ubc, uca, ia, ib, ic;
    bool phaseVoltages = false;  // line voltages made from phase voltages first
    double minimumCurrent = 0.05;

    void Prefill(const Oscillogram& record);
    void Load(const SettingsSection& section);
    void Save(SettingsSection& section) const;
    void Plan(FormulaPlan& plan) const;
};

} // namespace zarva
