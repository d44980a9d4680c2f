#include "core/finder/FoundRecord.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace zarva {
namespace {

struct TypeName {
    RecordType type;
    const char* name;
};

constexpr std::array<TypeName, 4> kTypes = {
    {{RecordType::Cfg, "cfg"}, {RecordType::Cff, "cff"}, {RecordType::Osc, "osc"}, {RecordType::Sto, "sto"}}};

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The next number of `text` up to `separator` (or the end), moving past both.
std::optional<int> TakeNumber(std::string_view& text, char separator)
{
    const std::size_t end = std::min(text.find(separator), text.size());
    int value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + end, value);
    if (error != std::errc() || stop != text.data() + end || end == 0)
        return std::nullopt;
    text.remove_prefix(std::min(end + 1, text.size()));
    return value;
}

} // namespace

std::optional<RecordType> RecordTypeOf(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    if (name.size() < 4 || name[name.size() - 4] != '.')
        return std::nullopt;
    std::string last(name.end() - 3, name.end());
    std::transform(last.begin(), last.end(), last.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const TypeName& known : kTypes) {
        if (last == known.name)
            return known.type;
    }
    return std::nullopt;
}

const char* RecordTypeName(RecordType type)
{
    for (const TypeName& known : kTypes) {
        if (known.type == type)
            return known.name;
    }
    return kTypes[0].name;
}

CalendarDate DateOf(const RecordMoment& moment)
{
    return {moment.year, moment.month, moment.day};
}

std::string IsoText(const RecordMoment& moment)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", moment.year, moment.month, moment.day,
                  moment.hours, moment.minutes, moment.seconds);
    return moment.fraction.empty() ? std::string(text) : text + ("." + moment.fraction);
}

std::optional<CalendarDate> ParseIsoDate(std::string_view text)
{
    const std::optional<int> year = TakeNumber(text, '-');
    const std::optional<int> month = TakeNumber(text, '-');
    const std::optional<int> day = TakeNumber(text, '\0');
    if (!year || !month || !day || !text.empty() || *year < 1 || *year > 9999 || *month < 1 || *month > 12 ||
        *day < 1 || *day > DaysInMonth(*year, *month))
        return std::nullopt;
    return CalendarDate{*year, *month, *day};
}

std::strong_ordering CompareMoments(const RecordMoment& a, const RecordMoment& b)
{
    const auto whole = [](const RecordMoment& m) {
        return std::array{m.year, m.month, m.day, m.hours, m.minutes, m.seconds};
    };
    if (const auto order = whole(a) <=> whole(b); order != 0)
        return order;
    const std::size_t digits = std::max(a.fraction.size(), b.fraction.size());
    std::string left = a.fraction;
    std::string right = b.fraction;
    left.resize(digits, '0');
    right.resize(digits, '0');
    return left <=> right;
}

} // namespace zarva
