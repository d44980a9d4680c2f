#include "core/view/CursorTexts.h"

#include "core/document/Document.h"
#include "core/model/Rounding.h"
#include "core/model/StringTable.h"
#include "core/model/TextFormat.h"
#include "core/model/Units.h"
#include "core/model/ValueText.h"
#include "core/view/TimeRuler.h"
#include "core/view/ViewTexts.h"

#include <cmath>
#include <cstdlib>

namespace zarva {
namespace {

// The first of the three texts (cursor 1, cursor 2, difference) of a ruler unit.
int StatusTextsOf(RulerUnit unit)
{
    switch (unit) {
    case RulerUnit::Milliseconds:
        return viewtext::kStatusMilliseconds;
    case RulerUnit::Seconds:
        return viewtext::kStatusSeconds;
    case RulerUnit::AbsoluteTime:
        return viewtext::kStatusTimeOfDay;
    case RulerUnit::Samples:
        return viewtext::kStatusSamples;
    default:
        return viewtext::kStatusMicroseconds;
    }
}

std::string TimeText(const std::string& format, const Oscillogram& record, RulerUnit unit, std::int64_t sample,
                     int decimals)
{
    const std::int64_t time = RelativeTime(record, sample);
    switch (unit) {
    case RulerUnit::Milliseconds:
    case RulerUnit::Seconds:
        return FormatText(format, {TimeNumber(time, unit, decimals, false)});
    case RulerUnit::AbsoluteTime:
        return FormatText(format, {TimeOfDay(record, time, decimals)});
    case RulerUnit::Samples:
        return FormatText(format, {sample - record.zeroSample + 1});
    default:
        return FormatText(format, {time});
    }
}

std::string DifferenceText(const std::string& format, const Oscillogram& record, RulerUnit unit, std::int64_t v1,
                           std::int64_t v2, int decimals)
{
    const std::int64_t difference = std::llabs(RelativeTime(record, v2) - RelativeTime(record, v1));
    switch (unit) {
    case RulerUnit::Milliseconds:
    case RulerUnit::Seconds:
        return FormatText(format, {TimeNumber(difference, unit, decimals, false)});
    case RulerUnit::AbsoluteTime: {
        // Seconds within the minute, as the clock's own seconds field.
        const std::int64_t perSecond = decimals > 3 ? 1'000'000 : 1000;
        const std::int64_t steps =
            RoundToInt64(static_cast<double>(difference) * static_cast<double>(perSecond) / 1e6) % (60 * perSecond);
        return FormatText(format, {FormatText(decimals > 3 ? "%02d.%06d" : "%02d.%03d", {steps / perSecond, steps % perSecond})});
    }
    case RulerUnit::Samples:
        return FormatText(format, {std::llabs(v2 - v1)});
    default:
        return FormatText(format, {difference});
    }
}

std::string HorizontalText(const Document& document, int index)
{
    const HorizontalCursor& cursor = document.cursors.Horizontal(index);
    const auto& channels = document.oscillogram.channels;
    if (!cursor.active || cursor.channel < 0 || static_cast<std::size_t>(cursor.channel) >= channels.size())
        return Text(index == 0 ? viewtext::kHorizontalCursor1Idle : viewtext::kHorizontalCursor2Idle);
    const std::string unit = DisplayUnit(channels[static_cast<std::size_t>(cursor.channel)]);
    const UnitMultiple multiple = unit.empty() ? UnitMultiple{} : ChooseMultiple(cursor.value);
    return FormatText(Text(index == 0 ? viewtext::kHorizontalCursor1 : viewtext::kHorizontalCursor2),
                      {cursor.value / multiple.factor, multiple.prefix + unit});
}

std::string HorizontalDifferenceText(const Document& document)
{
    const HorizontalCursor& h1 = document.cursors.Horizontal(0);
    const HorizontalCursor& h2 = document.cursors.Horizontal(1);
    const auto& channels = document.oscillogram.channels;
    if (!h1.active || !h2.active || h1.channel < 0 || h1.channel != h2.channel ||
        static_cast<std::size_t>(h1.channel) >= channels.size())
        return Text(viewtext::kHorizontalDifferenceIdle);
    const double difference = std::fabs(h1.value - h2.value);
    const std::string unit = DisplayUnit(channels[static_cast<std::size_t>(h1.channel)]);
    const UnitMultiple multiple = unit.empty() ? UnitMultiple{} : ChooseMultiple(difference);
    return FormatText(Text(viewtext::kHorizontalDifference), {difference / multiple.factor, multiple.prefix, unit});
}

} // namespace

CursorStatus CursorStatusTexts(const Document& document, RulerUnit unit)
{
    const Oscillogram& record = document.oscillogram;
    const VerticalCursor& v1 = document.cursors.Vertical(0);
    const VerticalCursor& v2 = document.cursors.Vertical(1);
    const int texts = StatusTextsOf(unit);
    const int decimals = TimeDecimals(unit, ShortestSamplePeriod(record));
    CursorStatus status;
    status.vertical1 = v1.active ? TimeText(Text(texts), record, unit, v1.sample, decimals) : Text(viewtext::kStatusIdle);
    status.vertical2 =
        v2.active ? TimeText(Text(texts + 1), record, unit, v2.sample, decimals) : Text(viewtext::kStatusIdle + 1);
    status.verticalDifference = v1.active && v2.active
                                    ? DifferenceText(Text(texts + 2), record, unit, v1.sample, v2.sample, decimals)
                                    : Text(viewtext::kStatusIdle + 2);
    status.horizontal1 = HorizontalText(document, 0);
    status.horizontal2 = HorizontalText(document, 1);
    status.horizontalDifference = HorizontalDifferenceText(document);
    return status;
}

std::vector<int> StackLabels(const std::vector<std::pair<int, int>>& spans)
{
    std::vector<int> rows;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        int row = 0;
        for (bool clash = true; clash; ) {
            clash = false;
            for (std::size_t j = 0; j < i && !clash; ++j)
                clash = rows[j] == row && spans[i].first < spans[j].second && spans[j].first < spans[i].second;
            if (clash)
                ++row;
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace zarva
