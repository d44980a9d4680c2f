#include "core/faultloc/LocatorText.h"

#include "core/model/Oscillogram.h"
#include "core/model/StringTable.h"
#include "core/model/TextFormat.h"
#include "core/storage/TextFile.h"

#include <cmath>

namespace zarva {
namespace {

using namespace WrongPlaceLocatorData;

// Kinds of fault by the number of phases: the result text's and the report's.
constexpr int kResultKinds[] = {3006, 3007, 3008};
constexpr int kReportKinds[] = {3049, 3051, 3052};
constexpr int kResultNoFault = 3016;
constexpr int kReportNoFault = 3222;
constexpr int kAdjacentLine = 3025;
constexpr int kPlace = 3026;
constexpr int kResultDistance = 3020;
constexpr int kReportDistance = 3021;

// Kilometres as metres with a prefix: "%.2f %sm" takes the number and the prefix.
std::pair<double, std::string> Metres(double km)
{
    const double metres = km * 1000.0;
    if (std::abs(metres) >= 1000.0)
        return {metres / 1000.0, "k"};
    return {metres, ""};
}

int KindIndex(const LocationResult& result)
{
    return std::clamp(result.PhaseCount(), 1, 3) - 1;
}

std::string Place(const LocationResult& result)
{
    return FormatText(Text(kPlace), {static_cast<std::int64_t>(result.section),
                                     static_cast<std::int64_t>(result.pole - 1), static_cast<std::int64_t>(result.pole)});
}

std::string DistanceLine(const LocationResult& result, int textId)
{
    const auto [distance, prefix] = Metres(result.distance);
    const auto [fromStart, startPrefix] = Metres(result.sectionDistance);
    return FormatText(Text(textId), {distance, prefix, fromStart, startPrefix, result.errorPercent});
}

std::string Line(int textId, const std::string& value)
{
    return Text(textId) + value + "\n";
}

void AppendStation(std::string& text, const Station& station, int headingId, int type)
{
    text += Line(headingId, station.Value("obj_name"));
    text += Line(3310, station.Value("In"));
    text += Line(3231, station.Value("Ia")) + Line(3232, station.Value("Ib")) + Line(3233, station.Value("Ic"));
    if (type == kIsolatedNeutral)
        text += Line(3235, station.Value("Uab")) + Line(3237, station.Value("Ubc")) + Line(3239, station.Value("Uca"));
    else
        text += Line(3234, station.Value("Ua")) + Line(3236, station.Value("Ub")) + Line(3238, station.Value("Uc"));
    text += "\n";
}

void AppendSections(std::string& text, const Station& station)
{
    for (std::size_t n = 0; n < station.SectionCount(); ++n) {
        const Section& section = station.SectionAt(n);
        text += Text(3104) + std::to_string(n + 1) + ": \n";
        const std::pair<int, const char*> lines[] = {{3015, "lenght"}, {3022, "sup_number"}, {3009, "r"},
                                                     {3012, "x"},      {3011, "r1"},         {3014, "x1"},
                                                     {3010, "r0"},     {3013, "x0"},         {3017, "comment"}};
        for (const auto& [label, key] : lines)
            text += Line(label, section.Value(key));
        text += "\n";
        for (std::size_t m = 0; m < section.ParallelLines().size(); ++m) {
            const ParallelLine& parallel = *section.ParallelLines()[m];
            text += Text(3019) + std::to_string(m + 1) + ": \n" + Line(3002, parallel.Value("rm")) +
                    Line(3004, parallel.Value("xm")) + Line(3000, parallel.Value("I0")) +
                    Line(3005, parallel.Value("comment"));
        }
        for (std::size_t m = 0; m < section.Connections().size(); ++m) {
            const Connection& tap = *section.Connections()[m];
            text += Text(3018) + std::to_string(m + 1) + ": \n" + Line(3001, tap.Value("r0")) +
                    Line(3003, tap.Value("x0")) + Line(3005, tap.Value("comment"));
        }
    }
}

std::string AlgorithmLine(int type)
{
    switch (type) {
    case kIsolatedNeutral: return Text(3114);
    case kGroundedNeutral: return Text(3113);
    case kTwoEnded: return Text(3112);
    default: return {};
    }
}

} // namespace

std::string PhaseLetters(const LocationResult& result)
{
    std::string letters;
    for (std::size_t k = 0; k < 3; ++k) {
        if (result.phases[k])
            letters += static_cast<char>('A' + k);
    }
    return letters;
}

std::string ResultText(const LocationResult& result)
{
    if (!result.fault)
        return Text(kResultNoFault);
    std::string text = Text(kResultKinds[KindIndex(result)]) + PhaseLetters(result);
    if (!result.onLine)
        return text + Text(kAdjacentLine);
    return text + Place(result) + "\n" + DistanceLine(result, kResultDistance);
}

std::string ReportText(const LocationResult& result, const LineModel& model, const Oscillogram& record,
                       const std::string& recordName)
{
    // The file name ends its line, which the title's text leaves open.
    std::string text = Text(128) + Text(3102) + recordName + "\n";
    text += AlgorithmLine(model.type);
    text += Text(3103) + record.recorderText + "\n" + Line(3480, record.stationText) +
            Line(3298, record.startText) + Line(3279, record.triggerText) + "\n";
    if (!result.fault)
        text += Text(kReportNoFault);
    else if (!result.onLine)
        text += Text(kReportKinds[KindIndex(result)]) + PhaseLetters(result) + Text(kAdjacentLine) + "\n\n";
    else
        text += Text(kReportKinds[KindIndex(result)]) + PhaseLetters(result) + Place(result) +
                DistanceLine(result, kReportDistance);
    const bool twoEnded = model.type == kTwoEnded;
    AppendStation(text, model.StationAt(0), twoEnded ? 3385 : 3387, model.type);
    AppendSections(text, model.StationAt(0));
    if (twoEnded) {
        text += "\n";
        AppendStation(text, model.StationAt(1), 3386, model.type);
        AppendSections(text, model.StationAt(1));
    }
    return text;
}

void WriteReport(const std::filesystem::path& path, const std::string& text)
{
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            lines += '\r';
        lines += c;
    }
    ReplaceFile(path, "\xFF\xFE" + Utf8ToUtf16Le(lines));
}

} // namespace zarva
