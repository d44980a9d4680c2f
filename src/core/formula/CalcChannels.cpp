#include "core/formula/CalcChannels.h"

#include "core/document/Document.h"
#include "core/formula/FormulaLexer.h"
#include "core/formula/FormulaPatterns.h"
#include "core/model/StringTable.h"
#include "core/model/TextFormat.h"
#include "core/storage/SettingsSection.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zarva {
namespace {

constexpr int kResultNotValid = 1070;
constexpr int kNameExists = 473;
constexpr int kNotDefined = 468;
constexpr int kStillReferenced = 4770;

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

const CZarvaException* CalcChannels::Failure(std::size_t index) const
{
    const std::optional<CZarvaException>& failure = states_.at(index).failure;
    return failure ? &*failure : nullptr;
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
    states_.emplace_back();
}

void CalcChannels::Compute()
{
    for (std::size_t k = 0; k < names_.size(); ++k) {
        if (!states_[k].hasChannel)
            continue;
        try {
            ComputeFormula(k);
            states_[k].failure.reset();
        } catch (const CZarvaException& error) {
            states_[k].failure = error;
            ClearValues(k);
        }
    }
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
    RefuseFailedReferences(index);
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
    Channel* channel = OwnChannel(index);
    if (channel == nullptr)
        throw CZarvaException(messages::kBadChannelName, names_[index]);
    channel->samples.Assign(std::move(reals));
    channel->suppliedPhasors = phasors.empty() ? nullptr : std::make_shared<const std::vector<Phasor>>(std::move(phasors));
    channel->SetUnitText(unit);
    channel->Recompute();
}

// A computed channel left without values would read as zeros: the formulas built on it
// fail as well, naming it, rather than show numbers made from nothing.
void CalcChannels::RefuseFailedReferences(std::size_t index) const
{
    for (const Token& token : Tokens()) {
        if (token.channel == nullptr)
            continue;
        const std::optional<std::size_t> source = EntryOf(token.channel->name);
        if (source && *source < index && states_[*source].failure) {
            throw CZarvaException::Composed(kNotDefined, names_[index] + ": '" + names_[*source] + "' - " +
                                                             Text(kNotDefined));
        }
    }
}

void CalcChannels::ClearValues(std::size_t index)
{
    Channel* channel = OwnChannel(index);
    if (channel == nullptr)
        return;
    channel->samples.Assign(std::vector<double>(record_.SampleCount(), std::numeric_limits<double>::quiet_NaN()));
    channel->suppliedPhasors = nullptr;
    channel->Recompute();
}

// The channel a formula writes: the one of exactly its name, never another channel that
// only matches ignoring case, and none for a pair whose name was taken.
Channel* CalcChannels::OwnChannel(std::size_t index) const
{
    if (!states_[index].hasChannel)
        return nullptr;
    const auto found = std::ranges::find_if(record_.channels,
                                            [&](const Channel& c) { return c.name == names_[index]; });
    return found == record_.channels.end() ? nullptr : &*found;
}

std::optional<std::size_t> CalcChannels::EntryOf(const std::string& channelName) const
{
    for (std::size_t k = 0; k < names_.size(); ++k) {
        if (states_[k].hasChannel && names_[k] == channelName)
            return k;
    }
    return std::nullopt;
}

void CalcChannels::RemoveAll()
{
    std::erase_if(record_.channels, [this](const Channel& channel) { return Computes(channel.name); });
    record_.RebuildFrequencyChannels();
    names_.clear();
    formulas_.clear();
    states_.clear();
    current_ = 0;
}

void CalcChannels::RenameChannel(std::size_t index, const std::string& name)
{
    std::vector<std::vector<std::optional<std::size_t>>> before(formulas_.size());
    std::vector<std::vector<FormulaIdentifier>> identifiers(formulas_.size());
    for (std::size_t k = 0; k < formulas_.size(); ++k) {
        identifiers[k] = FormulaIdentifiers(formulas_[k]);
        for (const FormulaIdentifier& identifier : identifiers[k])
            before[k].push_back(Resolve(identifier.name));
    }
    Channel& channel = record_.channels.at(index);
    if (const std::optional<std::size_t> own = EntryOf(channel.name)) {
        names_[*own] = name;
        // Its display settings are kept under its identifier.
        channel.channelId = name;
    }
    channel.name = name;
    // Each identifier that now finds another channel, or none, is written as the name of the
    // channel it found; from the last, so that earlier positions stay valid.
    for (std::size_t k = 0; k < formulas_.size(); ++k) {
        for (std::size_t n = identifiers[k].size(); n-- > 0;) {
            const FormulaIdentifier& identifier = identifiers[k][n];
            if (!before[k][n] || Resolve(identifier.name) == before[k][n])
                continue;
            formulas_[k].replace(identifier.begin, identifier.end - identifier.begin,
                                 QuoteChannelName(record_.channels[*before[k][n]].name));
        }
    }
}

bool CalcChannels::IsReferenced(std::size_t index) const
{
    return FormulaReferring(index).has_value();
}

std::optional<std::size_t> CalcChannels::FormulaReferring(std::size_t index, std::optional<std::size_t> except) const
{
    for (std::size_t k = 0; k < formulas_.size(); ++k) {
        const bool refers = std::ranges::any_of(FormulaIdentifiers(formulas_[k]), [&](const FormulaIdentifier& identifier) {
            return Resolve(identifier.name) == index;
        });
        if (refers && k != except)
            return k;
    }
    return std::nullopt;
}

void CalcChannels::AddComputed(const std::string& name, const std::string& formula)
{
    Add(name, formula);
    try {
        ComputeFormula(names_.size() - 1);
    } catch (...) {
        DropLast();
        throw;
    }
}

void CalcChannels::DropLast()
{
    std::erase_if(record_.channels, [&](const Channel& channel) { return channel.name == names_.back(); });
    record_.RebuildFrequencyChannels();
    names_.pop_back();
    formulas_.pop_back();
    states_.pop_back();
    current_ = 0;
}

void CalcChannels::Remove(const std::string& name)
{
    const std::optional<std::size_t> entry = EntryOf(name);
    const auto channel = std::ranges::find_if(record_.channels, [&](const Channel& c) { return c.name == name; });
    if (!entry || channel == record_.channels.end())
        return;
    const auto position = static_cast<std::size_t>(channel - record_.channels.begin());
    if (const std::optional<std::size_t> referring = FormulaReferring(position, entry))
        throw CZarvaException::Composed(kStillReferenced, FormatText(Text(kStillReferenced), {name, names_[*referring]}));
    record_.channels.erase(channel);
    record_.RebuildFrequencyChannels();
    const auto at = static_cast<std::ptrdiff_t>(*entry);
    names_.erase(names_.begin() + at);
    formulas_.erase(formulas_.begin() + at);
    states_.erase(states_.begin() + at);
    current_ = 0;
}

std::optional<std::size_t> CalcChannels::Resolve(const std::string& name) const
{
    try {
        return record_.FindChannel(name);
    } catch (const CZarvaException&) {
        return std::nullopt;
    }
}

// A pair whose name is taken is kept, without a channel, so that saving keeps its formula.
void CalcChannels::Replace(const std::vector<FormulaEntry>& entries)
{
    RemoveAll();
    for (const FormulaEntry& entry : entries) {
        try {
            Add(entry.name, entry.formula);
        } catch (const CZarvaException& error) {
            if (error.MessageId() != kNameExists)
                throw;
            names_.push_back(entry.name);
            formulas_.push_back(entry.formula);
            states_.push_back({false, error});
        }
    }
    Compute();
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
    if (const std::optional<std::size_t> found = Resolve(name))
        return &record_.channels[*found];
    throw CZarvaException(messages::kBadChannelName, MessageName() + ": '" + name + "'");
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
