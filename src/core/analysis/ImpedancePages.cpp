#include "core/analysis/ImpedancePages.h"

#include "core/analysis/PhaseGuess.h"
#include "core/analysis/QuickAnalysis.h"
#include "core/faultloc/LineModel.h"
#include "core/formula/FormulaPatterns.h"
#include "core/storage/SettingsSection.h"

#include <array>
#include <type_traits>

namespace zarva {
namespace {

using WrongPlaceLocatorData::LineModel;

const char* const kPhaseNames[3] = {"A", "B", "C"};

// The channel choices under their settings keys; a const page gives const strings.
template <typename Choices>
auto KeysOf(Choices& c) requires std::is_same_v<std::remove_const_t<Choices>, PhaseImpedanceChoices>
{
    using Key = std::pair<const char*, decltype(&c.ia)>;
    return std::array<Key, 7>{{{"UA", &c.ua}, {"UB", &c.ub}, {"UC", &c.uc}, {"IA", &c.ia}, {"IB", &c.ib},
                               {"IC", &c.ic}, {"I0", &c.residual}}};
}

template <typename Choices>
auto KeysOf(Choices& c) requires std::is_same_v<std::remove_const_t<Choices>, LineImpedanceChoices>
{
    using Key = std::pair<const char*, decltype(&c.ia)>;
    return std::array<Key, 9>{{{"UA", &c.ua}, {"UB", &c.ub}, {"UC", &c.uc}, {"UAB", &c.uab}, {"UBC", &c.ubc},
                               {"UCA", &c.uca}, {"IA", &c.ia}, {"IB", &c.ib}, {"IC", &c.ic}}};
}
const char* const kPairNames[3] = {"AB", "BC", "CA"};

} // namespace

LineImpedance LineImpedance::OfModel(const LineModel& model)
{
    LineImpedance total;
    double length = 0.0;
    const auto& station = model.StationAt(0);
    for (std::size_t k = 0; k < station.SectionCount(); ++k) {
        const auto& section = station.SectionAt(k);
        const double l = section.Number("lenght");
        if (!(l > 0.0))
            continue;
        length += l;
        total.r1 += l * section.Number("r1");
        total.x1 += l * section.Number("x1");
        total.r0 += l * section.Number("r0");
        total.x0 += l * section.Number("x0");
    }
    if (length > 0.0) {
        for (double* part : {&total.r1, &total.x1, &total.r0, &total.x0})
            *part /= length;
    }
    return total;
}

void PhaseImpedanceChoices::Prefill(const Oscillogram& record)
{
    GuessPhases(record, Quantity::Voltage, ua, ub, uc);
    GuessPhases(record, Quantity::Current, ia, ib, ic);
}

void PhaseImpedanceChoices::Load(const SettingsSection& section)
{
    for (auto [key, choice] : KeysOf(*this))
        *choice = section.GetString(key, *choice);
    lineFromModel = section.GetInt("lineFromModel", lineFromModel ? 1 : 0) != 0;
    for (auto [key, value] : {std::pair{"R1", &line.r1}, {"X1", &line.x1}, {"R0", &line.r0}, {"X0", &line.x0},
                              {"IMin", &minimumCurrent}})
        *value = section.GetDouble(key, *value);
}

void PhaseImpedanceChoices::Save(SettingsSection& section) const
{
    for (auto [key, choice] : KeysOf(*this))
        section.SetString(key, *choice);
    section.SetInt("lineFromModel", lineFromModel ? 1 : 0);
    for (auto [key, value] : {std::pair{"R1", &line.r1}, {"X1", &line.x1}, {"R0", &line.r0}, {"X0", &line.x0},
                              {"IMin", &minimumCurrent}})
        section.SetDouble(key, *value);
}

void PhaseImpedanceChoices::Plan(FormulaPlan& plan, const LineModel& model) const
{
    const LineImpedance z = lineFromModel ? LineImpedance::OfModel(model) : line;
    const std::array<std::string, 3> u = FormulaPlan::Arguments(ua, ub, uc, "U");
    const std::array<std::string, 3> i = FormulaPlan::Arguments(ia, ib, ic, "I");
    const std::string i0 = residual.empty() ? BuildFormula("3I0: (%s, %s, %s)", {i[0], i[1], i[2]})
                                            : FormulaPlan::Argument(residual, "3I0");
    for (int k = 0; k < 3; ++k) {
        const std::string formula =
            BuildFormula("Mod:(Zf: (%s, %s, %s, 0, %s, %s, 0, %s, %s, 0, %s))",
                         {u[k], i[k], i0, NumberArgument(z.r0), NumberArgument(z.r1), NumberArgument(z.x0),
                          NumberArgument(z.x1), NumberArgument(minimumCurrent)});
        plan.Add(std::string("Zf") + kPhaseNames[k], formula);
    }
}

void LineImpedanceChoices::Prefill(const Oscillogram& record)
{
    GuessPhases(record, Quantity::Voltage, ua, ub, uc);
    GuessInto(uab, record, Quantity::Voltage, Phase::AB);
    GuessInto(ubc, record, Quantity::Voltage, Phase::BC);
    GuessInto(uca, record, Quantity::Voltage, Phase::CA);
    GuessPhases(record, Quantity::Current, ia, ib, ic);
    if (uab.empty() && !ua.empty())
        phaseVoltages = true;
}

void LineImpedanceChoices::Load(const SettingsSection& section)
{
    for (auto [key, choice] : KeysOf(*this))
        *choice = section.GetString(key, *choice);
    phaseVoltages = section.GetInt("phaseVoltState", phaseVoltages ? 1 : 0) != 0;
    minimumCurrent = section.GetDouble("IMin", minimumCurrent);
}

void LineImpedanceChoices::Save(SettingsSection& section) const
{
    for (auto [key, choice] : KeysOf(*this))
        section.SetString(key, *choice);
    section.SetInt("phaseVoltState", phaseVoltages ? 1 : 0);
    section.SetDouble("IMin", minimumCurrent);
}

void LineImpedanceChoices::Plan(FormulaPlan& plan) const
{
    const std::array<std::string, 3> i = FormulaPlan::Arguments(ia, ib, ic, "I");
    std::array<std::string, 3> u;
    if (phaseVoltages) {
        // The loop function reads its voltage from a channel: the line voltages are made first.
        const std::array<std::string, 3> p = FormulaPlan::Arguments(ua, ub, uc, "U");
        for (int k = 0; k < 3; ++k)
            u[k] = QuoteChannelName(plan.Add(std::string("U") + kPairNames[k],
                                             BuildFormula("Ulf: (%s, %s)", {p[k], p[(k + 1) % 3]})));
    } else {
        u = {FormulaPlan::Argument(uab, "Uab"), FormulaPlan::Argument(ubc, "Ubc"), FormulaPlan::Argument(uca, "Uca")};
    }
    for (int k = 0; k < 3; ++k) {
        plan.Add(std::string("Zl") + kPairNames[k],
                 BuildFormula("Mod:(Zl: (%s, %s, %s, %s))", {u[k], i[k], i[(k + 1) % 3], NumberArgument(minimumCurrent)}));
    }
}

} // namespace zarva
