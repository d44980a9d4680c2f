#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/document/Document.h"
#include "core/faultloc/FaultLocator.h"
#include "core/faultloc/LocatorText.h"
#include "core/faultloc/OmpFile.h"
#include "core/model/ZarvaException.h"

namespace zarva::cli {
namespace {

constexpr const char* kUsage = "usage: zarva-cli locate RECORD [--model FILE.omp] [--report OUT.txt] [--json]";

void PrintJson(const LocationResult& result, std::ostream& out)
{
    const bool placed = result.fault && result.onLine;
    const auto number = [&](double value) { return placed ? JsonNumber(value) : std::string("null"); };
    out << "{\"fault\": " << (result.fault ? "true" : "false") << ", \"phases\": " << JsonString(PhaseLetters(result))
        << ", \"distance_km\": " << (result.fault ? JsonNumber(result.distance) : "null")
        << ", \"section\": " << (placed ? std::to_string(result.section) : "null") << ", \"poles\": "
        << (placed ? "[" + std::to_string(result.pole - 1) + ", " + std::to_string(result.pole) + "]" : "null")
        << ", \"section_distance_km\": " << number(result.sectionDistance)
        << ", \"error_percent\": " << number(result.errorPercent)
        << ", \"on_adjacent_line\": " << (result.fault && !result.onLine ? "true" : "false")
        << ", \"algorithm\": " << result.algorithm << "}\n";
}

} // namespace

int LocateCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream&)
{
    const Arguments arguments = Arguments::Parse(words, {"--model", "--report"}, {"--json"});
    if (arguments.positional.size() != 1)
        throw CliError(kUsage);
    const std::string& recordPath = arguments.positional[0];
    Document document;
    OpenRecord(document, recordPath);
    WrongPlaceLocatorData::LineModel& model = document.lineModel;
    if (const std::string* file = arguments.Option("--model"); file != nullptr && !LoadOmpFile(model, *file))
        throw CZarvaException(messages::kBadFileFormat, *file);
    const LocationResult result = LocateFaultInRecord(document.oscillogram, model).result;
    if (arguments.Has("--json"))
        PrintJson(result, out);
    else
        out << ResultText(result) << "\n";
    if (const std::string* report = arguments.Option("--report"))
        WriteReport(*report, ReportText(result, model, document.oscillogram, recordPath));
    return 0;
}

} // namespace zarva::cli
