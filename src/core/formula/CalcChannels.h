#pragma once

#include "core/formula/Calculator.h"
#include "core/formula/FrmFile.h"
#include "core/model/ZarvaException.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zarva {

class Channel;
class Oscillogram;
class SettingsSection;

// The record settings section that keeps the computed channels.
inline constexpr const char* kCalcChannelsSection = "CalculatedChannels";

// The computed channels of a record: an ordered list of (name, formula) pairs whose
// results are analog channels of the record. A formula may refer to the record's channels
// and to computed channels before it.
//
// A formula that cannot be computed never costs the record or the formula: its channel is
// kept with every sample missing and its error is kept for the caller to report. A pair
// whose name another channel already has when it comes in is kept without a channel.
class CalcChannels : public Calculator {
public:
    explicit CalcChannels(Oscillogram& record) : record_(record) {}
    CalcChannels(const CalcChannels&) = delete;
    CalcChannels& operator=(const CalcChannels&) = delete;

    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<std::string>& Formulas() const { return formulas_; }
    std::vector<FormulaEntry> Entries() const;
    bool Empty() const { return names_.empty(); }
    // The error that left formula `index` without values, as of the last computation; null
    // when it was computed.
    const CZarvaException* Failure(std::size_t index) const;
    // False for a pair kept without a channel because its name was taken.
    bool HasChannel(std::size_t index) const { return states_.at(index).hasChannel; }
    // Whether the channel of that exact name is one the set computes.
    bool Computes(const std::string& channelName) const { return EntryOf(channelName).has_value(); }

    // Appends a formula and creates its channel. A name that a channel of the record or
    // another formula already has is refused with error 473.
    void Add(const std::string& name, const std::string& formula);
    // Evaluates every formula at every sample, in order, and stores the results in their
    // channels. A formula that fails, or refers to a computed channel that failed, leaves
    // its channel without values; the others are computed all the same.
    void Compute();
    // Removes the computed channels from the record and empties the set.
    void RemoveAll();

    // Gives channel `index` of the record the name `name`, keeping every formula referring to
    // the channels it referred to: references to this channel take the new name, in double
    // quotes where a bare name would not read as one identifier. A computed channel is
    // renamed in the set too.
    void RenameChannel(std::size_t index, const std::string& name);
    // Whether some formula refers to channel `index` of the record.
    bool IsReferenced(std::size_t index) const;

    // Add, then the new formula computed; a formula that cannot be computed is taken out
    // again, the set as it was, and its error raised.
    void AddComputed(const std::string& name, const std::string& formula);
    // Removes the computed channel of exactly that name. While another formula refers to it,
    // nothing changes and error 4770 names that formula.
    void Remove(const std::string& name);

    // Replace the set with the pairs of a file or of the "Channel%i" entries, then compute.
    void LoadFrm(const std::filesystem::path& path);
    void SaveFrm(const std::filesystem::path& path) const;
    // Entries "Channel0", "Channel1", ... up to the first one missing; values without a
    // name or a formula are skipped.
    void LoadSettings(const SettingsSection& section);
    void SaveSettings(SettingsSection& section) const;

    // The record's channel of that name; error 354 naming the formula and the name when the
    // record has none.
    const Channel* FindChannel(const std::string& name) const override;
    double Frequency(std::int64_t sample) const override;
    unsigned SamplesPerPeriod() const override;

protected:
    bool GivesChannel(std::size_t index) const override { return HasChannel(index); }

private:
    struct FormulaState {
        bool hasChannel = true;
        std::optional<CZarvaException> failure;
    };

    void ComputeFormula(std::size_t index);
    void DropLast();
    // The first formula other than `except` that refers to channel `index` of the record.
    std::optional<std::size_t> FormulaReferring(std::size_t index, std::optional<std::size_t> except = {}) const;
    void RefuseFailedReferences(std::size_t index) const;
    void ClearValues(std::size_t index);
    Channel* OwnChannel(std::size_t index) const;
    std::optional<std::size_t> EntryOf(const std::string& channelName) const;
    // The channel a name finds, as the tokenizer finds it; none when there is no such channel.
    std::optional<std::size_t> Resolve(const std::string& name) const;
    void Replace(const std::vector<FormulaEntry>& entries);

    Oscillogram& record_;
    std::vector<std::string> formulas_;
    std::vector<FormulaState> states_;
};

} // namespace zarva
