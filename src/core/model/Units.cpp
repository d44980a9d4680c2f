#include "core/model/Units.h"

#include "core/model/Channel.h"
#include "core/model/StringTable.h"
#include "core/model/TextCase.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

namespace zarva {
namespace {

// Unit texts are short; working on code points keeps "first n characters" honest for
// Cyrillic letters, which take two bytes in UTF-8.
std::u32string ToCodePoints(const std::string& utf8)
{
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = U'?';
        const std::size_t length = Utf8SequenceLength(utf8, i, &c);
        out += c;
        i += std::max<std::size_t>(length, 1);
    }
    return out;
}

std::u32string UpperText(std::u32string text)
{
    for (char32_t& c : text)
        c = UpperCase(c);
    return text;
}

bool OneOf(const std::u32string& text, std::initializer_list<const char32_t*> options)
{
    for (const char32_t* option : options) {
        if (text == option)
            return true;
    }
    return false;
}

std::u32string Left(const std::u32string& text, std::size_t n) { return text.substr(0, n); }

std::u32string Right(const std::u32string& text, std::size_t n)
{
    return n >= text.size() ? text : text.substr(text.size() - n);
}

bool EndsPerSecond(const std::u32string& text)
{
    return OneOf(Right(text, 2), {U"/с", U"/s"}) && text.size() >= 2;
}

struct Prefix {
    std::size_t length = 0;
    double factor = 1.0;
};

bool IsNominal(const std::u32string& t, const std::u32string& upper)
{
    return upper == U"NOM" || OneOf(t, {U"ном", U"Ном", U"НОМ"});
}

Prefix FindPrefix(const std::u32string& t)
{
    const std::size_t n = t.size();
    const std::u32string first = Left(t, 1);
    const bool shortPerSecond = n == 3 && EndsPerSecond(t);
    if (OneOf(Left(t, 2), {U"мк", U"mk"}))
        return {2, 1e-6};
    if (OneOf(first, {U"u", U"µ", U"μ"}))
        return {1, 1e-6};
    if (OneOf(first, {U"м", U"m"}) && n != 1 && !shortPerSecond)
        return {1, 1e-3};
    if (OneOf(first, {U"н", U"Н", U"n", U"N"}) && n != 1 && !shortPerSecond &&
        !IsNominal(t, UpperText(t)) && !(n == 5 && EndsPerSecond(t) && IsNominal(Left(t, 3), UpperText(Left(t, 3)))))
        return {1, 1e-9};
    if (OneOf(first, {U"к", U"К", U"k", U"K"}))
        return {1, 1e3};
    if (OneOf(first, {U"М", U"M"}) && n != 1 && !shortPerSecond)
        return {1, 1e6};
    if (OneOf(first, {U"Г", U"G"})) {
        const bool notGiga = OneOf(UpperText(Left(t, 2)), {U"ГН", U"ГЦ", U"ГР"}) &&
                             (n == 2 || (n == 4 && EndsPerSecond(t)));
        if (!notGiga)
            return {1, 1e9};
    }
    return {};
}

struct Canonical {
    std::string unit;
    bool undoesPrefix = false;
};

struct SpelledOut {
    const char* unit;
    double factor;
};

// Units written out in words, as some recorders do ("amps", "Kilovolt"), given in upper case.
std::optional<SpelledOut> SpelledOutUnit(std::u32string_view upper)
{
    static constexpr std::pair<const char32_t*, double> kPrefixes[] = {{U"KILO", 1e3}, {U"MEGA", 1e6}, {U"MILLI", 1e-3}};
    static constexpr std::pair<const char32_t*, const char*> kNames[] = {
        {U"AMPERE", "A"}, {U"AMPERES", "A"}, {U"AMP", "A"},   {U"AMPS", "A"},  {U"VOLT", "V"},
        {U"VOLTS", "V"},  {U"HERTZ", "Hz"},  {U"OHM", "Ohm"}, {U"OHMS", "Ohm"},
    };
    double factor = 1.0;
    for (const auto& [prefix, prefixFactor] : kPrefixes) {
        if (upper.starts_with(prefix)) {
            upper.remove_prefix(std::char_traits<char32_t>::length(prefix));
            factor = prefixFactor;
            break;
        }
    }
    for (const auto& [name, unit] : kNames) {
        if (upper == name)
            return SpelledOut{unit, factor};
    }
    return std::nullopt;
}

Canonical CanonicalName(const std::u32string& t, const std::u32string& upper)
{
    const std::u32string ohm = ToCodePoints(Text(3546));
    const std::u32string degree = ToCodePoints(Text(3105));
    Canonical found;
    auto match = [&found](bool condition, const char* unit, bool undoesPrefix = false) {
        if (condition)
            found = {unit, undoesPrefix};
    };
    match(OneOf(upper, {U"А", U"A"}), "A");
    match(OneOf(upper, {U"В", U"V"}), "V");
    match(OneOf(upper, {U"ВА", U"В·А", U"V·A", U"VA"}), "VA");
    match(OneOf(upper, {U"ВТ", U"W"}), "W");
    match(OneOf(upper, {U"ВАР", U"VAR"}), "var");
    match(t == U"Ом" || (!ohm.empty() && t == ohm) || upper == U"OHM", "Ohm");
    match(OneOf(upper, {U"Ф", U"F"}), "F");
    match(OneOf(upper, {U"ГН", U"H"}), "H");
    match(OneOf(t, {U"гр", U"ГР", U"Гр", U"гР"}) || (!degree.empty() && t == degree) || upper == U"DEG",
          "DEG", true);
    match(OneOf(t, {U"н", U"Н"}) || IsNominal(t, upper), "nom", true);
    match(OneOf(upper, {U"О. Е.", U"О.Е.", U"ОЕ", U"О Е", U"P. U.", U"P.U.", U"PU", U"P U"}), "p. u.", true);
    match(OneOf(upper, {U"ГЦ", U"HZ"}), "Hz");
    match(OneOf(t, {U"м", U"М", U"m", U"M"}), "m");
    match(OneOf(t, {U"с", U"s"}), "s");
    match(OneOf(t, {U"См", U"S"}), "S");
    return found;
}

std::string TrimBlanks(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

void InterpretUnit(Channel& channel, CodePage page)
{
    const std::string asRead = DecodeText(TrimBlanks(channel.unit8), page);
    channel.unit.clear();
    channel.unitFactor = 1.0;
    channel.perSecond = false;
    channel.unitUnrecognised = false;
    std::u32string t = ToCodePoints(asRead);
    if (t.empty() || UpperText(t) == U"NONE")
        return;
    if (const std::optional<SpelledOut> spelled = SpelledOutUnit(UpperText(t))) {
        channel.unit = spelled->unit;
        channel.unitFactor = spelled->factor;
        return;
    }

    const Prefix prefix = FindPrefix(t);
    channel.unitFactor = prefix.factor;
    t.erase(0, prefix.length);
    if (EndsPerSecond(t)) {
        t.resize(t.size() - 2);
        channel.perSecond = true;
    }
    const Canonical canonical = CanonicalName(t, UpperText(t));
    channel.unit = canonical.unit;
    if (canonical.undoesPrefix && prefix.length > 0) {
        channel.unit = asRead;
        channel.unitFactor = 1.0;
        channel.perSecond = false;
    }
    if (channel.unit.empty()) {
        channel.unit = asRead;
        channel.unitFactor = 1.0;
        channel.perSecond = false;
        channel.unitUnrecognised = true;
    }
}

std::string DisplayUnit(const Channel& channel)
{
    const std::string unit = channel.Unit();
    if (channel.unitUnrecognised || unit.empty())
        return unit;
    std::string shown = LocaliseUnit(unit);
    if (channel.perSecond)
        shown += EnglishInterface() ? "/s" : "/с";
    return shown;
}

std::string LocaliseUnit(const std::string& unit)
{
    std::string text = unit;
    ReplaceAll(text, "DEG", Text(3105));
    if (!EnglishInterface()) {
        static const std::pair<const char*, const char*> kRussian[] = {
            {"OHM", "Ом"}, {"var", "вар"}, {"VAr", "ВАр"}, {"Ohm", "Ом"}, {"nom", "ном"},
            {"VA", "ВА"},  {"Hz", "Гц"},   {"mk", "мк"},   {"A", "А"},    {"V", "В"},
            {"W", "Вт"},   {"F", "Ф"},     {"H", "Гн"},    {"m", "м"},    {"n", "н"},
            {"K", "К"},    {"k", "к"},     {"M", "М"},     {"G", "Г"},    {"s", "с"},
            {"S", "См"},   {"p. u.", "o. e."}, {"µ", "мк"},
        };
        for (const auto& [from, to] : kRussian)
            ReplaceAll(text, from, to);
    }
    ReplaceAll(text, "Ohm", Text(3546));
    return text;
}

double DisplayRatio(const Channel& channel)
{
    double ratio = 1.0;
    if (channel.showPrimary && !channel.valuesArePrimary)
        ratio = channel.primary / channel.secondary;
    else if (!channel.showPrimary && channel.valuesArePrimary)
        ratio = channel.secondary / channel.primary;
    return std::isfinite(ratio) && ratio != 0.0 ? ratio : 1.0;
}

} // namespace zarva
