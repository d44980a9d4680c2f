#include "core/document/SettingsTransfer.h"

#include "core/charbase/CharacteristicChoices.h"
#include "core/diagrams/FrequencyChart.h"
#include "core/diagrams/VectorChart.h"
#include "core/document/Document.h"
#include "core/document/Recompute.h"
#include "core/formats/LoadWarnings.h"
#include "core/formats/SettingsFile.h"
#include "core/model/ChannelKey.h"
#include "core/storage/SettingsStore.h"

#include <set>

namespace zarva {
namespace {

// Every channel section holds its display flags.
constexpr const char* kShowFlagsKey = "ShowFlags";
// A series of the other record's own samples.
constexpr const char* kNetFreqKey = "NetFreq";

SettingsSection WithoutSeries(const SettingsSection& section)
{
    SettingsSection kept;
    for (const auto& [key, value] : section.Values()) {
        if (key != kNetFreqKey)
            kept.SetString(key, value);
    }
    return kept;
}

void TakeComputedChannels(Document& document, const SettingsStore& source)
{
    if (const SettingsSection* computed = source.Find(kCalcChannelsSection))
        document.oscillogram.calcChannels.LoadSettings(*computed);
}

void TakeDiagramChoices(Document& document, const SettingsStore& source)
{
    for (const std::string& name : {std::string(kVectorChartSection), std::string(kFrequencyChartSection),
                                    ChartSection(ChartKind::Circle), ChartSection(ChartKind::Differential)}) {
        if (const SettingsSection* section = source.Find(name))
            document.settings.Section(name) = *section;
    }
}

} // namespace

SettingsTransferReport ApplyRecordSettings(Document& document, const SettingsStore& source)
{
    std::set<std::string> matched;
    const auto applySections = [&](bool computedOnly) {
        for (Channel& channel : document.oscillogram.channels) {
            const bool isComputed = document.oscillogram.calcChannels.Computes(channel.Name());
            const std::string name = ChannelKey(channel);
            const SettingsSection* section = source.Find(name);
            if (isComputed == computedOnly && section != nullptr && section->Values().contains(kShowFlagsKey)) {
                matched.insert(name);
                ReadChannelSettings(channel, WithoutSeries(*section));
            }
        }
    };
    // Formulas may name channels by the aliases the settings give them, and the computed
    // channels they create have sections of their own.
    applySections(false);
    TakeComputedChannels(document, source);
    applySections(true);
    SettingsTransferReport report;
    for (const Channel& channel : document.oscillogram.channels) {
        if (!matched.contains(ChannelKey(channel)) && !document.oscillogram.calcChannels.Computes(channel.Name()))
            report.notInFile.push_back(channel.Name());
    }
    for (const auto& [name, section] : source.Sections()) {
        if (section.Values().contains(kShowFlagsKey) && !matched.contains(name))
            report.notInRecord.push_back(name);
    }
    TakeDiagramChoices(document, source);
    document.progress.Reset();
    RecomputeAll(document);
    report.formulaFailures = FormulaFailures(document.oscillogram.calcChannels);
    return report;
}

} // namespace zarva
