#pragma once

#include <string>

namespace zarva {

class FormulaPlan;
class Oscillogram;
class SettingsSection;

// The choices of "Симметричные составляющие", kept in section "SymmetricItemsPage". Channel
// choices hold channel names; empty means no channel.
struct SymmetricalChoices {
    static constexpr const char* kSection = "SymmetricItemsPage";

    std::string ia, ib, ic;
    std::string residual;  // 3I0, for the phase-B current calculated from A and C
    std::string ua, ub, uc, uab, ubc;
    bool currentsOff = false;
    bool voltagesOff = false;
    bool calculateIb = false;
    bool phaseVoltages = true;  // else line voltages

    // Channels not chosen yet are guessed from the record's names and phases.
    void Prefill(const Oscillogram& record);
    void Load(const SettingsSection& section);
    void Save(SettingsSection& section) const;
    // I1, I2 and 3I0 (or the calculated Ib, then I1 and I2 over it); U1, U2 and 3U0 from
    // phase voltages or U1 and U2 from line voltages.
    void Plan(FormulaPlan& plan) const;
};

// The choices of "Нулевая последовательность", kept in section "NullSequencePage": 3I0 and
// 3U0 from the phases or from a residual channel, and the angle of 3I0 from 3U0 that
// directional earth-fault protection works on.
struct ZeroSequenceChoices {
    static constexpr const char* kSection = "NullSequencePage";

    std::string ia, ib, ic, currentResidual;
    std::string ua, ub, uc, voltageResidual;
    bool currentsOff = false;
    bool voltagesOff = false;
    bool currentFromResidual = false;
    bool voltageFromResidual = false;

    void Prefill(const Oscillogram& record);
    void Load(const SettingsSection& section);
    void Save(SettingsSection& section) const;
    void Plan(FormulaPlan& plan) const;
};

} // namespace zarva
