#include "core/diagrams/PlaneChart.h"

#include "core/charbase/CharacteristicChoices.h"
#include "core/diagrams/DiagramTexts.h"
#include "core/document/CursorSet.h"
#include "core/model/Oscillogram.h"
#include "core/model/Units.h"
#include "core/model/ZarvaException.h"
#include "core/storage/SettingsStore.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace zarva {
namespace {

const std::string kPairsSection = "Channels";

struct PairKeys {
    const char* first;
    const char* second;
};

PairKeys KeysOf(ChartKind kind)
{
    return kind == ChartKind::Circle ? PairKeys{"ActiveResist", "ReactiveResist"} : PairKeys{"BrakeCurr", "DiffCurr"};
}

bool UnitIs(const Channel& channel, const std::string& wanted)
{
    return std::equal(channel.unit.begin(), channel.unit.end(), wanted.begin(), wanted.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

std::optional<std::size_t> Resolve(const Oscillogram& record, const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    try {
        return record.FindChannel(name);
    } catch (const CZarvaException&) {
        return std::nullopt;  // a pair whose channel is gone is left out
    }
}

double At(const Series<double>& series, std::int64_t sample)
{
    if (sample < 0 || static_cast<std::uint64_t>(sample) >= series.Size())
        return std::numeric_limits<double>::quiet_NaN();
    return series.At(static_cast<std::size_t>(sample));
}

PointF ComplexAt(const Channel& channel, std::int64_t sample)
{
    if (sample < 0 || static_cast<std::uint64_t>(sample) >= channel.PhasorSeries().Size())
        return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
    const Phasor value = channel.PhasorSeries().At(static_cast<std::size_t>(sample));
    return {value.real(), value.imag()};
}

PointF ZeroNaN(PointF point)
{
    return {std::isnan(point.x) ? 0.0 : point.x, std::isnan(point.y) ? 0.0 : point.y};
}

template <typename PointOf>
void Fill(Trajectory& trajectory, SampleRange range, std::int64_t cursor, PointOf pointOf)
{
    for (std::int64_t i = range.first; i <= range.last; ++i)
        trajectory.points.push_back(pointOf(i));
    trajectory.atCursor = ZeroNaN(pointOf(cursor));
}

void AddPairs(std::vector<Trajectory>& out, const Oscillogram& record, const std::vector<ChannelPair>& pairs,
              SampleRange range, std::int64_t cursor)
{
    for (const ChannelPair& pair : pairs) {
        const std::optional<std::size_t> first = Resolve(record, pair.first);
        const std::optional<std::size_t> second = Resolve(record, pair.second);
        if (!pair.shown || !first || !second)
            continue;
        const Channel& x = record.channels[*first];
        const Channel& y = record.channels[*second];
        Trajectory trajectory{x.Name() + " " + y.Name(), *first, false, DisplayUnit(x), {}, {}};
        Fill(trajectory, range, cursor, [&](std::int64_t i) {
            return PointF{At(x.DisplaySeries(), i), At(y.DisplaySeries(), i)};
        });
        out.push_back(std::move(trajectory));
    }
}

} // namespace

PlaneChartOptions ReadPlaneOptions(const SettingsStore& settings, ChartKind kind)
{
    PlaneChartOptions options;
    const SettingsSection* section = settings.Find(ChartSection(kind));
    if (section == nullptr)
        return options;
    options.sightsOnly = section->GetInt("SightsOnly", 1) != 0;
    options.showOffCharacteristics = section->GetInt("ShowOffCharacteristics", 1) != 0;
    options.viewChannelType = std::clamp(section->GetInt("ViewChannelType", 0), 0, kind == ChartKind::Circle ? 2 : 1);
    return options;
}

void WritePlaneOptions(SettingsStore& settings, ChartKind kind, const PlaneChartOptions& options)
{
    SettingsSection& section = settings.Section(ChartSection(kind));
    section.SetInt("SightsOnly", options.sightsOnly ? 1 : 0);
    section.SetInt("ShowOffCharacteristics", options.showOffCharacteristics ? 1 : 0);
    section.SetInt("ViewChannelType", options.viewChannelType);
}

std::vector<ChannelPair> ReadPairs(const SettingsStore& settings, ChartKind kind)
{
    std::vector<ChannelPair> pairs;
    const SettingsSection* section = settings.Find(ChartSection(kind));
    if (section == nullptr || !section->SubSections().contains(kPairsSection))
        return pairs;
    const auto& entries = section->SubSections().at(kPairsSection).SubSections();
    const PairKeys keys = KeysOf(kind);
    // Entries "0", "1", … in number order; the first gap ends the list.
    for (std::size_t i = 0;; ++i) {
        const auto entry = entries.find(std::to_string(i));
        if (entry == entries.end())
            break;
        pairs.push_back({entry->second.GetString(keys.first), entry->second.GetString(keys.second),
                         entry->second.GetInt("Show", 1) != 0});
    }
    return pairs;
}

void WritePairs(SettingsStore& settings, ChartKind kind, const std::vector<ChannelPair>& pairs)
{
    SettingsSection& entries = settings.Section(ChartSection(kind)).SubSection(kPairsSection);
    entries.Clear();
    const PairKeys keys = KeysOf(kind);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        SettingsSection& entry = entries.SubSection(std::to_string(i));
        entry.SetString(keys.first, pairs[i].first);
        entry.SetString(keys.second, pairs[i].second);
        entry.SetInt("Show", pairs[i].shown ? 1 : 0);
    }
}

void ShowPairs(SettingsStore& settings, ChartKind kind, const std::vector<ChannelPair>& pairs)
{
    std::vector<ChannelPair> listed = ReadPairs(settings, kind);
    for (const ChannelPair& pair : pairs) {
        const auto same = std::ranges::find_if(listed, [&](const ChannelPair& known) {
            return known.first == pair.first && known.second == pair.second;
        });
        if (same != listed.end())
            same->shown = true;
        else
            listed.push_back({pair.first, pair.second, true});
    }
    WritePairs(settings, kind, listed);
}

bool IsImpedanceChannel(const Channel& channel)
{
    return channel.HasFlag(display::kSuppliedPhasors) && channel.IsAnalog() && UnitIs(channel, "Ohm");
}

bool IsPowerChannel(const Channel& channel)
{
    return channel.HasFlag(display::kSuppliedPhasors) && channel.IsAnalog() && UnitIs(channel, "VA");
}

bool IsCircleSource(const Channel& channel)
{
    return IsImpedanceChannel(channel) || IsPowerChannel(channel);
}

void ShowAllOnCircleDiagram(Oscillogram& record, bool show)
{
    for (Channel& channel : record.channels) {
        if (IsCircleSource(channel) && !channel.HasFlag(display::kPasted))
            channel.SetFlag(display::kOnCircleDiagram, show);
    }
}

void DropStrayCircleFlags(Oscillogram& record)
{
    for (Channel& channel : record.channels) {
        if (!IsCircleSource(channel))
            channel.SetFlag(display::kOnCircleDiagram, false);
    }
}

SampleRange TrajectoryRange(std::int64_t firstVisible, std::int64_t lastVisible, const CursorSet& cursors,
                            bool sightsOnly, std::size_t sampleCount)
{
    if (sampleCount == 0)
        return {};
    std::int64_t first = firstVisible;
    std::int64_t last = lastVisible;
    if (sightsOnly) {
        first = std::min(cursors.Vertical(0).sample, cursors.Vertical(1).sample);
        last = std::max(cursors.Vertical(0).sample, cursors.Vertical(1).sample);
    }
    const auto end = static_cast<std::int64_t>(sampleCount) - 1;
    return {std::clamp<std::int64_t>(first, 0, end), std::clamp<std::int64_t>(last, 0, end)};
}

std::vector<Trajectory> CircleTrajectories(const Oscillogram& record, const std::vector<ChannelPair>& pairs,
                                           SampleRange range, std::int64_t cursor)
{
    std::vector<Trajectory> out;
    for (std::size_t i = 0; i < record.channels.size(); ++i) {
        const Channel& channel = record.channels[i];
        if (!IsCircleSource(channel) || !channel.HasFlag(display::kOnCircleDiagram))
            continue;
        Trajectory trajectory{channel.Name(), i, IsPowerChannel(channel), DisplayUnit(channel), {}, {}};
        Fill(trajectory, range, cursor, [&](std::int64_t s) { return ComplexAt(channel, s); });
        out.push_back(std::move(trajectory));
    }
    AddPairs(out, record, pairs, range, cursor);
    return out;
}

std::vector<Trajectory> DiffTrajectories(const Oscillogram& record, const std::vector<ChannelPair>& pairs,
                                         SampleRange range, std::int64_t cursor)
{
    std::vector<Trajectory> out;
    AddPairs(out, record, pairs, range, cursor);
    return out;
}

std::string ThreeDecimals(double value)
{
    std::string text = FixedText(std::isnan(value) ? 0.0 : value, 3);
    if (text.starts_with('-') && text.find_first_of("123456789") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string ScalarValueText(double value, const std::string& unit)
{
    const UnitMultiple multiple = ChooseMultiple(std::isnan(value) ? 0.0 : value);
    return ThreeDecimals(value / multiple.factor) + " " + multiple.prefix + unit;
}

std::string ComplexValueText(PointF value, const std::string& unit, bool polar)
{
    const PointF v = ZeroNaN(value);
    if (polar) {
        const double magnitude = std::hypot(v.x, v.y);
        const double degrees = std::atan2(v.y, v.x) * 180.0 / std::numbers::pi;
        return ScalarValueText(magnitude, unit) + " \u2220" + FixedText(degrees, 2) + "\u00b0";
    }
    const UnitMultiple multiple = ChooseMultiple(std::max(std::fabs(v.x), std::fabs(v.y)));
    const std::string imaginary = ThreeDecimals(v.y / multiple.factor);
    const bool negative = imaginary.starts_with('-');
    return ThreeDecimals(v.x / multiple.factor) + (negative ? "-j" : "+j") + imaginary.substr(negative ? 1 : 0) + " " +
           multiple.prefix + unit;
}

std::string CellText(double cell, const std::string& unit)
{
    const UnitMultiple multiple = ChooseMultiple(cell);
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, cell / multiple.factor, std::chars_format::general, 6);
    return std::string(buffer, written.ptr) + " " + multiple.prefix + unit;
}

} // namespace zarva
