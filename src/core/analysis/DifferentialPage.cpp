#include "core/analysis/DifferentialPage.h"

#include "core/analysis/PhaseGuess.h"
#include "core/analysis/QuickAnalysis.h"
#include "core/formula/FormulaPatterns.h"
#include "core/model/Oscillogram.h"
#include "core/storage/SettingsSection.h"

#include <algorithm>
#include <array>

namespace zarva {
namespace {

constexpr int kSumArguments = 24;
const char* const kPhaseNames[3] = {"A", "B", "C"};

// The phase currents of the record in order: every channel the guess takes for that phase.
std::vector<std::string> CurrentsOf(const Oscillogram& record, Phase phase)
{
    std::vector<std::string> names;
    for (const Channel& channel : record.channels) {
        const auto role = GuessRole(channel);
        if (role && role->quantity == Quantity::Current && role->phase == phase &&
            !record.calcChannels.Computes(channel.name))
            names.push_back(channel.name);
    }
    return names;
}

std::string ReductionFormula(const DifferentialLeg& leg, const std::string& current)
{
    switch (leg.reduction) {
    case LegReduction::RatedPower:
        return BuildFormula("CoeffPowerPriv: (%s, %s, %s, %s)", {current, NumberArgument(leg.coefficient),
                                                                  NumberArgument(leg.power), NumberArgument(leg.voltage)});
    case LegReduction::NominalCurrent:
        return BuildFormula("CoeffAmpPriv: (%s, %s, %s)",
                            {current, NumberArgument(leg.coefficient), NumberArgument(leg.nominalCurrent)});
    default:
        return BuildFormula("CoeffPriv: (%s, %s)", {current, NumberArgument(leg.coefficient)});
    }
}

// The leg's three currents on the common base, as formula arguments.
std::array<std::string, 3> PlanLeg(FormulaPlan& plan, const DifferentialLeg& leg, int number)
{
    const std::string suffix = std::to_string(number);
    const std::array<const std::string*, 3> chosen = {&leg.ia, &leg.ib, &leg.ic};
    std::array<std::string, 3> reduced;
    for (int p = 0; p < 3; ++p) {
        const std::string what = std::string("I") + kPhaseNames[p] + suffix;
        reduced[p] = QuoteChannelName(plan.Add("Ired" + std::string(kPhaseNames[p]) + suffix,
                                               ReductionFormula(leg, FormulaPlan::Argument(*chosen[p], what))));
    }
    if (!leg.NeedsCompensation())
        return reduced;
    // Group compensation reads its currents from channels, so it follows the reduction.
    std::array<std::string, 3> compensated;
    for (int p = 0; p < 3; ++p) {
        const std::string pattern = std::string("Mod:(GrsPoslI") + static_cast<char>('a' + p) + ": (%s, %s, %s, %s, %s))";
        compensated[p] = QuoteChannelName(plan.Add(
            "Icmp" + std::string(kPhaseNames[p]) + suffix,
            BuildFormula(pattern, {reduced[0], reduced[1], reduced[2], std::to_string(leg.group),
                                   leg.removeZeroSequence ? "0" : "1"})));
    }
    return compensated;
}

std::string Joined(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const std::string& argument : arguments)
        text += (text.empty() ? "" : ", ") + argument;
    return text;
}

std::string LegKey(int leg, const char* key)
{
    return "Leg" + std::to_string(leg + 1) + key;
}

} // namespace

void DifferentialChoices::Prefill(const Oscillogram& record)
{
    const std::array<std::vector<std::string>, 3> found = {CurrentsOf(record, Phase::A), CurrentsOf(record, Phase::B),
                                                           CurrentsOf(record, Phase::C)};
    for (std::size_t n = 0; n < legs.size(); ++n) {
        const std::array<std::string*, 3> chosen = {&legs[n].ia, &legs[n].ib, &legs[n].ic};
        for (std::size_t p = 0; p < 3; ++p) {
            if (!NamesChannel(record, *chosen[p]))
                chosen[p]->clear();
            if (chosen[p]->empty() && n < found[p].size())
                *chosen[p] = found[p][n];
        }
    }
}

void DifferentialChoices::Load(const SettingsSection& section)
{
    legs.resize(static_cast<std::size_t>(std::clamp(section.GetInt("LegCount", static_cast<int>(legs.size())), 2, kMaxLegs)));
    brakingFactor = section.GetDouble("BrakingFactor", brakingFactor);
    for (int n = 0; n < static_cast<int>(legs.size()); ++n) {
        DifferentialLeg& leg = legs[static_cast<std::size_t>(n)];
        leg.ia = section.GetString(LegKey(n, "IA"), leg.ia);
        leg.ib = section.GetString(LegKey(n, "IB"), leg.ib);
        leg.ic = section.GetString(LegKey(n, "IC"), leg.ic);
        leg.reduction = static_cast<LegReduction>(std::clamp(section.GetInt(LegKey(n, "Reduction"), static_cast<int>(leg.reduction)), 0, 2));
        leg.coefficient = section.GetDouble(LegKey(n, "Coefficient"), leg.coefficient);
        leg.power = section.GetDouble(LegKey(n, "Power"), leg.power);
        leg.voltage = section.GetDouble(LegKey(n, "Voltage"), leg.voltage);
        leg.nominalCurrent = section.GetDouble(LegKey(n, "NominalCurrent"), leg.nominalCurrent);
        leg.group = std::clamp(section.GetInt(LegKey(n, "Group"), leg.group), 0, 11);
        leg.removeZeroSequence = section.GetInt(LegKey(n, "RemoveZero"), leg.removeZeroSequence ? 1 : 0) != 0;
    }
}

void DifferentialChoices::Save(SettingsSection& section) const
{
    section.SetInt("LegCount", static_cast<int>(legs.size()));
    section.SetDouble("BrakingFactor", brakingFactor);
    for (int n = 0; n < static_cast<int>(legs.size()); ++n) {
        const DifferentialLeg& leg = legs[static_cast<std::size_t>(n)];
        section.SetString(LegKey(n, "IA"), leg.ia);
        section.SetString(LegKey(n, "IB"), leg.ib);
        section.SetString(LegKey(n, "IC"), leg.ic);
        section.SetInt(LegKey(n, "Reduction"), static_cast<int>(leg.reduction));
        section.SetDouble(LegKey(n, "Coefficient"), leg.coefficient);
        section.SetDouble(LegKey(n, "Power"), leg.power);
        section.SetDouble(LegKey(n, "Voltage"), leg.voltage);
        section.SetDouble(LegKey(n, "NominalCurrent"), leg.nominalCurrent);
        section.SetInt(LegKey(n, "Group"), leg.group);
        section.SetInt(LegKey(n, "RemoveZero"), leg.removeZeroSequence ? 1 : 0);
    }
}

std::vector<ChannelPair> DifferentialChoices::Plan(FormulaPlan& plan) const
{
    std::vector<std::array<std::string, 3>> perLeg;
    for (std::size_t n = 0; n < legs.size(); ++n)
        perLeg.push_back(PlanLeg(plan, legs[n], static_cast<int>(n) + 1));
    std::vector<ChannelPair> pairs;
    for (int p = 0; p < 3; ++p) {
        std::vector<std::string> currents;
        for (const auto& leg : perLeg)
            currents.push_back(leg[p]);
        currents.resize(kSumArguments, "0");
        std::vector<std::string> braking = currents;
        braking.insert(braking.begin(), NumberArgument(brakingFactor));
        const std::string phase = kPhaseNames[p];
        const std::string differential = plan.Add("Idiff" + phase, "Mod:(GrsSumCur: (" + Joined(currents) + "))");
        const std::string bias = plan.Add("Ibias" + phase, "TormSumCur: (" + Joined(braking) + ")");
        pairs.push_back({bias, differential, true});
    }
    return pairs;
}

} // namespace zarva
