#include "core/formula/CalcChannels.h"

#include "core/document/Document.h"
#include "core/model/StringTable.h"
#include "core/model/ZarvaException.h"
#include "core/storage/SettingsSection.h"

#include <algorithm>
#include <cmath>

namespace zarva {
namespace {

constexpr int kResultNotValid = 1070;
constexpr int kNameExists = 473;

std::string SettingsKey(std::size_t index)
{
    return "Channel" + std::to_string(index);
}

} // namespace

std::vector<FormulaEntry> CalcChannels::Entries() const
{
    std::vector<FormulaEntry> entries;
    for (std::size_t k = 0; k < names_.size(); ++k)
        entries.push_back({names_[k], formulas_[k]});
    return entries;
}

void CalcChannels::Add(const std::string& name, const std::string& formula)
{
    const bool taken =
        std::ranges::find(names_, name) != names_.end() ||
        std::ranges::any_of(record_.channels, [&](const Channel& c) { return c.name == name; });
    if (taken)
        throw CZarvaException(kNameExists, name);
    std::vector<double> zeros(record_.SampleCount(), 0.0);
    record_.channels.push_back(Channel::FromValues(record_.owner, name, {}, std::move(zeros), {}));
    names_.push_back(name);
    formulas_.push_back(formula);
}

void CalcChannels::Compute()
{
    for (std::size_t k = 0; k < names_.size(); ++k)
        ComputeFormula(k);
}

void CalcChannels::ComputeFormula(std::size_t index)
{
    current_ = index;
    const std::size_t count = record_.SampleCount();
    std::vector<double> reals(count, 0.0);
    std::vector<Phasor> phasors(count);
    bool allReal = true;
    bool allPhasor = true;
    Tokenize(formulas_[index]);
    for (std::size_t i = 0; i < count; ++i) {
        SetSample(static_cast<std::int64_t>(i));
        const FormulaValue value = Evaluate();
        if (value.HasReal())
            reals[i] = value.real;
        else
            allReal = false;
        if (value.HasPhasor())
            phasors[i] = value.phasor;
        else
            allPhasor = false;
    }
    const std::string unit = ResultUnit();
    if (!allReal && !allPhasor)
        throw CZarvaException::Composed(kResultNotValid,
                                        names_[index] + ": " + Text(kResultNotValid));
    if (!allReal) {
        for (std::size_t i = 0; i < count; ++i)
            reals[i] = phasors[i].real();
    }
    if (!allPhasor)
        phasors.clear();
    Channel& channel = TargetChannel(names_[index]);
    channel.samples.Assign(std::move(reals));
    channel.suppliedPhasors = phasors.empty() ? nullptr : std::make_shared<const std::vector<Phasor>>(std::move(phasors));
    channel.SetUnitText(unit);
    channel.Recompute();
}

// The channel a formula writes: the one of exactly its name, never another channel that
// only matches ignoring case.
Channel& CalcChannels::TargetChannel(const std::string& name) const
{
    const auto found = std::ranges::find_if(record_.channels,
                                            [&](const Channel& c) { return c.name == name; });
    if (found == record_.channels.end())
        throw CZarvaException(messages::kBadChannelName);
    return *found;
}

void CalcChannels::RemoveAll()
{
    std::erase_if(record_.channels, [this](const Channel& channel) {
        return std::ranges::find(names_, channel.name) != names_.end();
    });
    record_.RebuildFrequencyChannels();
    names_.clear();
    formulas_.clear();
    current_ = 0;
}

// Pairs whose name is taken are left out and named in error 473 once the others are in.
void CalcChannels::Replace(const std::vector<FormulaEntry>& entries)
{
    RemoveAll();
    std::string refused;
    for (const FormulaEntry& entry : entries) {
        try {
            Add(entry.name, entry.formula);
        } catch (const CZarvaException& error) {
            if (error.MessageId() != kNameExists)
                throw;
            refused += (refused.empty() ? "" : ", ") + entry.name;
        }
    }
    Compute();
    if (!refused.empty())
        throw CZarvaException(kNameExists, refused);
}

void CalcChannels::LoadFrm(const std::filesystem::path& path)
{
    Replace(ReadFrmFile(path));
}

void CalcChannels::SaveFrm(const std::filesystem::path& path) const
{
    WriteFrmFile(path, Entries());
}

void CalcChannels::LoadSettings(const SettingsSection& section)
{
    std::vector<FormulaEntry> entries;
    const auto& values = section.Values();
    for (std::size_t k = 0;; ++k) {
        const auto found = values.find(SettingsKey(k));
        if (found == values.end())
            break;
        if (auto entry = ParseSettingsEntry(found->second))
            entries.push_back(std::move(*entry));
    }
    Replace(entries);
}

// The section is rewritten whole, so entries of formulas removed since do not come back.
void CalcChannels::SaveSettings(SettingsSection& section) const
{
    section.Clear();
    for (std::size_t k = 0; k < names_.size(); ++k)
        section.SetString(SettingsKey(k), SettingsEntryValue({names_[k], formulas_[k]}));
}

const Channel* CalcChannels::FindChannel(const std::string& name) const
{
    return &record_.channels[record_.FindChannel(name)];
}

double CalcChannels::Frequency(std::int64_t sample) const
{
    const std::vector<double>& series = record_.lineFrequencySeries;
    return sample >= 0 && static_cast<std::size_t>(sample) < series.size()
               ? series[static_cast<std::size_t>(sample)]
               : 0.0;
}

unsigned CalcChannels::SamplesPerPeriod() const
{
    const double hertz = std::trunc(record_.lineFrequency);
    if (!(hertz >= 1.0) || record_.sampleRate <= 0)
        return 0;
    return static_cast<unsigned>(record_.sampleRate / static_cast<std::int64_t>(std::min(hertz, 1e9)));
}

} // namespace zarva
