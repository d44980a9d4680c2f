#include "core/formats/ComtradeTime.h"

#include "core/formats/CfgFieldReader.h"
#include "core/formats/MissingCodes.h"
#include "core/model/Oscillogram.h"
#include "core/model/StringTable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace zarva {
namespace {

constexpr int kUtcSuffix = 3548;
constexpr int kLocalSuffix = 3547;

struct Date {
    int day = 0;
    int month = 0;
    int year = 0;
};

struct Clock {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    std::string fraction;  // digits as written, leading zeros kept
};

// Up to `count` unsigned numbers separated by any of `separators`.
template <std::size_t N>
std::size_t ScanNumbers(std::string_view text, std::string_view separators, std::array<long, N>& numbers,
                        std::array<std::string_view, N>* digits = nullptr)
{
    text = TrimBlanks(text);
    std::size_t found = 0;
    std::size_t i = 0;
    while (found < N && i < text.size()) {
        const std::size_t start = i;
        long value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000000)
            value = value * 10 + (text[i++] - '0');
        if (i == start)
            break;
        if (digits != nullptr)
            (*digits)[found] = text.substr(start, i - start);
        numbers[found++] = value;
        if (i < text.size() && separators.find(text[i]) == std::string_view::npos)
            break;
        ++i;
    }
    return found;
}

std::optional<Date> ParseDate(std::string_view text, bool dayFirst)
{
    std::array<long, 3> numbers{};
    if (ScanNumbers(text, "/.", numbers) < 3)
        return std::nullopt;
    Date date{static_cast<int>(dayFirst ? numbers[0] : numbers[1]),
              static_cast<int>(dayFirst ? numbers[1] : numbers[0]), static_cast<int>(numbers[2])};
    if (date.month > 12)
        std::swap(date.day, date.month);
    // Two-digit years of recorders from before 2000 and after.
    if (date.year < 100)
        date.year += date.year >= 70 ? 1900 : 2000;
    return date;
}

std::optional<Clock> ParseClock(std::string_view text)
{
    std::array<long, 4> numbers{};
    std::array<std::string_view, 4> digits{};
    const std::size_t found = ScanNumbers(text, ":.", numbers, &digits);
    if (found < 3)
        return std::nullopt;
    return Clock{static_cast<int>(numbers[0]), static_cast<int>(numbers[1]), static_cast<int>(numbers[2]),
                 found == 4 ? std::string(digits[3]) : std::string()};
}

// Back from days since 1970-01-01 to a civil date (proleptic Gregorian calendar).
Date CivilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {day, month, static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0))};
}

// Minutes of a time or local code such as "+3", "-5h30" or "0"; none for a code that is not one
// (empty, or "x" where a recorder keeps no local time).
std::optional<std::int64_t> CodeMinutes(std::string_view code)
{
    code = TrimBlanks(code);
    const bool negative = !code.empty() && code[0] == '-';
    if (!code.empty() && (code[0] == '+' || code[0] == '-'))
        code.remove_prefix(1);
    std::array<long, 2> numbers{};
    const std::size_t found = ScanNumbers(code, "hH", numbers);
    if (found == 0)
        return std::nullopt;
    const std::int64_t minutes = numbers[0] * 60 + (found > 1 ? numbers[1] : 0);
    return negative ? -minutes : minutes;
}

// A moment of the record as seconds from 1970 on its own clock, with the fraction as written.
struct Moment {
    std::int64_t seconds = 0;
    std::string fraction;
};

std::optional<Moment> ParseMoment(const Oscillogram& record, std::string_view date, std::string_view time)
{
    const std::optional<Date> day = ParseDate(date, DatesDayFirst(record));
    const std::optional<Clock> clock = ParseClock(time);
    if (!day || !clock || day->month < 1 || day->month > 12 || day->day < 1 || day->day > 31)
        return std::nullopt;
    return Moment{DaysFromCivil(day->year, day->month, day->day) * 86400 + clock->hours * 3600LL +
                      clock->minutes * 60LL + clock->seconds,
                  clock->fraction};
}

struct CivilMoment {
    Date date;
    int hours;
    int minutes;
    int seconds;
};

CivilMoment ToCivil(std::int64_t seconds)
{
    const std::int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const std::int64_t secondOfDay = seconds - days * 86400;
    return {CivilFromDays(days), static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
            static_cast<int>(secondOfDay % 60)};
}

std::string Join(std::string_view date, std::string_view time)
{
    return std::string(date) + ", " + std::string(TrimBlanks(time));
}

} // namespace

std::int64_t DaysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool DatesDayFirst(const Oscillogram& record)
{
    return !IsRevision1991(record.revisionYear);
}

std::optional<RecordMoment> ParseMoment(std::string_view date, std::string_view time, bool dayFirst)
{
    const std::optional<Date> day = ParseDate(date, dayFirst);
    const std::optional<Clock> clock = ParseClock(time);
    if (!day || !clock)
        return std::nullopt;
    const RecordMoment moment{day->year, day->month, day->day, clock->hours, clock->minutes, clock->seconds,
                              clock->fraction};
    const bool valid = moment.year >= 1 && moment.year <= 9999 && moment.month >= 1 && moment.month <= 12 &&
                       moment.day >= 1 &&
                       moment.day == CivilFromDays(DaysFromCivil(moment.year, moment.month, moment.day)).day &&
                       moment.hours < 24 && moment.minutes < 60 && moment.seconds <= 60;
    return valid ? std::optional(moment) : std::nullopt;
}

std::optional<MomentTexts> ShiftedMoment(std::string_view date, std::string_view time, std::int64_t microseconds,
                                         bool dayFirst)
{
    const std::optional<RecordMoment> moment = ParseMoment(date, time, dayFirst);
    if (!moment)
        return std::nullopt;
    // Seconds and the fraction apart, so that nanosecond fractions of distant years cannot overflow.
    const std::size_t digits = std::clamp<std::size_t>(moment->fraction.size(), 6, 9);
    std::string fraction = moment->fraction.substr(0, digits);
    fraction.resize(digits, '0');
    std::int64_t perSecond = 1;
    for (std::size_t i = 0; i < digits; ++i)
        perSecond *= 10;
    std::int64_t ticks = std::stoll(fraction) + microseconds % 1'000'000 * (perSecond / 1'000'000);
    std::int64_t seconds = DaysFromCivil(moment->year, moment->month, moment->day) * 86400 + moment->hours * 3600LL +
                           moment->minutes * 60LL + moment->seconds + microseconds / 1'000'000;
    const std::int64_t carry = ticks >= 0 ? ticks / perSecond : -((perSecond - 1 - ticks) / perSecond);
    seconds += carry;
    ticks -= carry * perSecond;

    const CivilMoment shifted = ToCivil(seconds);
    const Date& day = shifted.date;
    char text[96];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", dayFirst ? day.day : day.month, dayFirst ? day.month : day.day,
                  day.year);
    MomentTexts texts{text, {}};
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%0*lld", shifted.hours, shifted.minutes, shifted.seconds,
                  static_cast<int>(digits), static_cast<long long>(ticks));
    texts.time = text;
    return texts;
}

std::string NormaliseDate(std::string_view date, bool dayFirst)
{
    const std::optional<Date> parsed = ParseDate(date, dayFirst);
    if (!parsed)
        return {};
    char text[48];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", parsed->day, parsed->month, parsed->year);
    return text;
}

std::string MomentText(const Oscillogram& record, std::string_view date, std::string_view time,
                       bool utcFor2013)
{
    const bool dayFirst = DatesDayFirst(record);
    if (record.localCode.empty() && record.timeCode.empty())
        return Join(NormaliseDate(date, dayFirst), time);
    const std::string& suffix = Text(utcFor2013 ? kUtcSuffix : kLocalSuffix);
    const std::optional<Moment> moment = ParseMoment(record, date, time);
    if (!moment)
        return Join(TrimBlanks(date), time) + suffix;
    // The file's clock runs at UTC + time code; local time is UTC + local code.
    std::int64_t seconds = moment->seconds - CodeMinutes(record.timeCode).value_or(0) * 60;
    if (!utcFor2013)
        seconds += CodeMinutes(record.localCode).value_or(0) * 60;
    const CivilMoment shown = ToCivil(seconds);
    char text[96];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d, %02d:%02d:%02d", shown.date.day, shown.date.month,
                  shown.date.year, shown.hours, shown.minutes, shown.seconds);
    std::string result = text;
    if (!moment->fraction.empty())
        result += "." + moment->fraction;
    return result + suffix;
}

std::optional<std::string> UtcMoment(const Oscillogram& record, std::string_view date, std::string_view time)
{
    const std::optional<std::int64_t> code = CodeMinutes(record.timeCode);
    const std::optional<Moment> moment = ParseMoment(record, date, time);
    if (!code || !moment)
        return std::nullopt;
    const CivilMoment utc = ToCivil(moment->seconds - *code * 60);
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", utc.date.year, utc.date.month, utc.date.day,
                  utc.hours, utc.minutes, utc.seconds);
    return std::string(text) + (moment->fraction.empty() ? "" : "." + moment->fraction) + "Z";
}

std::string StartText(const Oscillogram& record, bool utcFor2013)
{
    return MomentText(record, record.startDate, record.startTime, utcFor2013);
}

std::string TriggerText(const Oscillogram& record, bool utcFor2013)
{
    return MomentText(record, record.triggerDate, record.triggerTime, utcFor2013);
}

} // namespace zarva
