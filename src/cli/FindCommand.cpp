#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/finder/RecordList.h"
#include "core/finder/RecordSearch.h"
#include "core/formats/LoadWarnings.h"
#include "core/model/ZarvaException.h"

#include <cerrno>

namespace zarva::cli {
namespace {

constexpr int kBadOptionValue = 4023;

std::optional<CalendarDate> DateOption(const Arguments& arguments, const std::string& name)
{
    const std::string* text = arguments.Option(name);
    if (text == nullptr)
        return std::nullopt;
    const std::optional<CalendarDate> date = ParseIsoDate(*text);
    if (!date)
        throw CliError(FormatText(kBadOptionValue, {name, *text}));
    return date;
}

RecordFilter FilterOf(const Arguments& arguments)
{
    RecordFilter filter;
    if (const std::string* station = arguments.Option("--station"))
        filter.station = *station;
    if (const std::string* recorder = arguments.Option("--recorder"))
        filter.recorder = *recorder;
    filter.from = DateOption(arguments, "--from");
    filter.to = DateOption(arguments, "--to");
    return filter;
}

std::string StartText(const FoundRecord& record)
{
    return record.start ? IsoText(*record.start) : std::string();
}

void PrintLines(const std::vector<FoundRecord>& records, std::ostream& out)
{
    for (const FoundRecord& record : records) {
        out << record.path.string() << '\t' << RecordTypeName(record.type) << '\t' << record.station << '\t'
            << record.recorder << '\t' << StartText(record) << '\n';
    }
}

void PrintJson(const std::vector<FoundRecord>& records, std::ostream& out)
{
    out << "[";
    const char* separator = "";
    for (const FoundRecord& record : records) {
        out << separator << "\n  {\"path\": " << JsonString(record.path.string())
            << ", \"type\": " << JsonString(RecordTypeName(record.type))
            << ", \"station\": " << JsonString(record.station) << ", \"recorder\": " << JsonString(record.recorder)
            << ", \"start\": " << (record.start ? JsonString(IsoText(*record.start)) : std::string("null")) << "}";
        separator = ",";
    }
    out << (records.empty() ? "]\n" : "\n]\n");
}

} // namespace

int FindCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream&)
{
    const Arguments arguments =
        Arguments::Parse(words, {"--station", "--recorder", "--from", "--to"}, {"--recursive", "--json"});
    if (arguments.positional.size() != 1)
        throw CliError("usage: zarva-cli find FOLDER [--recursive] [--station S] [--recorder R] [--from YYYY-MM-DD] "
                       "[--to YYYY-MM-DD] [--json]");
    const RecordFilter filter = FilterOf(arguments);
    SearchOptions options;
    options.folder = arguments.positional[0];
    options.recursive = arguments.Has("--recursive");
    std::error_code error;
    if (!std::filesystem::is_directory(options.folder, error))
        throw FileException(error ? error.value() : ENOTDIR, options.folder);

    std::vector<FoundRecord> records;
    LoadProgress progress;
    FindRecords(options, progress, [&](FoundRecord record) {
        if (filter.Matches(record))
            records.push_back(std::move(record));
    });
    SortRecords(records, kDefaultSortMode);
    if (arguments.Has("--json"))
        PrintJson(records, out);
    else
        PrintLines(records, out);
    return 0;
}

} // namespace zarva::cli
