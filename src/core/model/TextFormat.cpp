#include "core/model/TextFormat.h"

#include "core/model/CodePage.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

namespace zarva {
namespace {

struct Directive {
    bool left = false;
    bool zero = false;
    char sign = 0;  // '+' or ' ' before non-negative numbers
    std::size_t width = 0;
    int precision = -1;
    char conversion = 0;
};

std::size_t ReadNumber(std::string_view format, std::size_t& i)
{
    std::size_t value = 0;
    for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
        value = std::min<std::size_t>(value * 10 + static_cast<std::size_t>(format[i] - '0'), 1000);
    return value;
}

// The directive after '%' at format[i]; i ends after the conversion. False when it is none.
bool ReadDirective(std::string_view format, std::size_t& i, Directive& directive)
{
    for (; i < format.size(); ++i) {
        const char flag = format[i];
        if (flag == '-')
            directive.left = true;
        else if (flag == '0')
            directive.zero = true;
        else if (flag == '+' || (flag == ' ' && directive.sign != '+'))
            directive.sign = flag;
        else
            break;
    }
    directive.width = ReadNumber(format, i);
    if (i < format.size() && format[i] == '.') {
        ++i;
        directive.precision = static_cast<int>(ReadNumber(format, i));
    }
    while (i < format.size() && (format[i] == 'l' || format[i] == 'h'))
        ++i;
    if (i >= format.size())
        return false;
    directive.conversion = format[i++];
    return std::string_view("diugfeEs%").find(directive.conversion) != std::string_view::npos;
}

double AsDouble(const FormatArg& arg)
{
    if (const auto* integer = std::get_if<std::int64_t>(&arg))
        return static_cast<double>(*integer);
    if (const auto* real = std::get_if<double>(&arg))
        return *real;
    return 0.0;
}

std::int64_t AsInteger(const FormatArg& arg)
{
    if (const auto* integer = std::get_if<std::int64_t>(&arg))
        return *integer;
    const double real = AsDouble(arg);
    if (!std::isfinite(real))
        return 0;
    return static_cast<std::int64_t>(std::clamp(real, -9.2e18, 9.2e18));
}

std::string RealText(double value, const Directive& directive)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    const int precision = directive.precision < 0 ? 6 : directive.precision;
    char text[400];
    std::to_chars_result result{};
    switch (directive.conversion) {
    case 'f':
        result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, precision);
        break;
    case 'e':
    case 'E':
        result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, precision);
        break;
    default:
        result = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                               std::max(precision, 1));
        break;
    }
    std::string out(text, result.ec == std::errc{} ? result.ptr : text);
    if (directive.conversion == 'E')
        std::replace(out.begin(), out.end(), 'e', 'E');
    return out;
}

std::string Converted(const Directive& directive, const FormatArg* arg)
{
    if (directive.conversion == '%')
        return "%";
    if (arg == nullptr)
        return {};
    if (directive.conversion == 's') {
        const auto* text = std::get_if<std::string>(arg);
        return text != nullptr ? *text : RealText(AsDouble(*arg), Directive{.conversion = 'g'});
    }
    std::string number = directive.conversion == 'd' || directive.conversion == 'i' || directive.conversion == 'u'
                             ? std::to_string(AsInteger(*arg))
                             : RealText(AsDouble(*arg), directive);
    if (directive.sign != 0 && number.front() != '-')
        number.insert(number.begin(), directive.sign);
    return number;
}

std::string Padded(std::string text, const Directive& directive)
{
    const std::size_t length = CharacterCount(text);
    if (length >= directive.width)
        return text;
    const std::size_t missing = directive.width - length;
    if (directive.left)
        return text + std::string(missing, ' ');
    const bool numeric = directive.conversion != 's' && directive.conversion != '%';
    if (directive.zero && numeric && !text.empty() && std::isdigit(static_cast<unsigned char>(text.back()))) {
        const std::size_t signs = (text[0] == '-' || text[0] == '+' || text[0] == ' ') ? 1 : 0;
        text.insert(signs, missing, '0');
        return text;
    }
    return std::string(missing, ' ') + text;
}

} // namespace

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args)
{
    const std::vector<FormatArg> values(args);
    std::size_t next = 0;
    std::string out;
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] != '%') {
            out += format[i++];
            continue;
        }
        const std::size_t start = i++;
        Directive directive;
        if (!ReadDirective(format, i, directive)) {
            out.append(format.substr(start, i - start));
            continue;
        }
        const FormatArg* arg = nullptr;
        if (directive.conversion != '%' && next < values.size())
            arg = &values[next++];
        out += Padded(Converted(directive, arg), directive);
    }
    return out;
}

std::string ExactText(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::size_t CharacterCount(const std::string& utf8)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++count)
        i += std::max<std::size_t>(Utf8SequenceLength(utf8, i, nullptr), 1);
    return count;
}

std::string FirstCharacters(const std::string& utf8, std::size_t count)
{
    std::size_t i = 0;
    for (std::size_t taken = 0; i < utf8.size() && taken < count; ++taken)
        i += std::max<std::size_t>(Utf8SequenceLength(utf8, i, nullptr), 1);
    return utf8.substr(0, i);
}

std::string WithLineFeeds(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    }
    return out;
}

std::string WithCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

} // namespace zarva
