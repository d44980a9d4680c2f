#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/document/Document.h"
#include "core/document/Recompute.h"
#include "core/dsp/PhasorMath.h"
#include "core/dsp/WindowMeasures.h"
#include "core/formats/LoadWarnings.h"
#include "core/model/Units.h"

#include <algorithm>

namespace zarva::cli {
namespace {

constexpr int kBadOptionValue = 4023;
constexpr const char* kUsage =
    "usage: zarva-cli measure RECORD --at SAMPLE [--periods P] [--harmonics K] [--sequence A,B,C] "
    "[--frequency-channel NAME] [--json]";

struct Request {
    std::int64_t at = 0;
    int periods = 1;
    int harmonics = 5;
};

// What the measures give for one channel at the sample.
struct ChannelMeasures {
    const Channel* channel;
    double value;
    double rms;
    double dc;
    double fault;
    Phasor phasor;
    std::vector<double> harmonics;
};

[[noreturn]] void BadValue(const std::string& option, const std::string& text)
{
    throw CliError(FormatText(kBadOptionValue, {option, text}));
}

int SmallCount(const Arguments& arguments, const std::string& option, int fallback, int least)
{
    const std::string* text = arguments.Option(option);
    if (text == nullptr)
        return fallback;
    const std::size_t count = ParseCount(option, *text);
    if (count < static_cast<std::size_t>(least) || count > 10000)
        BadValue(option, *text);
    return static_cast<int>(count);
}

Request ReadRequest(const Arguments& arguments, const Oscillogram& record)
{
    Request request;
    const std::string* at = arguments.Option("--at");
    if (at == nullptr)
        throw CliError(kUsage);
    const std::size_t sample = ParseCount("--at", *at);
    if (sample >= record.SampleCount())
        BadValue("--at", *at);
    request.at = static_cast<std::int64_t>(sample);
    request.periods = SmallCount(arguments, "--periods", 1, 1);
    request.harmonics = SmallCount(arguments, "--harmonics", 5, 0);
    return request;
}

// Makes the named frequency channel the one the measures track, and recomputes.
void TrackFrequency(Document& document, const std::string& name)
{
    Oscillogram& record = document.oscillogram;
    const std::size_t index = record.FindChannel(name);
    const auto found = std::find(record.frequencyChannels.begin(), record.frequencyChannels.end(), index);
    if (found == record.frequencyChannels.end())
        BadValue("--frequency-channel", name);
    document.frequencyReference = static_cast<int>(found - record.frequencyChannels.begin()) + 1;
    PrepareAll(document);
}

ChannelMeasures Measure(const Channel& channel, const Request& request)
{
    ChannelMeasures measures{&channel,
                             Value(channel, request.at),
                             Rms(channel, request.at, request.periods),
                             DcComponent(channel, request.at, request.periods),
                             FaultComponent(channel, request.at),
                             channel.PhasorSeries().At(static_cast<std::size_t>(request.at)),
                             {}};
    for (int n = 0; n <= request.harmonics; ++n)
        measures.harmonics.push_back(HarmonicRms(channel, n, request.at));
    return measures;
}

std::string JsonPhasor(Phasor phasor)
{
    return "\"phasor\": [" + JsonNumber(phasor.real()) + ", " + JsonNumber(phasor.imag()) +
           "], \"magnitude\": " + JsonNumber(std::abs(phasor)) +
           ", \"angle_deg\": " + JsonNumber(AngleDeg(phasor));
}

void PrintJson(const std::vector<ChannelMeasures>& all, std::ostream& out)
{
    out << "[";
    for (std::size_t k = 0; k < all.size(); ++k) {
        const ChannelMeasures& m = all[k];
        out << (k > 0 ? "," : "") << "\n {\"name\": " << JsonString(m.channel->name)
            << ", \"unit\": " << JsonString(m.channel->Unit()) << ", \"value\": " << JsonNumber(m.value)
            << ", \"rms\": " << JsonNumber(m.rms) << ", \"dc\": " << JsonNumber(m.dc)
            << ", \"fault\": " << JsonNumber(m.fault) << ", " << JsonPhasor(m.phasor) << ", \"harmonics\": [";
        for (std::size_t n = 0; n < m.harmonics.size(); ++n)
            out << (n > 0 ? ", " : "") << JsonNumber(m.harmonics[n]);
        out << "]}";
    }
    out << "\n]\n";
}

void PrintText(const std::vector<ChannelMeasures>& all, std::ostream& out)
{
    for (const ChannelMeasures& m : all) {
        out << m.channel->name << " [" << DisplayUnit(*m.channel) << "]\n"
            << "  value      " << FormatNumber(m.value) << "\n"
            << "  rms        " << FormatNumber(m.rms) << "\n"
            << "  dc         " << FormatNumber(m.dc) << "\n"
            << "  fault      " << FormatNumber(m.fault) << "\n"
            << "  phasor     " << FormatNumber(std::abs(m.phasor)) << " at "
            << FormatNumber(AngleDeg(m.phasor)) << " deg\n"
            << "  harmonics ";
        for (const double harmonic : m.harmonics)
            out << " " << FormatNumber(harmonic);
        out << "\n";
    }
}

std::vector<std::string> SplitNames(const std::string& names)
{
    std::vector<std::string> split;
    for (std::size_t start = 0; start <= names.size();) {
        const std::size_t comma = std::min(names.find(',', start), names.size());
        split.push_back(names.substr(start, comma - start));
        start = comma + 1;
    }
    return split;
}

// Positive, negative and zero sequence of three phase channels: I1, I2, 3I0 for currents,
// U1, U2, 3U0 otherwise.
void PrintSequence(const Oscillogram& record, const std::string& names, const Request& request,
                   bool json, std::ostream& out)
{
    const std::vector<std::string> split = SplitNames(names);
    if (split.size() != 3)
        BadValue("--sequence", names);
    Phasor phases[3];
    for (int k = 0; k < 3; ++k)
        phases[k] = record.channels[record.FindChannel(split[k])].PhasorSeries().At(static_cast<std::size_t>(request.at));
    const std::string unit = record.channels[record.FindChannel(split[0])].unit;
    const std::string letter = !unit.empty() && unit.back() == 'A' ? "I" : "U";
    const std::pair<std::string, Phasor> sequences[] = {
        {letter + "1", PositiveSequence(phases[0], phases[1], phases[2])},
        {letter + "2", NegativeSequence(phases[0], phases[1], phases[2])},
        {"3" + letter + "0", SequenceSum(phases[0], phases[1], phases[2])}};
    const char* keys[] = {"positive", "negative", "zero"};
    out << (json ? "{" : "");
    for (int k = 0; k < 3; ++k) {
        const auto& [name, phasor] = sequences[k];
        if (json)
            out << (k > 0 ? "," : "") << "\n \"" << keys[k] << "\": {\"name\": " << JsonString(name) << ", "
                << JsonPhasor(phasor) << "}";
        else
            out << name << "  " << FormatNumber(std::abs(phasor)) << " at " << FormatNumber(AngleDeg(phasor))
                << " deg\n";
    }
    out << (json ? "\n}\n" : "");
}

} // namespace

int MeasureCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    const Arguments arguments = Arguments::Parse(
        words, {"--at", "--periods", "--harmonics", "--sequence", "--frequency-channel"}, {"--json"});
    if (arguments.positional.size() != 1)
        throw CliError(kUsage);
    Document document;
    OpenRecord(document, arguments.positional[0], &err);
    const Oscillogram& record = document.oscillogram;
    const Request request = ReadRequest(arguments, record);
    if (const std::string* name = arguments.Option("--frequency-channel"))
        TrackFrequency(document, *name);
    if (const std::string* names = arguments.Option("--sequence")) {
        PrintSequence(record, *names, request, arguments.Has("--json"), out);
        return 0;
    }
    std::vector<ChannelMeasures> all;
    for (const Channel& channel : record.channels) {
        if (channel.IsAnalog() && !channel.HasFlag(display::kPasted))
            all.push_back(Measure(channel, request));
    }
    if (arguments.Has("--json"))
        PrintJson(all, out);
    else
        PrintText(all, out);
    return 0;
}

} // namespace zarva::cli
