#include "core/diagrams/FrequencyChart.h"

#include "core/diagrams/ChannelChoice.h"
#include "core/dsp/WindowMeasures.h"
#include "core/storage/SettingsStore.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zarva {
namespace {

const std::string kSection = kFrequencyChartSection;

// trunc of a non-negative count, saturating at the limits of int; not a number gives 0.
int WholeCount(double value)
{
    if (!(value > 0.0))
        return 0;
    return value >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(value);
}

double SamplesPerNetworkPeriod(const Oscillogram& record)
{
    return record.lineFrequency > 0.0 ? record.sampleRate / record.lineFrequency : 0.0;
}

double FiniteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

} // namespace

int WholePeriods(const Oscillogram& record)
{
    const double perPeriod = SamplesPerNetworkPeriod(record);
    return perPeriod > 0.0 ? WholeCount(static_cast<double>(record.SampleCount()) / perPeriod) : 0;
}

int HarmonicLimit(const Oscillogram& record, int periods)
{
    return WholeCount(SamplesPerNetworkPeriod(record) * 0.5 * periods);
}

int DialogHarmonicLimit(const Oscillogram& record, int periods)
{
    const double limit = static_cast<double>(WholeCount(SamplesPerNetworkPeriod(record) * 0.5)) * periods;
    return WholeCount(limit);
}

FrequencyChartSettings ReadFrequencyChart(SettingsStore& store, const Oscillogram& record)
{
    const SettingsSection& section = store.Section(kSection);
    FrequencyChartSettings settings;
    // A window must span at least one period and, to stay finite, no more than the record.
    settings.numPeriods = std::clamp(section.GetInt("NumPeriods", 1), 1, std::max(1, WholePeriods(record)));
    const int limit = HarmonicLimit(record, settings.numPeriods);
    settings.numHarmonics = std::min(std::max(section.GetInt("NumHarmonics", 10), 1), limit);
    settings.showPersents = section.GetInt("ShowPersents", 0) == 1 ? 1 : 0;
    settings.useRms = section.GetInt("UseRMS", 0) == 1 ? 1 : 0;
    return settings;
}

void WriteFrequencyChart(SettingsStore& store, const FrequencyChartSettings& settings)
{
    SettingsSection& section = store.Section(kSection);
    section.SetInt("NumPeriods", settings.numPeriods);
    section.SetInt("NumHarmonics", settings.numHarmonics);
    section.SetInt("ShowPersents", settings.showPersents);
    section.SetInt("UseRMS", settings.useRms);
}

std::vector<std::size_t> FrequencyChannels(const Oscillogram& record)
{
    return ChannelsWhere(record, [](const Channel& channel) {
        return channel.IsAnalog() && channel.HasFlag(display::kOnFrequencyDiagram);
    });
}

void ShowAllOnFrequencyDiagram(Oscillogram& record, bool show)
{
    for (Channel& channel : record.channels) {
        if (channel.IsAnalog() && !channel.HasFlag(display::kPasted))
            channel.SetFlag(display::kOnFrequencyDiagram, show);
    }
}

Spectrum ComputeSpectrum(const Channel& channel, std::int64_t sample, const FrequencyChartSettings& settings)
{
    const int periods = settings.numPeriods;
    Spectrum spectrum;
    spectrum.amplitudes.resize(static_cast<std::size_t>(std::max(settings.numHarmonics, 0)) + 1);
    for (std::size_t line = 0; line < spectrum.amplitudes.size(); ++line) {
        const double amplitude = HarmonicRmsOverPeriods(channel, static_cast<int>(line), sample, periods);
        spectrum.amplitudes[line] = FiniteOrZero(amplitude);
        spectrum.largest = std::max(spectrum.largest, spectrum.amplitudes[line]);
    }
    if (settings.useRms == 1)
        spectrum.base = FiniteOrZero(Rms(channel, sample, periods));
    else if (static_cast<std::size_t>(periods) < spectrum.amplitudes.size())
        spectrum.base = spectrum.amplitudes[static_cast<std::size_t>(periods)];
    else
        spectrum.base = FiniteOrZero(HarmonicRmsOverPeriods(channel, periods, sample, periods));
    return spectrum;
}

double BarValue(const Spectrum& spectrum, std::size_t line, const FrequencyChartSettings& settings)
{
    const double amplitude = spectrum.amplitudes[line];
    if (!settings.Percent())
        return amplitude;
    return spectrum.base != 0.0 ? amplitude * 100.0 / spectrum.base : 0.0;
}

std::string ChartCaption(const std::string& channelName, const FrequencyChartSettings& settings)
{
    return settings.Percent() ? channelName + ", %" : channelName;
}

} // namespace zarva
