#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/DumpOutput.h"
#include "core/document/Document.h"

#include <algorithm>
#include <cmath>

namespace zarva::cli {
namespace {

std::vector<std::size_t> ChosenChannels(const Oscillogram& record, const std::string* names)
{
    std::vector<std::size_t> chosen;
    if (names == nullptr) {
        for (std::size_t i = 0; i < record.channels.size(); ++i)
            chosen.push_back(i);
        return chosen;
    }
    for (std::size_t start = 0; start <= names->size();) {
        const std::size_t comma = std::min(names->find(',', start), names->size());
        if (comma > start)
            chosen.push_back(record.FindChannel(names->substr(start, comma - start)));
        start = comma + 1;
    }
    return chosen;
}

} // namespace

DumpSelection SelectSamples(const Oscillogram& record, const Arguments& arguments)
{
    DumpSelection selection;
    const std::size_t count = record.SampleCount();
    const std::string* from = arguments.Option("--from");
    const std::string* to = arguments.Option("--to");
    selection.from = std::min(count, from ? ParseCount("--from", *from) : 0);
    selection.to = to ? std::min(count, ParseCount("--to", *to) + 1) : count;
    selection.to = std::max(selection.from, selection.to);
    return selection;
}

namespace {

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// A missing sample is an empty field.
std::string CsvNumber(double value)
{
    return std::isnan(value) ? std::string() : FormatNumber(value);
}

void PrintCsv(const Oscillogram& record, const DumpSelection& selection, std::ostream& out)
{
    out << "time_us";
    for (const std::size_t j : selection.channels)
        out << "," << CsvField(record.channels[j].name);
    out << "\n";
    for (std::size_t i = selection.from; i < selection.to; ++i) {
        out << record.sampleTimes[i];
        for (const std::size_t j : selection.channels)
            out << "," << CsvNumber(record.channels[j].samples.At(i));
        out << "\n";
    }
}

void PrintJson(const Oscillogram& record, const DumpSelection& selection, std::ostream& out)
{
    out << "{\"times\": [";
    for (std::size_t i = selection.from; i < selection.to; ++i)
        out << (i > selection.from ? ", " : "") << record.sampleTimes[i];
    out << "],\n \"channels\": [";
    for (std::size_t k = 0; k < selection.channels.size(); ++k) {
        const Channel& channel = record.channels[selection.channels[k]];
        out << (k > 0 ? "," : "") << "\n  {\"name\": " << JsonString(channel.name) << ", \"values\": [";
        for (std::size_t i = selection.from; i < selection.to; ++i)
            out << (i > selection.from ? ", " : "") << JsonNumber(channel.samples.At(i));
        out << "]}";
    }
    out << "\n]}\n";
}

} // namespace

const std::string* DumpFormat(const Arguments& arguments)
{
    const std::string* format = arguments.Option("--format");
    if (format != nullptr && *format != "csv" && *format != "json")
        throw CliError("--format: csv | json");
    return format;
}

void PrintDump(const Oscillogram& record, const DumpSelection& selection, const std::string* format,
               std::ostream& out)
{
    if (format != nullptr && *format == "json")
        PrintJson(record, selection, out);
    else
        PrintCsv(record, selection, out);
}

int DumpCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    const Arguments arguments = Arguments::Parse(words, {"--channels", "--from", "--to", "--format"}, {});
    if (arguments.positional.size() != 1)
        throw CliError("usage: zarva-cli dump RECORD [--channels NAME,...] [--from N] [--to N] [--format csv|json]");
    const std::string* format = DumpFormat(arguments);
    Document document;
    OpenRecord(document, arguments.positional[0], &err, true);
    DumpSelection selection = SelectSamples(document.oscillogram, arguments);
    selection.channels = ChosenChannels(document.oscillogram, arguments.Option("--channels"));
    PrintDump(document.oscillogram, selection, format, out);
    return 0;
}

} // namespace zarva::cli
