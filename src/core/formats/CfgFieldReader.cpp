#include "core/formats/CfgFieldReader.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace zarva {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
bool IsDelimiter(char c) { return c == ',' || c == '\t' || c == '\n' || c == '\r'; }

} // namespace

void CfgFieldReader::SkipBlank()
{
    while (position_ < text_.size() && IsBlank(text_[position_]))
        ++position_;
}

std::string_view CfgFieldReader::TakeUntil(bool (*stop)(char))
{
    SkipBlank();
    const std::size_t start = position_;
    while (position_ < text_.size() && !stop(text_[position_]))
        ++position_;
    const std::string_view taken = text_.substr(start, position_ - start);
    if (position_ < text_.size())
        ++position_;
    return taken;
}

std::string_view CfgFieldReader::ReadLine()
{
    return TakeUntil(IsLineEnd);
}

std::string_view CfgFieldReader::ReadField()
{
    return TakeUntil(IsDelimiter);
}

std::int32_t CfgFieldReader::ReadInt()
{
    return LeadingInt(ReadField());
}

std::int32_t LeadingInt(std::string_view field)
{
    constexpr std::int64_t kLimit = std::int64_t{1} << 40;
    std::int64_t value = 0;
    bool negative = false;
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '-')
            negative = !negative;
        else if (c >= '0' && c <= '9')
            value = std::min(kLimit, value * 10 + (c - '0'));
        else
            break;
    }
    if (negative)
        value = -value;
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, kMin, kMax));
}

std::optional<double> LeadingNumber(std::string_view field)
{
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    if (i < field.size() && field[i] == '+')
        ++i;
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data() + i, field.data() + field.size(), value);
    (void)end;
    // A number beyond the range of doubles is still a number; it reads as 0 as it always did.
    if (error == std::errc::result_out_of_range)
        return 0.0;
    if (error != std::errc())
        return std::nullopt;
    return value;
}

double ToNumber(std::string_view field)
{
    return LeadingNumber(field).value_or(0.0);
}

std::string_view TrimBlanks(std::string_view field)
{
    const std::size_t first = field.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return field.substr(first, field.find_last_not_of(" \t") - first + 1);
}

} // namespace zarva
