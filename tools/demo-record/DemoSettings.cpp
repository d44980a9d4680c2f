#include "DemoSettings.h"

#include "core/charbase/CharacteristicChoices.h"
#include "core/diagrams/PlaneChart.h"
#include "core/document/CursorSet.h"
#include "core/faultloc/LineModel.h"
#include "core/formats/SettingsFile.h"
#include "core/formula/CalcChannels.h"
#include "core/model/Channel.h"
#include "core/model/TextFormat.h"

namespace zarva::demo {
namespace {

// The line as the fault locator at M sees it: one section, earthed-neutral network, the
// recorder's phase channels, the CT's primary current as the rated current.
void AddLineModel(SettingsStore& settings, const DemoParameters& p)
{
    using namespace WrongPlaceLocatorData;
    LineModel model;
    model.type = kGroundedNeutral;
    Station& m = model.StationAt(0);
    m.SetValue("obj_name", "ПС Северная");
    m.SetValue("In", ExactText(p.ctPrimary));
    for (const char* key : {"Ia", "Ib", "Ic", "Ua", "Ub", "Uc"})
        m.SetValue(key, key);
    model.StationAt(1).SetValue("obj_name", "ПС Южная");

    Section& line = m.AddSectionAfter(nullptr);
    line.SetValue("lenght", ExactText(p.lineLength));
    line.SetValue("sup_number", std::to_string(p.supportCount));
    for (const auto& [key, value] :
         {std::pair{"r", p.lineZ1PerKm.real()}, {"x", p.lineZ1PerKm.imag()}, {"r1", p.lineZ1PerKm.real()},
          {"x1", p.lineZ1PerKm.imag()}, {"r0", p.lineZ0PerKm.real()}, {"x0", p.lineZ0PerKm.imag()}})
        line.SetValue(key, ExactText(value));
    model.Save(settings.Section(kLocatorSettingsSection));
}

// The phase-A loop impedance in primary ohms, as the distance relay at M measures it (the
// relay settings of the shipped bases are primary), and the residual-current differential
// against the bias of the phase currents, in multiples of the CT's rated current.
void AddComputedChannels(SettingsStore& settings, const DemoParameters& p)
{
    const Complex z0 = p.lineZ0PerKm;
    const Complex z1 = p.lineZ1PerKm;
    const double toPrimaryOhms = (p.vtPrimary / p.vtSecondary) / (p.ctPrimary / p.ctSecondary);
    const std::string rated = ExactText(p.ctSecondary);
    const std::pair<const char*, std::string> formulas[] = {
        {"Za", "Zf: (Ua, Ia, \"3I0\", \"3I0\", " + ExactText(z0.real()) + ", " + ExactText(z1.real()) + ", 0, " +
                   ExactText(z0.imag()) + ", " + ExactText(z1.imag()) + ", 0, 0.1) * " + ExactText(toPrimaryOhms)},
        {"Ra", "Re: (Za)"},
        {"Xa", "Im: (Za)"},
        {"Idiff", "(Mod: (Ia + Ib + Ic) / " + rated + ")[pu]"},
        {"Ibias", "(Mod: (Ia) + Mod: (Ib) + Mod: (Ic)) / (2 * " + rated + ")[pu]"},
    };
    SettingsSection& section = settings.Section(kCalcChannelsSection);
    for (std::size_t k = 0; k < std::size(formulas); ++k)
        section.SetString("Channel" + std::to_string(k), std::string(formulas[k].first) + "," + formulas[k].second);
    settings.Section("Za").SetInt("ShowFlags", static_cast<int>(display::kDefault | display::kSuppliedPhasors | display::kOnCircleDiagram));
}

// Both plane diagrams open on the fault: their blocks chosen, the braking/differential pair
// shown (the resistance pair is there, hidden, beside the complex impedance it repeats), and
// cursors 1 and 2 on the fault and on the load before it.
void AddDiagrams(SettingsStore& settings, const DemoParameters& p)
{
    WritePairs(settings, ChartKind::Circle, {{"Ra", "Xa", false}});
    WritePairs(settings, ChartKind::Differential, {{"Ibias", "Idiff", true}});
    settings.Section(ChartSection(ChartKind::Circle)).SetString("SelectedBlock", "Дистанционная защита, полигональные зоны");
    settings.Section(ChartSection(ChartKind::Differential)).SetString("SelectedBlock", "Дифференциальная защита трансформатора");
    const auto sampleAt = [&p](double seconds) { return static_cast<std::int64_t>(seconds * p.sampleRate + 0.5); };
    const auto samples = static_cast<std::size_t>(sampleAt(p.duration));
    CursorSet cursors;
    cursors.PlaceVertical(0, sampleAt(p.faultInception + 2.0 / p.frequency), samples);
    cursors.PlaceVertical(1, sampleAt(p.faultInception - 2.0 / p.frequency), samples);
    SaveCursors(cursors, settings.Section(kViewSection));
}

} // namespace

SettingsStore DemoSettings(const DemoParameters& parameters)
{
    SettingsStore settings;
    AddLineModel(settings, parameters);
    AddComputedChannels(settings, parameters);
    AddDiagrams(settings, parameters);
    return settings;
}

} // namespace zarva::demo
