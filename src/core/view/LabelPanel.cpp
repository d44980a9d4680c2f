#include "core/view/LabelPanel.h"

#include "core/dsp/WindowMeasures.h"
#include "core/model/Channel.h"
#include "core/model/Oscillogram.h"
#include "core/model/StringTable.h"
#include "core/model/TextFormat.h"
#include "core/model/Units.h"
#include "core/model/ValueText.h"
#include "core/view/ViewTexts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace zarva {
namespace {

constexpr std::size_t kNameLength = 25;
constexpr std::size_t kUnitLength = 5;
// Shown in place of the value of a missing sample.
constexpr std::string_view kMissingValue = "—";

constexpr std::array<std::string_view, 15> kShortValueUnits = {
    "V", "A", "VA", "VAR", "var", "W", "ОM", "Ohm", "OHM", "F", "°", "H", "GN", "Hz", "m"};

bool HasShortValues(const Channel& channel)
{
    const std::string shown = DisplayUnit(channel);
    const std::string canonical = channel.unit == "DEG" ? "°" : channel.unit;
    return std::any_of(kShortValueUnits.begin(), kShortValueUnits.end(), [&](std::string_view unit) {
        return unit == canonical || unit == shown;
    });
}

int ReadoutLabelWidth(const Channel& channel, const TextWidth& smallFont)
{
    int width = 0;
    for (const ReadoutLine& line : ReadoutLines(channel, std::nullopt))
        width = std::max(width, smallFont(line.label) + 10);
    return width;
}

std::optional<double> Finite(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// A measure at the cursor; a record whose period cannot be found has none.
template <typename Measure>
std::optional<double> MeasureAt(const Channel& channel, std::optional<std::int64_t> cursor1, Measure measure)
{
    if (!cursor1 || !channel.IsAnalog())
        return std::nullopt;
    try {
        return Finite(measure(channel, *cursor1));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

PanelWidths LabelPanelWidths(const Oscillogram& record, RulerUnit unit, const TextWidth& mainFont,
                             const TextWidth& smallFont)
{
    PanelWidths widths{0, mainFont(Text(viewtext::kMaxLabel))};
    for (const Channel& channel : record.channels) {
        widths.nameColumnWidth = std::max(widths.nameColumnWidth, mainFont(PanelName(channel)) + 5);
        const std::string valueTemplate = !channel.IsAnalog()     ? std::string()
                                          : HasShortValues(channel) ? ": -0.00000000 A"
                                                                    : ": -0.0000000E-000 ";
        widths.leftMargin = std::max(widths.leftMargin, mainFont(valueTemplate) + 10);
        widths.nameColumnWidth = std::max(widths.nameColumnWidth, ReadoutLabelWidth(channel, smallFont));
    }
    widths.leftMargin += widths.nameColumnWidth;
    if (unit == RulerUnit::AbsoluteTime)
        widths.leftMargin = std::max(widths.leftMargin, smallFont("99/99/9999   ") + 5 + smallFont("99:99:99.999") / 2);
    return widths;
}

std::string PanelName(const Channel& channel)
{
    return FirstCharacters(channel.Name(), kNameLength);
}

std::string PanelUnit(const Channel& channel)
{
    return FirstCharacters(DisplayUnit(channel), kUnitLength);
}

std::string CursorValueText(double value, const std::string& unit)
{
    return (value < 0 ? "-" : " ") + MagnitudeText(std::fabs(value), unit);
}

std::string ReadoutValueText(double value, const std::string& unit)
{
    return (value < 0 ? "" : " ") + MagnitudeText(value, unit);
}

std::string HoverText(double value)
{
    return FormatText(value < 0 ? "-%-8g " : " %-8g ", {std::fabs(value)});
}

std::vector<ReadoutLine> ReadoutLines(const Channel& channel, std::optional<std::int64_t> cursor1)
{
    std::vector<ReadoutLine> lines;
    if (!channel.IsAnalog())
        return lines;
    if (channel.HasFlag(display::kReadMinMax)) {
        lines.push_back({ReadoutKind::Maximum, Text(viewtext::kMaxLabel), Finite(channel.maxValue)});
        lines.push_back({ReadoutKind::Minimum, Text(viewtext::kMinLabel), Finite(channel.minValue)});
    }
    if (channel.HasFlag(display::kReadRms)) {
        lines.push_back({ReadoutKind::Rms, Text(viewtext::kRmsLabel),
                         MeasureAt(channel, cursor1, [](const Channel& c, std::int64_t at) { return Rms(c, at, 1); })});
    }
    if (channel.HasFlag(display::kReadFirstHarmonic)) {
        lines.push_back({ReadoutKind::FirstHarmonic, Text(viewtext::kFirstHarmonicLabel),
                         MeasureAt(channel, cursor1, [](const Channel& c, std::int64_t at) { return HarmonicRms(c, 1, at); })});
    }
    return lines;
}

std::optional<double> ValueAtCursor(const Channel& channel, std::optional<std::int64_t> cursor1)
{
    return MeasureAt(channel, cursor1, [](const Channel& c, std::int64_t at) {
        const Series<double>& series = c.InstantSeries();
        return at >= 0 && static_cast<std::size_t>(at) < series.Size() ? series.At(static_cast<std::size_t>(at))
                                                                        : Value(c, at);
    });
}

std::optional<std::string> CursorValueLabel(const Channel& channel, std::optional<std::int64_t> cursor1)
{
    if (const std::optional<double> value = ValueAtCursor(channel, cursor1))
        return CursorValueText(*value, PanelUnit(channel));
    const bool inRecord = cursor1 && *cursor1 >= 0 && static_cast<std::size_t>(*cursor1) < channel.samples.Size();
    if (!channel.IsAnalog() || !inRecord || !std::isnan(channel.samples.At(static_cast<std::size_t>(*cursor1))))
        return std::nullopt;
    return FormatText(" %-6s %s", {std::string(kMissingValue), PanelUnit(channel)});
}

std::vector<Badge> Badges(const Channel& channel)
{
    std::vector<Badge> badges;
    const auto add = [&badges](bool shown, Badge badge) {
        if (shown)
            badges.push_back(badge);
    };
    add(channel.zoom.zoomed, Badge::VerticalZoom);
    add(channel.HasFlag(display::kDcRemoved), Badge::DcRemoved);
    add(channel.HasFlag(display::kInverted), Badge::Inverted);
    add(channel.displayRatio != 1.0, Badge::Coefficient);
    add(channel.HasFlag(display::kCurveRms), Badge::RmsCurve);
    add(channel.HasFlag(display::kCurveFirstHarmonic), Badge::FirstHarmonicCurve);
    add(channel.HasFlag(display::kAdcCounts), Badge::AdcCounts);
    return badges;
}

} // namespace zarva
