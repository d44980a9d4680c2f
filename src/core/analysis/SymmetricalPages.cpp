#include "core/analysis/SymmetricalPages.h"

#include "core/analysis/PhaseGuess.h"
#include "core/analysis/QuickAnalysis.h"
#include "core/formula/FormulaPatterns.h"
#include "core/storage/SettingsSection.h"

#include <array>
#include <type_traits>

namespace zarva {
namespace {

bool GetBool(const SettingsSection& section, const std::string& key, bool fallback)
{
    return section.GetInt(key, fallback ? 1 : 0) != 0;
}

std::vector<std::string> Phases(const std::string& a, const std::string& b, const std::string& c, const char* what)
{
    const std::array<std::string, 3> three = FormulaPlan::Arguments(a, b, c, what);
    return {three.begin(), three.end()};
}

// The channel choices under their settings keys; a const page gives const strings.
template <typename Choices>
auto KeysOf(Choices& c) requires std::is_same_v<std::remove_const_t<Choices>, SymmetricalChoices>
{
    using Key = std::pair<const char*, decltype(&c.ia)>;
    return std::array<Key, 9>{{{"IA", &c.ia}, {"IB", &c.ib}, {"IC", &c.ic}, {"I0", &c.residual}, {"UA", &c.ua},
                               {"UB", &c.ub}, {"UC", &c.uc}, {"UAB", &c.uab}, {"UBC", &c.ubc}}};
}

template <typename Choices>
auto KeysOf(Choices& c) requires std::is_same_v<std::remove_const_t<Choices>, ZeroSequenceChoices>
{
    using Key = std::pair<const char*, decltype(&c.ia)>;
    return std::array<Key, 8>{{{"IA", &c.ia}, {"IB", &c.ib}, {"IC", &c.ic}, {"I0", &c.currentResidual},
                               {"UA", &c.ua}, {"UB", &c.ub}, {"UC", &c.uc}, {"U0", &c.voltageResidual}}};
}

} // namespace

void SymmetricalChoices::Prefill(const Oscillogram& record)
{
    GuessPhases(record, Quantity::Current, ia, ib, ic);
    GuessInto(residual, record, Quantity::Current, Phase::N);
    GuessPhases(record, Quantity::Voltage, ua, ub, uc);
    GuessInto(uab, record, Quantity::Voltage, Phase::AB);
    GuessInto(ubc, record, Quantity::Voltage, Phase::BC);
}

void SymmetricalChoices::Load(const SettingsSection& section)
{
    for (auto [key, choice] : KeysOf(*this))
        *choice = section.GetString(key, *choice);
    currentsOff = GetBool(section, "currOffState", currentsOff);
    voltagesOff = GetBool(section, "voltOffState", voltagesOff);
    calculateIb = GetBool(section, "calcIBState", calculateIb);
    phaseVoltages = GetBool(section, "phaseVoltState", phaseVoltages) || !GetBool(section, "lineVoltState", !phaseVoltages);
}

void SymmetricalChoices::Save(SettingsSection& section) const
{
    for (auto [key, choice] : KeysOf(*this))
        section.SetString(key, *choice);
    section.SetInt("currOffState", currentsOff ? 1 : 0);
    section.SetInt("voltOffState", voltagesOff ? 1 : 0);
    section.SetInt("calcIBState", calculateIb ? 1 : 0);
    section.SetInt("phaseVoltState", phaseVoltages ? 1 : 0);
    section.SetInt("lineVoltState", phaseVoltages ? 0 : 1);
}

void SymmetricalChoices::Plan(FormulaPlan& plan) const
{
    if (!currentsOff) {
        if (calculateIb) {
            const std::string a = FormulaPlan::Argument(ia, "Ia");
            const std::string c = FormulaPlan::Argument(ic, "Ic");
            const std::string b = QuoteChannelName(
                plan.Add("Ib", BuildFormula("Ib: (%s, %s, %s)", {a, c, FormulaPlan::Argument(residual, "3I0")})));
            plan.Add("I1", BuildFormula("I1: (%s, %s, %s)", {a, b, c}));
            plan.Add("I2", BuildFormula("I2: (%s, %s, %s)", {a, b, c}));
        } else {
            const std::vector<std::string> abc = Phases(ia, ib, ic, "I");
            plan.Add("I1", BuildFormula("I1: (%s, %s, %s)", abc));
            plan.Add("I2", BuildFormula("I2: (%s, %s, %s)", abc));
            plan.Add("3I0", BuildFormula("3I0: (%s, %s, %s)", abc));
        }
    }
    if (voltagesOff)
        return;
    if (phaseVoltages) {
        const std::vector<std::string> abc = Phases(ua, ub, uc, "U");
        plan.Add("U1", BuildFormula("U1f: (%s, %s, %s)", abc));
        plan.Add("U2", BuildFormula("U2f: (%s, %s, %s)", abc));
        plan.Add("3U0", BuildFormula("3U0: (%s, %s, %s)", abc));
    } else {
        const std::vector<std::string> lines = {FormulaPlan::Argument(uab, "Uab"), FormulaPlan::Argument(ubc, "Ubc")};
        plan.Add("U1", BuildFormula("U1l: (%s, %s)", lines));
        plan.Add("U2", BuildFormula("U2l: (%s, %s)", lines));
    }
}

void ZeroSequenceChoices::Prefill(const Oscillogram& record)
{
    GuessPhases(record, Quantity::Current, ia, ib, ic);
    GuessInto(currentResidual, record, Quantity::Current, Phase::N);
    GuessPhases(record, Quantity::Voltage, ua, ub, uc);
    GuessInto(voltageResidual, record, Quantity::Voltage, Phase::N);
}

void ZeroSequenceChoices::Load(const SettingsSection& section)
{
    for (auto [key, choice] : KeysOf(*this))
        *choice = section.GetString(key, *choice);
    currentsOff = GetBool(section, "currOffState", currentsOff);
    voltagesOff = GetBool(section, "voltOffState", voltagesOff);
    currentFromResidual = GetBool(section, "currResidualState", currentFromResidual);
    voltageFromResidual = GetBool(section, "voltResidualState", voltageFromResidual);
}

void ZeroSequenceChoices::Save(SettingsSection& section) const
{
    for (auto [key, choice] : KeysOf(*this))
        section.SetString(key, *choice);
    section.SetInt("currOffState", currentsOff ? 1 : 0);
    section.SetInt("voltOffState", voltagesOff ? 1 : 0);
    section.SetInt("currResidualState", currentFromResidual ? 1 : 0);
    section.SetInt("voltResidualState", voltageFromResidual ? 1 : 0);
}

void ZeroSequenceChoices::Plan(FormulaPlan& plan) const
{
    std::string current;
    std::string voltage;
    if (!currentsOff) {
        current = currentFromResidual ? plan.Add("3I0", BuildFormula("Chan: (%s)", {FormulaPlan::Argument(currentResidual, "3I0")}))
                                      : plan.Add("3I0", BuildFormula("3I0: (%s, %s, %s)", Phases(ia, ib, ic, "I")));
    }
    if (!voltagesOff) {
        voltage = voltageFromResidual ? plan.Add("3U0", BuildFormula("Chan: (%s)", {FormulaPlan::Argument(voltageResidual, "3U0")}))
                                      : plan.Add("3U0", BuildFormula("3U0: (%s, %s, %s)", Phases(ua, ub, uc, "U")));
    }
    if (!current.empty() && !voltage.empty())
        plan.Add("Fi0", BuildFormula("ABSig: (%s, %s)", {QuoteChannelName(voltage), QuoteChannelName(current)}));
}

} // namespace zarva
