#include "core/charbase/CharacteristicChoices.h"

#include "core/storage/SettingsStore.h"

namespace zarva {
namespace {

const std::string kSelectedBlock = "SelectedBlock";
const std::string kChoices = "Selected Block";

const SettingsSection* Child(const SettingsSection* section, const std::string& name)
{
    if (!section)
        return nullptr;
    const auto found = section->SubSections().find(name);
    return found == section->SubSections().end() ? nullptr : &found->second;
}

} // namespace

const std::string& ChartSection(ChartKind kind)
{
    static const std::string circle = "Circle Chart";
    static const std::string differential = "Diff Chart";
    return kind == ChartKind::Differential ? differential : circle;
}

void SaveChoices(SettingsStore& settings, ChartKind kind, const BlockType& selected)
{
    SettingsSection& section = settings.Section(ChartSection(kind));
    section.SetString(kSelectedBlock, selected.name);
    SettingsSection& choices = section.SubSection(kChoices);
    choices.Clear();
    for (const Characteristic& characteristic : selected.characteristics) {
        SettingsSection& own = choices.SubSection(characteristic.name);
        own.SetInt("visible", characteristic.visible ? 1 : 0);
        for (const Parameter& parameter : characteristic.parameters)
            own.SubSection(parameter.name).SetString("value", parameter.value);
    }
}

std::string SelectedBlockName(const SettingsStore& settings, ChartKind kind)
{
    const SettingsSection* section = settings.Find(ChartSection(kind));
    return section ? section->GetString(kSelectedBlock) : std::string();
}

void LoadChoices(const SettingsStore& settings, ChartKind kind, BlockType& selected)
{
    const SettingsSection* choices = Child(settings.Find(ChartSection(kind)), kChoices);
    for (Characteristic& characteristic : selected.characteristics) {
        const SettingsSection* own = Child(choices, characteristic.name);
        characteristic.visible = !own || own->GetInt("visible", 1) != 0;
        for (Parameter& parameter : characteristic.parameters) {
            const SettingsSection* stored = Child(own, parameter.name);
            parameter.value = stored ? stored->GetString("value", parameter.defaultValue) : parameter.defaultValue;
        }
    }
}

} // namespace zarva
