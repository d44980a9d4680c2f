#include "core/faultloc/LineModel.h"

#include "core/storage/SettingsSection.h"

#include <initializer_list>
#include <string>

namespace zarva::WrongPlaceLocatorData {
namespace {

constexpr const char* kVersionKey = "ver";
constexpr const char* kTypeKey = "type";
constexpr const char* kParallelLineType = "parLine";
constexpr const char* kConnectionType = "connection";

const SettingsSection& SubOrEmpty(const SettingsSection& section, const std::string& name)
{
    static const SettingsSection kEmpty;
    const auto found = section.SubSections().find(name);
    return found != section.SubSections().end() ? found->second : kEmpty;
}

void SaveProperties(const Element& element, SettingsSection& section)
{
    for (const Property& property : element.Properties())
        section.SetString(property.key, property.value);
}

// Every property from its key; absent keys are empty, except those listed, which are "0".
void LoadProperties(Element& element, const SettingsSection& section, std::initializer_list<const char*> zeroKeys)
{
    for (const Property& property : element.Properties()) {
        bool zero = false;
        for (const char* key : zeroKeys)
            zero = zero || property.key == key;
        element.SetValue(property.key, section.GetString(property.key, zero ? "0" : ""));
    }
}

void SaveSection(const Section& line, SettingsSection& out)
{
    SaveProperties(line, out);
    int child = 0;
    for (const auto& parallel : line.ParallelLines()) {
        SettingsSection& entry = out.SubSection("child" + std::to_string(++child));
        entry.SetString(kTypeKey, kParallelLineType);
        SaveProperties(*parallel, entry);
    }
    for (const auto& tap : line.Connections()) {
        SettingsSection& entry = out.SubSection("child" + std::to_string(++child));
        entry.SetString(kTypeKey, kConnectionType);
        SaveProperties(*tap, entry);
    }
}

void LoadSection(Section& line, const SettingsSection& in)
{
    LoadProperties(line, in, {});
    const std::size_t children = std::min(in.SubSections().size(), LineModel::kMaxChildren);
    for (std::size_t m = 1; m <= children; ++m) {
        const SettingsSection& entry = SubOrEmpty(in, "child" + std::to_string(m));
        if (entry.GetString(kTypeKey) == kParallelLineType)
            LoadProperties(line.AddParallelLine(), entry, {"rm", "xm"});
        else
            LoadProperties(line.AddConnection(), entry, {"r0", "x0"});
    }
}

void LoadStationVersion2(Station& station, const SettingsSection& in)
{
    LoadProperties(station, in, {"In"});
    const std::size_t sections = std::min(in.SubSections().size(), LineModel::kMaxSections);
    for (std::size_t n = 1; n <= sections; ++n)
        LoadSection(station.AddSectionAfter(nullptr), SubOrEmpty(in, "Section" + std::to_string(n)));
}

// The next comma-separated field; the last field keeps any commas of its own.
std::string TakeField(std::string& text, bool last)
{
    const std::size_t comma = last ? std::string::npos : text.find(',');
    std::string field = text.substr(0, comma);
    text = comma == std::string::npos ? std::string() : text.substr(comma + 1);
    return field;
}

// Station 1 only: the rated current, six channel names and sections written as
// "length,R1,X1,poles,comment". The count is trusted only as far as the sections exist.
void LoadVersion1(Station& station, const SettingsSection& in)
{
    LoadProperties(station, SettingsSection(), {"In"});
    station.SetValue("In", in.GetString("I1n", "0"));
    for (const char* key : {"Ia", "Ib", "Ic", "Uab", "Ubc", "Uca"})
        station.SetValue(key, in.GetString(key));
    const int declared = in.GetInt("SectionsNum", 0);
    for (int n = 1; n <= declared && static_cast<std::size_t>(n) <= LineModel::kMaxSections; ++n) {
        const std::string key = "Section" + std::to_string(n);
        if (!in.Values().contains(key))
            break;
        std::string fields = in.GetString(key);
        Section& line = station.AddSectionAfter(nullptr);
        for (const char* property : {"lenght", "r1", "x1", "sup_number", "comment"})
            line.SetValue(property, TakeField(fields, std::string_view(property) == "comment"));
        // These files are computed by the isolated-neutral algorithm, which reads R and X: the
        // positive-sequence values are what it needs.
        line.SetValue("r", line.Value("r1"));
        line.SetValue("x", line.Value("x1"));
    }
}

} // namespace

void LineModel::Save(SettingsSection& section) const
{
    section.Clear();
    section.SetString(kVersionKey, "2");
    section.SetInt(kTypeKey, type);
    for (int k = 0; k < 2; ++k) {
        const Station& station = StationAt(k);
        SettingsSection& out = section.SubSection("Station" + std::to_string(k + 1));
        SaveProperties(station, out);
        for (std::size_t n = 0; n < station.SectionCount(); ++n)
            SaveSection(station.SectionAt(n), out.SubSection("Section" + std::to_string(n + 1)));
    }
}

void LineModel::Load(const SettingsSection& section)
{
    for (Station& station : stations_)
        station.ClearSections();
    if (section.GetString(kVersionKey) == "2") {
        type = section.GetInt(kTypeKey, kIsolatedNeutral);
        for (int k = 0; k < 2; ++k)
            LoadStationVersion2(StationAt(k), SubOrEmpty(section, "Station" + std::to_string(k + 1)));
        return;
    }
    type = kIsolatedNeutral;
    LoadVersion1(StationAt(0), section);
    LoadProperties(StationAt(1), SettingsSection(), {"In"});
}

} // namespace zarva::WrongPlaceLocatorData
