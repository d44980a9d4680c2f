#include "core/formats/SettingsFile.h"

#include "core/document/Document.h"
#include "core/formats/CfgFieldReader.h"
#include "core/formats/ComtradeReader.h"
#include "core/model/ChannelKey.h"
#include "core/formats/SampleRate.h"
#include "core/view/ViewSettings.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace zarva {
namespace {

constexpr const char* kRateKey = "DiscretisationFrequensy";
constexpr const char* kShowFlagsKey = "ShowFlags";
constexpr const char* kPrimaryKey = "PrimaryMul";
constexpr const char* kSecondaryKey = "SecondaryMul";
constexpr const char* kAliasKey = "AliasName";
constexpr const char* kNetFreqKey = "NetFreq";
constexpr const char* kCustomColourSetKey = "CustomColorSet";
constexpr const char* kCustomColourKey = "colorCustom";
constexpr const char* kFrequencyReferenceKey = "FrequencyReference";

// What a channel is rather than how it is shown: a settings file never changes them, or an
// edited file could turn a channel of the record into one that is neither drawn nor saved.
constexpr std::uint32_t kKindFlags = display::kSuppliedPhasors | display::kPasted;

void LoadStore(SettingsStore& store, const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        store.Load(path);
        return;
    }
    if (path.string().size() <= 3)
        return;
    const std::filesystem::path older = CompanionPath(path, ".ini");
    if (std::filesystem::exists(older, error))
        store.Load(older);
}

const SettingsSection& SectionOrEmpty(const SettingsStore& store, const std::string& name)
{
    static const SettingsSection kEmpty;
    const SettingsSection* section = store.Find(name);
    return section != nullptr ? *section : kEmpty;
}

// One value per sample from the comma-separated list; a short list leaves the rest 0.
std::vector<double> ParseFrequencies(std::string_view list, std::size_t count)
{
    std::vector<double> values(count, 0.0);
    for (std::size_t k = 0; k < count && !list.empty(); ++k) {
        const std::size_t comma = list.find(',');
        values[k] = ToNumber(list.substr(0, comma));
        list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
    }
    return values;
}

std::string FormatFrequencies(const std::vector<double>& values)
{
    std::string list;
    char number[32];
    for (const double value : values) {
        if (!list.empty())
            list += ',';
        list.append(number, std::to_chars(number, number + sizeof number, value, std::chars_format::general, 6).ptr);
    }
    return list;
}

void ReadChannelKeys(Channel& channel, const SettingsSection& section)
{
    const auto flags = static_cast<std::uint32_t>(section.GetInt(kShowFlagsKey, static_cast<int>(channel.displayFlags)));
    channel.displayFlags = (flags & ~kKindFlags) | (channel.displayFlags & kKindFlags);
    channel.primary = section.GetDouble(kPrimaryKey, channel.primary);
    channel.secondary = section.GetDouble(kSecondaryKey, channel.secondary);
    const std::string alias = section.GetString(kAliasKey, channel.aliasName);
    if (!alias.empty()) {
        channel.aliasName = alias;
        // A computed channel keeps the name its formula goes by.
        if (!channel.HasFlag(display::kSuppliedPhasors))
            channel.name = alias;
    }
    channel.customColourSet = section.GetInt(kCustomColourSetKey, 0) != 0;
    channel.customColour = section.GetInt(kCustomColourKey, 0);
    if (channel.IsAnalog()) {
        const std::string frequencies = section.GetString(kNetFreqKey);
        if (!frequencies.empty())
            channel.lineFrequencySeries = ParseFrequencies(frequencies, channel.samples.Size());
    }
}

void StoreChannelKeys(const Channel& channel, SettingsSection& section)
{
    section.SetInt(kShowFlagsKey, static_cast<int>(channel.displayFlags));
    section.SetDouble(kPrimaryKey, channel.primary);
    section.SetDouble(kSecondaryKey, channel.secondary);
    section.SetString(kAliasKey, channel.aliasName);
    if (channel.IsAnalog() && !channel.lineFrequencySeries.empty())
        section.SetString(kNetFreqKey, FormatFrequencies(channel.lineFrequencySeries));
    section.SetInt(kCustomColourSetKey, channel.customColourSet ? 1 : 0);
    section.SetInt(kCustomColourKey, channel.customColour);
}

void ReadAllChannelKeys(Document& document, bool analogOnly)
{
    for (Channel& channel : document.oscillogram.channels) {
        if (document.progress.CancelRequested())
            return;
        if (!analogOnly || channel.IsAnalog())
            ReadChannelKeys(channel, SectionOrEmpty(document.settings, ChannelKey(channel)));
    }
}

std::optional<CodePage> PageOfSetting(int setting)
{
    for (const CodePage page :
         {CodePage::Windows1251, CodePage::Oem866, CodePage::Gbk, CodePage::Windows1252, CodePage::Utf8}) {
        if (setting == CodePageSetting(page))
            return page;
    }
    if (setting == 1)
        return CodePage::Windows1251;
    return setting == 866 ? std::optional(CodePage::Oem866) : std::nullopt;
}

void ApplyStoredCodePage(Oscillogram& record, const SettingsSection& section)
{
    const CodePage stored = StoredCodePage(section, record.codePage);
    if (stored != record.codePage)
        record.ApplyCodePage(stored);
}

// The frequency the measures track goes by its channel's key, not its place in the list of
// frequency channels, which computed channels can change. One no longer there means none.
int StoredFrequencyReference(const Oscillogram& record, const SettingsSection& section)
{
    const std::string key = section.GetString(kFrequencyReferenceKey);
    for (std::size_t k = 0; k < record.frequencyChannels.size() && !key.empty(); ++k) {
        const std::size_t index = record.frequencyChannels[k];
        if (index < record.channels.size() && ChannelKey(record.channels[index]) == key)
            return static_cast<int>(k) + 1;
    }
    return 0;
}

std::string FrequencyReferenceKey(const Document& document)
{
    const Oscillogram& record = document.oscillogram;
    const int chosen = document.frequencyReference;
    if (chosen <= 0 || static_cast<std::size_t>(chosen) > record.frequencyChannels.size())
        return {};
    const std::size_t index = record.frequencyChannels[static_cast<std::size_t>(chosen) - 1];
    return index < record.channels.size() ? ChannelKey(record.channels[index]) : std::string();
}

} // namespace

// Older versions saved their own guess between the two Cyrillic pages with every record, so
// 0 and 1 choose between those two only: texts found to be in another page keep it.
CodePage StoredCodePage(const SettingsSection& section, CodePage found)
{
    const int setting = section.GetInt(kCodePageKey, CodePageSetting(found));
    const std::optional<CodePage> stored = PageOfSetting(setting);
    const bool cyrillic = found == CodePage::Windows1251 || found == CodePage::Oem866;
    if (!stored || ((setting == 0 || setting == 1) && !cyrillic))
        return found;
    return *stored;
}

int CodePageSetting(CodePage page)
{
    switch (page) {
    case CodePage::Oem866:
        return 0;
    case CodePage::Gbk:
        return 936;
    case CodePage::Windows1252:
        return 1252;
    case CodePage::Utf8:
        return 65001;
    case CodePage::Windows1251:
        break;
    }
    return 1251;
}

void ApplySettingsCodePage(Oscillogram& record, const std::filesystem::path& path)
{
    SettingsStore store;
    LoadStore(store, path);
    ApplyStoredCodePage(record, SectionOrEmpty(store, kOscillogramSection));
}

void ReadSettings(Document& document, const std::filesystem::path& path, bool skipComments)
{
    LoadStore(document.settings, path);
    Oscillogram& record = document.oscillogram;
    if (!skipComments)
        document.annotations.Assign(LoadAnnotations(SectionOrEmpty(document.settings, kCommentsSection), record.SampleCount()));
    const SettingsSection& main = SectionOrEmpty(document.settings, kOscillogramSection);
    // Every period and window divides by the rate: a broken value keeps the record's own.
    // Another rate, as the user corrected it, times the samples too.
    if (const int rate = main.GetInt(kRateKey, record.sampleRate); rate > 0 && rate != record.sampleRate)
        RetimeAtRate(record, rate);
    ApplyStoredCodePage(record, main);
    ReadAllChannelKeys(document, false);
    if (document.progress.CancelRequested())
        return;
    if (const SettingsSection* computed = document.settings.Find(kCalcChannelsSection))
        record.calcChannels.LoadSettings(*computed);
    if (const SettingsSection* line = document.settings.Find(kLocatorSettingsSection))
        document.lineModel.Load(*line);
    // Once more, so that the computed channels just created get their display keys too.
    ReadAllChannelKeys(document, true);
    document.frequencyReference = StoredFrequencyReference(record, main);
    document.cursors = LoadCursors(SectionOrEmpty(document.settings, kViewSection), record.SampleCount(),
                                   record.channels.size());
    LoadMergedRows(record.channels, SectionOrEmpty(document.settings, kViewSection));
}

void StoreSettings(Document& document)
{
    SettingsStore& store = document.settings;
    const Oscillogram& record = document.oscillogram;
    if (!record.calcChannels.Empty() || store.Sections().contains(kCalcChannelsSection))
        record.calcChannels.SaveSettings(store.Section(kCalcChannelsSection));
    if (!document.lineModel.IsDefault() || store.Sections().contains(kLocatorSettingsSection))
        document.lineModel.Save(store.Section(kLocatorSettingsSection));
    for (const Channel& channel : record.channels)
        StoreChannelKeys(channel, store.Section(ChannelKey(channel)));
    SettingsSection& main = store.Section(kOscillogramSection);
    main.SetInt(kCodePageKey, CodePageSetting(record.codePage));
    main.SetInt(kRateKey, record.sampleRate);
    const std::string reference = FrequencyReferenceKey(document);
    if (!reference.empty() || main.Values().contains(kFrequencyReferenceKey))
        main.SetString(kFrequencyReferenceKey, reference);
    if (document.cursors != CursorSet{} || store.Sections().contains(kViewSection))
        SaveCursors(document.cursors, store.Section(kViewSection));
    const bool merged = std::any_of(record.channels.begin(), record.channels.end(),
                                    [](const Channel& channel) { return !channel.group.empty(); });
    if (merged || store.Sections().contains(kViewSection))
        SaveMergedRows(record.channels, store.Section(kViewSection));
    if (!document.annotations.Items().empty() || store.Sections().contains(kCommentsSection))
        SaveAnnotations(document.annotations.Items(), store.Section(kCommentsSection));
}

void WriteSettings(Document& document, const std::filesystem::path& path)
{
    StoreSettings(document);
    document.settings.Save(path);
}

void ReadChannelSettings(Channel& channel, const SettingsSection& section)
{
    ReadChannelKeys(channel, section);
}

} // namespace zarva
