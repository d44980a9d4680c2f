#include "core/analysis/PhaseGuess.h"

#include "core/model/Oscillogram.h"
#include "core/model/TextCase.h"

#include <algorithm>
#include <vector>

namespace zarva {
namespace {

// The name in capital Latin letters and digits, words split at anything else. The Cyrillic
// letters that look like A, B and C stand for them; other letters become '#', so that a word
// of them is never a phase.
std::vector<std::string> Words(std::string_view utf8)
{
    std::vector<std::string> words(1);
    const std::string folded = FoldCase(utf8);
    for (std::size_t i = 0; i < folded.size();) {
        const auto byte = static_cast<unsigned char>(folded[i]);
        char shown = ' ';
        std::size_t length = 1;
        if (byte < 0x80) {
            if ((byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9'))
                shown = static_cast<char>(byte >= 'a' ? byte - 'a' + 'A' : byte);
        } else {
            length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
            const std::string_view letter = std::string_view(folded).substr(i, length);
            shown = letter == "а" ? 'A' : letter == "в" ? 'B' : letter == "с" ? 'C' : '#';
        }
        if (shown == ' ') {
            if (!words.back().empty())
                words.emplace_back();
        } else {
            words.back() += shown;
        }
        i += length;
    }
    if (words.back().empty())
        words.pop_back();
    return words;
}

std::optional<Phase> Lookup(const std::string& word)
{
    static constexpr std::pair<const char*, Phase> kPhases[] = {
        {"A", Phase::A},   {"B", Phase::B},    {"C", Phase::C},    {"AB", Phase::AB}, {"BC", Phase::BC},
        {"CA", Phase::CA}, {"BA", Phase::AB},  {"CB", Phase::BC},  {"AC", Phase::CA}, {"N", Phase::N},
        {"0", Phase::N},   {"I0", Phase::N},   {"U0", Phase::N},   {"3I0", Phase::N}, {"3U0", Phase::N}};
    for (const auto& [text, phase] : kPhases) {
        if (word == text)
            return phase;
    }
    return std::nullopt;
}

// A phase word, also with a number after it ("A1" of a second set of channels).
std::optional<Phase> PhaseOfWord(std::string word)
{
    if (const auto exact = Lookup(word))
        return exact;
    while (word.size() > 1 && word.back() >= '0' && word.back() <= '9')
        word.pop_back();
    const bool letters = word.find_first_of("0123456789") == std::string::npos;
    return letters ? Lookup(word) : std::nullopt;
}

std::optional<Quantity> QuantityOfUnit(std::string_view unit)
{
    if (unit.ends_with("A") || unit.ends_with("А"))
        return Quantity::Current;
    if (unit.ends_with("V") || unit.ends_with("В"))
        return Quantity::Voltage;
    return std::nullopt;
}

bool Contains(const std::string& folded, std::string_view part)
{
    return folded.find(part) != std::string::npos;
}

std::optional<Quantity> QuantityOfName(const std::string& name, const std::string& firstWord)
{
    const std::string folded = FoldCase(name);
    if (Contains(folded, "ток"))
        return Quantity::Current;
    if (Contains(folded, "напряж"))
        return Quantity::Voltage;
    const std::size_t letter = firstWord.starts_with('3') ? 1 : 0;
    if (firstWord.size() > letter && firstWord[letter] == 'I')
        return Quantity::Current;
    if (firstWord.size() > letter && firstWord[letter] == 'U')
        return Quantity::Voltage;
    return std::nullopt;
}

// The phase the name gives: the first word after its quantity letter ("IA1", "Uab"), or a
// word of its own ("I_A", "Ток фазы А").
std::optional<Phase> PhaseOfName(const std::vector<std::string>& words)
{
    if (words.empty())
        return std::nullopt;
    const std::string& first = words.front();
    if (const auto whole = PhaseOfWord(first); whole && first.size() > 1)
        return whole;  // "3I0", "I0"
    const std::size_t letter = first.starts_with('3') ? 1 : 0;
    if (first.size() > letter + 1 && (first[letter] == 'I' || first[letter] == 'U')) {
        if (const auto phase = PhaseOfWord(first.substr(letter + 1)))
            return phase;
    }
    for (std::size_t k = 1; k < words.size(); ++k) {
        if (const auto phase = PhaseOfWord(words[k]))
            return phase;
    }
    return std::nullopt;
}

} // namespace

std::optional<ChannelRole> GuessRole(const Channel& channel)
{
    if (!channel.IsAnalog())
        return std::nullopt;
    const std::vector<std::string> words = Words(channel.name);
    const std::string firstWord = words.empty() ? std::string() : words.front();
    std::optional<Quantity> quantity = QuantityOfUnit(channel.unit);
    if (!quantity)
        quantity = QuantityOfName(channel.name, firstWord);
    const std::vector<std::string> phaseWords = Words(channel.phase);
    std::optional<Phase> phase = PhaseOfName(words);
    if (!phase && phaseWords.size() == 1)
        phase = PhaseOfWord(phaseWords.front());
    if (!quantity || !phase)
        return std::nullopt;
    return ChannelRole{*quantity, *phase};
}

std::string GuessChannel(const Oscillogram& record, Quantity quantity, Phase phase)
{
    for (const Channel& channel : record.channels) {
        if (record.calcChannels.Computes(channel.name))
            continue;
        const std::optional<ChannelRole> role = GuessRole(channel);
        if (role && role->quantity == quantity && role->phase == phase)
            return channel.name;
    }
    return {};
}

bool NamesChannel(const Oscillogram& record, const std::string& name)
{
    return std::ranges::any_of(record.channels, [&](const Channel& c) { return c.name == name; });
}

void GuessInto(std::string& choice, const Oscillogram& record, Quantity quantity, Phase phase)
{
    if (!NamesChannel(record, choice))
        choice = GuessChannel(record, quantity, phase);
}

void GuessPhases(const Oscillogram& record, Quantity quantity, std::string& a, std::string& b, std::string& c)
{
    GuessInto(a, record, quantity, Phase::A);
    GuessInto(b, record, quantity, Phase::B);
    GuessInto(c, record, quantity, Phase::C);
}

} // namespace zarva
