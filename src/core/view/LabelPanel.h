#pragma once

#include "core/view/ViewState.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zarva {

class Channel;
class Oscillogram;

// Width in pixels of a text in one of the view's fonts.
using TextWidth = std::function<int(const std::string&)>;

struct PanelWidths {
    int leftMargin = 0;
    int nameColumnWidth = 0;
};

// The label panel's width and its name column, wide enough for every channel's name,
// value and read-out labels, and for the date under the ruler in absolute time.
PanelWidths LabelPanelWidths(const Oscillogram& record, RulerUnit unit, const TextWidth& mainFont,
                             const TextWidth& smallFont);

// The channel's name as the panel shows it: its first 25 characters.
std::string PanelName(const Channel& channel);
// The unit beside values: the displayed unit cut to 5 characters.
std::string PanelUnit(const Channel& channel);

// " 63.51 kV" beside the name, in the unit multiple that keeps the number below a thousand;
// negative values as "-" and the magnitude.
std::string CursorValueText(double value, const std::string& unit);
// The value of a read-out line, in its unit multiple as well.
std::string ReadoutValueText(double value, const std::string& unit);
// A value with more digits, for the tooltip over a value line.
std::string HoverText(double value);

enum class ReadoutKind { Maximum, Minimum, Rms, FirstHarmonic };

struct ReadoutLine {
    ReadoutKind kind = ReadoutKind::Maximum;
    std::string label;             // "Max:", "Min:", "СКЗ:", "A1:"
    std::optional<double> value;   // none when it is no number or there is no cursor 1
};

// The read-out lines the channel shows, in order, with their values at cursor 1.
std::vector<ReadoutLine> ReadoutLines(const Channel& channel, std::optional<std::int64_t> cursor1);
// The instantaneous value as displayed at cursor 1.
std::optional<double> ValueAtCursor(const Channel& channel, std::optional<std::int64_t> cursor1);
// The text beside the name at cursor 1: CursorValueText of the value there, or "—" and the
// unit where the sample is missing; none without a cursor or a value.
std::optional<std::string> CursorValueLabel(const Channel& channel, std::optional<std::int64_t> cursor1);

// Marks of the modes in force, drawn right to left in this order.
enum class Badge { VerticalZoom, DcRemoved, Inverted, Coefficient, RmsCurve, FirstHarmonicCurve, AdcCounts };
std::vector<Badge> Badges(const Channel& channel);

} // namespace zarva
