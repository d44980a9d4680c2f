#include "core/view/TimeRuler.h"

#include "core/model/Oscillogram.h"
#include "core/model/Rounding.h"
#include "core/model/StringTable.h"
#include "core/model/TextFormat.h"
#include "core/view/ViewTexts.h"

#include <algorithm>
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

std::string TimeOfDay(const Oscillogram& record, std::int64_t microseconds, int decimals)
{
    if (decimals > 3) {
        const std::int64_t moment = StartOfDayMicroseconds(record.startTime) + microseconds;
        const std::int64_t day = ((moment % kMicrosecondsPerDay) + kMicrosecondsPerDay) % kMicrosecondsPerDay;
        const std::int64_t seconds = day / 1'000'000;
        return FormatText("%02d:%02d:%02d.%06d", {seconds / 3600, seconds / 60 % 60, seconds % 60, day % 1'000'000});
    }
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

double ShortestSamplePeriod(const Oscillogram& record)
{
    double rate = record.sampleRate;
    for (const RateSegment& segment : record.rateSegments)
        rate = std::max(rate, std::isfinite(segment.rate) ? segment.rate : 0.0);
    if (rate > 0.0)
        return 1e6 / rate;
    const std::vector<std::int64_t>& times = record.sampleTimes;
    double period = 0.0;
    for (std::size_t i = 1; i < times.size(); ++i) {
        const auto step = static_cast<double>(times[i] - times[i - 1]);
        if (step > 0.0 && (period == 0.0 || step < period))
            period = step;
    }
    return period;
}

int TimeDecimals(RulerUnit unit, double step)
{
    const bool seconds = unit == RulerUnit::Seconds || unit == RulerUnit::AbsoluteTime;
    if (!seconds && unit != RulerUnit::Milliseconds)
        return 0;
    const int most = seconds ? 6 : 3;
    int decimals = seconds ? 3 : 0;
    // The last digit shown must step no further than the moments lie apart.
    while (decimals < most && step > 0.0 && std::pow(10.0, most - decimals) > step)
        ++decimals;
    return unit == RulerUnit::AbsoluteTime && decimals > 3 ? 6 : decimals;
}

std::string TimeNumber(std::int64_t microseconds, RulerUnit unit, int decimals, bool grouped)
{
    const int exponent = unit == RulerUnit::Milliseconds ? 3 : 6;
    decimals = std::clamp(decimals, 0, exponent);
    const auto steps = RoundToInt64(static_cast<double>(microseconds) / std::pow(10.0, exponent - decimals));
    const auto perUnit = static_cast<std::int64_t>(std::llround(std::pow(10.0, decimals)));
    const std::int64_t whole = steps / perUnit;
    std::string text = (steps < 0 && whole == 0 ? "-" : "") + (grouped ? GroupDigits(whole) : std::to_string(whole));
    if (decimals > 0) {
        const std::string fraction = std::to_string(steps < 0 ? -(steps % perUnit) : steps % perUnit);
        text += '.' + std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
    }
    return text;
}

std::string RulerLabel(const Oscillogram& record, RulerUnit unit, std::int64_t sample, bool withUnit,
                       std::optional<int> decimals)
{
    const std::int64_t time = RelativeTime(record, sample);
    const int shown = decimals.value_or(TimeDecimals(unit, ShortestSamplePeriod(record)));
    std::string number;
    int unitText = viewtext::kRulerMicroseconds;
    switch (unit) {
    case RulerUnit::Milliseconds:
        number = TimeNumber(time, unit, shown, true);
        unitText = viewtext::kRulerMilliseconds;
        break;
    case RulerUnit::Seconds:
        number = TimeNumber(time, unit, shown, false);
        if (number.find_first_not_of("-0.") == std::string::npos)
            number = "0";
        unitText = viewtext::kRulerSeconds;
        break;
    case RulerUnit::AbsoluteTime:
        return TimeOfDay(record, time, shown);
    case RulerUnit::Samples:
        return GroupDigits(sample - record.zeroSample + 1);
    default:
        number = GroupDigits(time);
        break;
    }
    return withUnit ? FormatText(Text(unitText), {number}) : number;
}

RulerUnit DefaultRulerUnit(const Oscillogram& record)
{
    const std::vector<std::int64_t>& times = record.sampleTimes;
    constexpr std::int64_t kLongRecord = 10'000'000;
    return !times.empty() && times.back() - times.front() >= kLongRecord ? RulerUnit::Seconds : RulerUnit::Milliseconds;
}

std::optional<std::int64_t> TriggerSample(const Oscillogram& record)
{
    const std::vector<std::int64_t>& times = record.sampleTimes;
    if (Numbers(record.triggerTime).size() < 3 || Numbers(record.startTime).size() < 3 || times.empty())
        return std::nullopt;
    double offset = static_cast<double>(StartOfDayMicroseconds(record.triggerTime) -
                                        StartOfDayMicroseconds(record.startTime));
    const auto start = DateParts(record.startDate);
    const auto trigger = DateParts(record.triggerDate);
    if (start && trigger) {
        namespace chrono = std::chrono;
        const auto day = [](const std::array<double, 3>& parts) {
            return chrono::year_month_day{chrono::year(static_cast<int>(parts[2])),
                                          chrono::month(static_cast<unsigned>(parts[1])),
                                          chrono::day(static_cast<unsigned>(parts[0]))};
        };
        if (day(*start).ok() && day(*trigger).ok())
            offset += static_cast<double>((chrono::sys_days(day(*trigger)) - chrono::sys_days(day(*start))).count()) *
                      static_cast<double>(kMicrosecondsPerDay);
    }
    const std::size_t zero = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(record.zeroSample, 0)), 0,
                                                     times.size() - 1);
    const double moment = static_cast<double>(times[zero]) + offset;
    if (moment < static_cast<double>(times.front()) || moment > static_cast<double>(times.back()))
        return std::nullopt;
    const auto after = std::lower_bound(times.begin(), times.end(), moment,
                                        [](std::int64_t time, double value) { return static_cast<double>(time) < value; });
    auto nearest = after;
    if (after != times.begin() && (after == times.end() || moment - static_cast<double>(*(after - 1)) <=
                                                               static_cast<double>(*after) - moment))
        nearest = after - 1;
    return static_cast<std::int64_t>(nearest - times.begin());
}

std::vector<std::int64_t> RateChangeSamples(const Oscillogram& record)
{
    std::vector<std::int64_t> changes;
    const std::vector<RateSegment>& segments = record.rateSegments;
    for (std::size_t i = 1; i < segments.size(); ++i) {
        // Recorders that log their measured rate per segment differ by fractions of a hertz.
        const double previous = segments[i - 1].rate;
        if (std::fabs(segments[i].rate - previous) > 0.01 * std::fabs(previous) && segments[i - 1].endSample > 0)
            changes.push_back(segments[i - 1].endSample);
    }
    return changes;
}

std::vector<RulerTick> RulerTicks(const Oscillogram& record, const ViewState& state, int clientWidth)
{
    std::vector<RulerTick> ticks;
    std::vector<std::pair<std::size_t, std::int64_t>> labelled;
    const int count = (clientWidth - state.leftMargin) / view::kSampleWidth + 1;
    for (int i = 0; i < count; ++i) {
        RulerTick tick;
        tick.x = state.leftMargin + view::kSampleWidth * i;
        tick.length = i % 4 == 0 ? 10 : (i % 2 == 0 ? 7 : 5);
        // Every tick stands on the sample drawn under it, also while a sample spans more
        // than one tick.
        if (i % 4 == 0)
            labelled.emplace_back(ticks.size(), state.firstSample + static_cast<std::int64_t>(std::floor(i / state.xScale)));
        ticks.push_back(std::move(tick));
    }
    double step = 0.0;
    for (std::size_t i = 1; i < labelled.size(); ++i) {
        const auto apart = static_cast<double>(RelativeTime(record, labelled[i].second) -
                                               RelativeTime(record, labelled[i - 1].second));
        if (apart > 0.0 && (step == 0.0 || apart < step))
            step = apart;
    }
    const int decimals = TimeDecimals(state.rulerState, step > 0.0 ? step : ShortestSamplePeriod(record));
    for (const auto& [tick, sample] : labelled)
        ticks[tick].label = RulerLabel(record, state.rulerState, sample, tick == 0, decimals);
    return ticks;
}

} // namespace zarva
