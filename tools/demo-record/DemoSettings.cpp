#include "DemoSettings.h"

#include "core/faultloc/LineModel.h"
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

} // namespace

SettingsStore DemoSettings(const DemoParameters& parameters)
{
    SettingsStore settings;
    AddLineModel(settings, parameters);
    return settings;
}

} // namespace zarva::demo
