#include "core/analysis/QuickAnalysis.h"

#include "core/formula/FormulaPatterns.h"
#include "core/model/Oscillogram.h"
#include "core/model/TextCase.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
#include <charconv>

namespace zarva {
namespace {

constexpr int kNoChannel = 191;

} // namespace

bool IsNameFree(const Oscillogram& record, const std::string& name, const std::vector<FormulaEntry>& planned)
{
    const std::string folded = FoldCase(name);
    const auto same = [&folded](const std::string& other) { return FoldCase(other) == folded; };
    return std::ranges::none_of(record.channels, [&](const Channel& c) { return same(c.name); }) &&
           std::ranges::none_of(record.calcChannels.Names(), same) &&
           std::ranges::none_of(planned, [&](const FormulaEntry& e) { return same(e.name); });
}

std::string UniqueName(const Oscillogram& record, const std::string& wanted, const std::vector<FormulaEntry>& planned)
{
    if (IsNameFree(record, wanted, planned))
        return wanted;
    for (int n = 2;; ++n) {
        std::string name = wanted + "_" + std::to_string(n);
        if (IsNameFree(record, name, planned))
            return name;
    }
}

std::string FormulaPlan::Add(const std::string& wanted, const std::string& formula)
{
    std::string name = UniqueName(record_, wanted, entries_);
    entries_.push_back({name, formula});
    return name;
}

std::string FormulaPlan::Argument(const std::string& channel, const std::string& what)
{
    if (channel.empty())
        throw CZarvaException(kNoChannel, what);
    return QuoteChannelName(channel);
}

std::array<std::string, 3> FormulaPlan::Arguments(const std::string& a, const std::string& b, const std::string& c,
                                                  const char* what)
{
    const std::string name = what;
    return {Argument(a, name + "a"), Argument(b, name + "b"), Argument(c, name + "c")};
}

void AddPlanned(Oscillogram& record, const std::vector<FormulaEntry>& entries)
{
    for (const FormulaEntry& entry : entries)
        record.calcChannels.Add(entry.name, entry.formula);
    record.calcChannels.Compute();
}

std::string NumberArgument(double value)
{
    char text[32];
    const auto end = std::to_chars(std::begin(text), std::end(text), value).ptr;
    return std::string(text, end);
}

} // namespace zarva
