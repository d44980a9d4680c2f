#include "core/storage/SettingsSection.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <limits>
#include <string_view>

namespace zarva {
namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int LeadingInt(std::string_view text)
{
    std::size_t i = std::min(text.find_first_not_of(kBlanks), text.size());
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    constexpr long long kBeyondLimit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kBeyondLimit);
    return static_cast<int>(std::clamp(negative ? -magnitude : magnitude,
                                       static_cast<long long>(INT_MIN),
                                       static_cast<long long>(INT_MAX)));
}

double LeadingDouble(std::string_view text)
{
    std::size_t i = std::min(text.find_first_not_of(kBlanks), text.size());
    if (i < text.size() && text[i] == '+' && text.substr(i + 1, 1) != "-")
        ++i;
    const char* first = text.data() + i;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error != std::errc::result_out_of_range)
        return error == std::errc{} ? value : 0.0;
    const std::string_view number(first, static_cast<std::size_t>(end - first));
    const bool tiny = number.find("e-") != std::string_view::npos ||
                      number.find("E-") != std::string_view::npos;
    const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    return number.front() == '-' ? -magnitude : magnitude;
}

} // namespace

void SettingsSection::SetString(const std::string& key, std::string value)
{
    values_[key] = std::move(value);
}

std::string SettingsSection::GetString(const std::string& key, const std::string& defaultValue) const
{
    const std::string* value = Find(key);
    return value ? *value : defaultValue;
}

void SettingsSection::SetInt(const std::string& key, int value)
{
    SetString(key, std::to_string(value));
}

int SettingsSection::GetInt(const std::string& key, int defaultValue) const
{
    const std::string* value = Find(key);
    return value ? LeadingInt(*value) : defaultValue;
}

void SettingsSection::SetDouble(const std::string& key, double value)
{
    char text[400];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value,
                                            std::chars_format::fixed, 6);
    SetString(key, std::string(text, error == std::errc{} ? end : text));
}

double SettingsSection::GetDouble(const std::string& key, double defaultValue) const
{
    const std::string* value = Find(key);
    return value ? LeadingDouble(*value) : defaultValue;
}

SettingsSection& SettingsSection::SubSection(const std::string& name)
{
    return subSections_[name];
}

void SettingsSection::Clear()
{
    values_.clear();
    subSections_.clear();
}

const std::string* SettingsSection::Find(const std::string& key) const
{
    const auto found = values_.find(key);
    return found == values_.end() ? nullptr : &found->second;
}

} // namespace zarva
