#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zarva {

class Channel;
class Oscillogram;
class SettingsStore;

// The record settings section of the diagram's options.
inline constexpr const char* kFrequencyChartSection = "Frequency Chart";

// The frequency diagram's options, kept in the record's "Frequency Chart" section.
struct FrequencyChartSettings {
    int numPeriods = 1;     // P: length of the analysis window in network periods
    int numHarmonics = 10;  // the highest spectral line shown
    int showPersents = 0;   // 0 percent of the base, 1 absolute values
    int useRms = 0;         // base of the percentages: 0 the fundamental, 1 the RMS

    bool Percent() const { return showPersents == 0; }
    bool operator==(const FrequencyChartSettings&) const = default;
};

// Whole network periods in the record: the most periods a window may span.
int WholePeriods(const Oscillogram& record);
// trunc(fs / fnet × 0.5 × P): the highest line a window of P periods resolves.
int HarmonicLimit(const Oscillogram& record, int periods);
// The settings dialog's bound for the number of lines: trunc(fs / fnet × 0.5) × P.
int DialogHarmonicLimit(const Oscillogram& record, int periods);

// Reads the options for the record, with the periods kept between 1 and the record's whole
// periods, the display choices at 0 or 1, and the number of lines within the limit for them.
FrequencyChartSettings ReadFrequencyChart(SettingsStore& store, const Oscillogram& record);
void WriteFrequencyChart(SettingsStore& store, const FrequencyChartSettings& settings);

// The analog channels on the diagram, in channel order.
std::vector<std::size_t> FrequencyChannels(const Oscillogram& record);
// "Показать все" / "Скрыть все": the bit on or off on every analog channel of the record's
// own (pasted channels keep theirs).
void ShowAllOnFrequencyDiagram(Oscillogram& record, bool show);

// The spectral lines 0 … numHarmonics of one channel over P periods ending at a sample.
struct Spectrum {
    std::vector<double> amplitudes;  // RMS magnitude per line; line 0 the modulus of the mean
    double largest = 0.0;
    double base = 0.0;  // what percentages refer to: the fundamental (line P) or the RMS
};

Spectrum ComputeSpectrum(const Channel& channel, std::int64_t sample, const FrequencyChartSettings& settings);

// The value a bar is labelled with: percent of the base (0 when the base is 0) or absolute.
double BarValue(const Spectrum& spectrum, std::size_t line, const FrequencyChartSettings& settings);

// A channel's chart caption: its name, with ", %" in percent mode.
std::string ChartCaption(const std::string& channelName, const FrequencyChartSettings& settings);

} // namespace zarva
