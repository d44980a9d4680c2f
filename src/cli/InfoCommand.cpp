#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/document/Document.h"
#include "core/formats/ComtradeTime.h"
#include "core/model/Units.h"

namespace zarva::cli {
namespace {

std::string Decoded(const Oscillogram& record, const std::string& bytes)
{
    return DecodeText(bytes, record.codePage);
}

// A text that may be absent: null when empty.
std::string JsonText(const std::string& text)
{
    return text.empty() ? std::string("null") : JsonString(text);
}

void PrintText(const Oscillogram& record, std::ostream& out)
{
    out << "Station: " << record.stationText << "\n"
        << "Recorder: " << record.recorderText << "\n"
        << "Revision: " << record.revisionYear << "\n"
        << "Line frequency: " << FormatNumber(record.lineFrequency) << " Hz\n"
        << "Sample rate: " << record.sampleRate << " Hz\n"
        << "Rate segments:";
    for (const RateSegment& segment : record.rateSegments)
        out << " " << FormatNumber(segment.rate) << " Hz to #" << segment.endSample << ";";
    out << "\nSamples: " << record.SampleCount() << "\n"
        << "File type: " << record.fileType << "\n"
        << "Start: " << record.startText << "\n"
        << "Trigger: " << record.triggerText << "\n"
        << "Time multiplier: " << FormatNumber(record.timeMultiplier) << "\n"
        << "Warnings: " << record.loadWarnings.size() << "\n";
    for (const std::string& warning : record.loadWarnings)
        out << "  " << warning << "\n";
    out << "Channels: " << record.analogCount << " analog, " << record.discreteCount << " status\n";
    for (std::size_t i = 0; i < record.channels.size(); ++i) {
        const Channel& channel = record.channels[i];
        out << "  " << i + 1 << " " << (channel.IsAnalog() ? "analog" : "status") << " id=\""
            << Decoded(record, channel.channelId) << "\" name=\"" << channel.name << "\" phase=\""
            << Decoded(record, channel.phase) << "\" ccbm=\"" << Decoded(record, channel.circuitComponent) << "\"";
        if (channel.IsAnalog()) {
            out << " unit=\"" << Decoded(record, channel.unit8) << "\" canonical=\"" << channel.unit
                << "\" shown=\"" << DisplayUnit(channel) << "\" factor=" << FormatNumber(channel.unitFactor)
                << " a=" << FormatNumber(channel.multiplier) << " b=" << FormatNumber(channel.offset)
                << " skew=" << FormatNumber(channel.timeShift) << " min=" << FormatNumber(channel.rangeMin)
                << " max=" << FormatNumber(channel.rangeMax) << " primary=" << FormatNumber(channel.primary)
                << " secondary=" << FormatNumber(channel.secondary) << " PS=" << (channel.valuesArePrimary ? "P" : "S");
        } else {
            out << " normal=" << channel.normalState;
        }
        out << "\n";
    }
}

void PrintChannelJson(const Oscillogram& record, const Channel& channel, std::ostream& out)
{
    out << "{\"id\": " << JsonString(Decoded(record, channel.channelId)) << ", \"name\": " << JsonString(channel.name)
        << ", \"phase\": " << JsonString(Decoded(record, channel.phase))
        << ", \"ccbm\": " << JsonString(Decoded(record, channel.circuitComponent));
    if (channel.IsAnalog()) {
        out << ", \"unit\": " << JsonString(Decoded(record, channel.unit8))
            << ", \"canonical_unit\": " << JsonString(channel.unit)
            << ", \"display_unit\": " << JsonString(DisplayUnit(channel))
            << ", \"unit_factor\": " << JsonNumber(channel.unitFactor) << ", \"a\": " << JsonNumber(channel.multiplier)
            << ", \"b\": " << JsonNumber(channel.offset) << ", \"skew\": " << JsonNumber(channel.timeShift)
            << ", \"min\": " << JsonNumber(channel.rangeMin) << ", \"max\": " << JsonNumber(channel.rangeMax)
            << ", \"primary\": " << JsonNumber(channel.primary) << ", \"secondary\": " << JsonNumber(channel.secondary)
            << ", \"ps\": " << JsonString(channel.valuesArePrimary ? "P" : "S");
    } else {
        out << ", \"normal_state\": " << channel.normalState;
    }
    out << "}";
}

void PrintChannelListJson(const Oscillogram& record, bool analog, std::ostream& out)
{
    const char* separator = "";
    out << "[";
    for (const Channel& channel : record.channels) {
        if (channel.IsAnalog() != analog)
            continue;
        out << separator << "\n    ";
        PrintChannelJson(record, channel, out);
        separator = ",";
    }
    out << "\n  ]";
}

void PrintJson(const Oscillogram& record, std::ostream& out)
{
    out << "{\n  \"station\": " << JsonString(record.stationText) << ",\n  \"recorder\": "
        << JsonString(record.recorderText) << ",\n  \"revision\": " << JsonString(record.revisionYear)
        << ",\n  \"line_frequency\": " << JsonNumber(record.lineFrequency)
        << ",\n  \"sample_rate\": " << record.sampleRate << ",\n  \"rate_segments\": [";
    for (std::size_t i = 0; i < record.rateSegments.size(); ++i)
        out << (i > 0 ? ", " : "") << "[" << JsonNumber(record.rateSegments[i].rate) << ", "
            << record.rateSegments[i].endSample << "]";
    out << "],\n  \"samples\": " << record.SampleCount() << ",\n  \"file_type\": " << JsonString(record.fileType)
        << ",\n  \"time_multiplier\": " << JsonNumber(record.timeMultiplier)
        << ",\n  \"start\": " << JsonString(record.startText) << ",\n  \"trigger\": " << JsonString(record.triggerText)
        << ",\n  \"time_code\": " << JsonText(record.timeCode) << ",\n  \"local_code\": " << JsonText(record.localCode)
        << ",\n  \"start_utc\": " << JsonText(UtcMoment(record, record.startDate, record.startTime).value_or(""))
        << ",\n  \"trigger_utc\": " << JsonText(UtcMoment(record, record.triggerDate, record.triggerTime).value_or(""))
        << ",\n  \"warnings\": [";
    for (std::size_t i = 0; i < record.loadWarnings.size(); ++i)
        out << (i > 0 ? ", " : "") << JsonString(record.loadWarnings[i]);
    out << "],\n  \"analog\": ";
    PrintChannelListJson(record, true, out);
    out << ",\n  \"digital\": ";
    PrintChannelListJson(record, false, out);
    out << "\n}\n";
}

} // namespace

int InfoCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream&)
{
    const Arguments arguments = Arguments::Parse(words, {}, {"--json"});
    if (arguments.positional.size() != 1)
        throw CliError("usage: zarva-cli info RECORD [--json]");
    Document document;
    OpenRecord(document, arguments.positional[0], nullptr, true);
    if (arguments.Has("--json"))
        PrintJson(document.oscillogram, out);
    else
        PrintText(document.oscillogram, out);
    return 0;
}

} // namespace zarva::cli
