#pragma once

#include "core/formula/Calculator.h"
#include "core/formula/FrmFile.h"

#include <filesystem>
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
class CalcChannels : public Calculator {
public:
    explicit CalcChannels(Oscillogram& record) : record_(record) {}
    CalcChannels(const CalcChannels&) = delete;
    CalcChannels& operator=(const CalcChannels&) = delete;

    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<std::string>& Formulas() const { return formulas_; }
    std::vector<FormulaEntry> Entries() const;
    bool Empty() const { return names_.empty(); }

    // Appends a formula and creates its channel. A name that a channel of the record or
    // another formula already has is refused with error 473.
    void Add(const std::string& name, const std::string& formula);
    // Evaluates every formula at every sample, in order, and stores the results in their
    // channels. The first failure stops it; earlier channels keep their new values.
    void Compute();
    // Removes the computed channels from the record and empties the set.
    void RemoveAll();

    // Add, then the new formula computed; a formula that cannot be computed is taken out
    // again, the set as it was, and its error raised.
    void AddComputed(const std::string& name, const std::string& formula);
    // Removes the computed channel of exactly that name. When a later formula refers to it,
    // nothing changes and error 4770 names that formula.
    void Remove(const std::string& name);

    // Replace the set with the pairs of a file or of the "Channel%i" entries, then compute.
    void LoadFrm(const std::filesystem::path& path);
    void SaveFrm(const std::filesystem::path& path) const;
    // Entries "Channel0", "Channel1", ... up to the first one missing; values without a
    // name or a formula are skipped.
    void LoadSettings(const SettingsSection& section);
    void SaveSettings(SettingsSection& section) const;

    const Channel* FindChannel(const std::string& name) const override;
    double Frequency(std::int64_t sample) const override;
    unsigned SamplesPerPeriod() const override;

private:
    void ComputeFormula(std::size_t index);
    Channel& TargetChannel(const std::string& name) const;
    void DropLast();
    // Whether formula `index` reads as a token list with the channels as they are now.
    bool Tokenizes(std::size_t index);
    void Replace(const std::vector<FormulaEntry>& entries);

    Oscillogram& record_;
    std::vector<std::string> formulas_;
};

} // namespace zarva
