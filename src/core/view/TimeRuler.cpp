#include "core/view/TimeRuler.h"

#include "core/model/Oscillogram.h"
#include "core/model/Rounding.h"
#include "core/model/StringTable.h"
#include "core/model/TextFormat.h"
#include "core/view/ViewTexts.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <optional>

namespace zarva {
namespace {

constexpr std::int64_t kMicrosecondsPerDay = 86'400'000'000;

// Microseconds from one sample to the next past the record's end.
double SamplePeriod(const Oscillogram& record)
{
    if (record.sampleRate > 0)
        return 1e6 / record.sampleRate;
    const std::vector<std::int64_t>& times = record.sampleTimes;
    return times.size() >= 2 ? static_cast<double>(times.back() - times[times.size() - 2]) : 0.0;
}

double AbsoluteSampleTime(const Oscillogram& record, std::int64_t sample)
{
    const std::vector<std::int64_t>& times = record.sampleTimes;
    if (sample >= 0 && static_cast<std::size_t>(sample) < times.size())
        return static_cast<double>(times[static_cast<std::size_t>(sample)]);
    const std::int64_t edge = sample < 0 || times.empty() ? 0 : static_cast<std::int64_t>(times.size()) - 1;
    const double edgeTime = times.empty() ? 0.0 : static_cast<double>(times[static_cast<std::size_t>(edge)]);
    return edgeTime + static_cast<double>(sample - edge) * SamplePeriod(record);
}

// The numbers of a text in order, each with its fraction: "10:15:28.250" gives 10, 15, 28.25.
std::vector<double> Numbers(const std::string& text)
{
    std::vector<double> numbers;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (at < end) {
        if (*at < '0' || *at > '9') {
            ++at;
            continue;
        }
        double value = 0.0;
        const auto [next, error] = std::from_chars(at, end, value, std::chars_format::fixed);
        if (error != std::errc{})
            break;
        numbers.push_back(value);
        at = next;
    }
    return numbers;
}

std::int64_t StartOfDayMicroseconds(const std::string& startTime)
{
    const std::vector<double> parts = Numbers(startTime);
    if (parts.size() < 3)
        return 0;
    return RoundToInt64((parts[0] * 3600.0 + parts[1] * 60.0 + parts[2]) * 1e6);
}

} // namespace

std::int64_t RelativeTime(const Oscillogram& record, std::int64_t sample)
{
    return RoundToInt64(AbsoluteSampleTime(record, sample) - AbsoluteSampleTime(record, record.zeroSample));
}

std::string GroupDigits(std::int64_t value)
{
    if (value == 0)
        return "0";
    // Magnitudes as unsigned, so that the most negative value has one too.
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string text;
    while (magnitude >= 1000) {
        const auto group = static_cast<std::int64_t>(magnitude % 1000);
        text = FormatText(" %03i", {group}) + text;
        magnitude /= 1000;
    }
    return (value < 0 ? "-" : "") + std::to_string(magnitude) + text;
}

ClockTime TimeOfDayParts(const Oscillogram& record, std::int64_t microseconds)
{
    const std::int64_t moment = StartOfDayMicroseconds(record.startTime) + microseconds;
    const std::int64_t dayMicroseconds = ((moment % kMicrosecondsPerDay) + kMicrosecondsPerDay) % kMicrosecondsPerDay;
    // Rounding to milliseconds may carry into the next second, minute or day.
    const std::int64_t milliseconds = RoundToInt64(static_cast<double>(dayMicroseconds) / 1000.0) % 86'400'000;
    const std::int64_t seconds = milliseconds / 1000;
    return {seconds / 3600, seconds / 60 % 60, seconds % 60, milliseconds % 1000};
}

std::string TimeOfDay(const Oscillogram& record, std::int64_t microseconds)
{
    const ClockTime time = TimeOfDayParts(record, microseconds);
    return FormatText("%02d:%02d:%02d.%03d", {time.hours, time.minutes, time.seconds, time.milliseconds});
}

// Day, month and year of the start date: the first two exchanged when the second is above 12,
// 2000 added to a year below 100.
std::optional<std::array<double, 3>> DateParts(const std::string& startDate)
{
    std::vector<double> parts = Numbers(startDate);
    if (parts.size() < 3)
        return std::nullopt;
    if (parts[1] > 12)
        std::swap(parts[0], parts[1]);
    if (parts[2] < 100)
        parts[2] += 2000;
    return std::array<double, 3>{parts[0], parts[1], parts[2]};
}

std::string RulerDate(const std::string& startDate)
{
    const auto parts = DateParts(startDate);
    return parts ? FormatText("%02d/%02d/%04d", {(*parts)[0], (*parts)[1], (*parts)[2]}) : std::string();
}

std::string DateAndTimeOfDay(const Oscillogram& record, std::int64_t microseconds)
{
    const std::string time = TimeOfDay(record, microseconds);
    const auto parts = DateParts(record.startDate);
    if (!parts)
        return time;
    namespace chrono = std::chrono;
    const chrono::year_month_day start{chrono::year(static_cast<int>((*parts)[2])),
                                       chrono::month(static_cast<unsigned>((*parts)[1])),
                                       chrono::day(static_cast<unsigned>((*parts)[0]))};
    const std::int64_t milliseconds =
        RoundToInt64(static_cast<double>(StartOfDayMicroseconds(record.startTime) + microseconds) / 1000.0);
    const std::int64_t days = milliseconds / 86'400'000 - (milliseconds % 86'400'000 < 0 ? 1 : 0);
    if (!start.ok() || days == 0)
        return RulerDate(record.startDate) + ' ' + time;
    const chrono::year_month_day date{chrono::sys_days(start) + chrono::days(days)};
    return FormatText("%02d/%02d/%04d ", {std::int64_t{static_cast<unsigned>(date.day())},
                                          std::int64_t{static_cast<unsigned>(date.month())},
                                          std::int64_t{static_cast<int>(date.year())}}) + time;
}

std::string RulerLabel(const Oscillogram& record, RulerUnit unit, std::int64_t sample, bool withUnit)
{
    const std::int64_t time = RelativeTime(record, sample);
    std::string number;
    int unitText = viewtext::kRulerMicroseconds;
    switch (unit) {
    case RulerUnit::Milliseconds:
        number = GroupDigits(RoundToInt64(static_cast<double>(time) / 1000.0));
        unitText = viewtext::kRulerMilliseconds;
        break;
    case RulerUnit::Seconds: {
        const double seconds = static_cast<double>(time) / 1e6;
        number = std::fabs(seconds) < 0.0005 ? "0" : FormatText("%.3f", {seconds});
        unitText = viewtext::kRulerSeconds;
        break;
    }
    case RulerUnit::AbsoluteTime:
        return TimeOfDay(record, time);
    case RulerUnit::Samples:
        return GroupDigits(sample - record.zeroSample + 1);
    default:
        number = GroupDigits(time);
        break;
    }
    return withUnit ? FormatText(Text(unitText), {number}) : number;
}

std::vector<RulerTick> RulerTicks(const Oscillogram& record, const ViewState& state, int clientWidth)
{
    std::vector<RulerTick> ticks;
    const int count = (clientWidth - state.leftMargin) / view::kSampleWidth + 1;
    for (int i = 0; i < count; ++i) {
        RulerTick tick;
        tick.x = state.leftMargin + view::kSampleWidth * i;
        tick.length = i % 4 == 0 ? 10 : (i % 2 == 0 ? 7 : 5);
        if (i % 4 == 0) {
            // Every tick stands on the sample drawn under it, also while a sample spans more
            // than one tick.
            const auto sample = state.firstSample + static_cast<std::int64_t>(std::floor(i / state.xScale));
            tick.label = RulerLabel(record, state.rulerState, sample, i == 0);
        }
        ticks.push_back(std::move(tick));
    }
    return ticks;
}

} // namespace zarva
