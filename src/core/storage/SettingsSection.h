#pragma once

#include <map>
#include <string>

namespace zarva {

// Keyed values of one settings section, kept as text, and its named sub-sections. Keys and
// names are UTF-8: 8-bit record texts are decoded before they become either. Getters never
// fail: an absent key gives the caller's default, text that is no number gives 0.
class SettingsSection {
public:
    void SetString(const std::string& key, std::string value);
    std::string GetString(const std::string& key, const std::string& defaultValue = {}) const;

    void SetInt(const std::string& key, int value);
    // Leading blanks, an optional sign and the digits up to the first non-digit; saturates
    // at the limits of int.
    int GetInt(const std::string& key, int defaultValue) const;

    // Six decimals, so magnitudes below 0.0000005 are stored as zero.
    void SetDouble(const std::string& key, double value);
    // Leading blanks, then the longest prefix that reads as a decimal number.
    double GetDouble(const std::string& key, double defaultValue) const;

    // Created empty when absent; the reference stays valid while this section lives.
    SettingsSection& SubSection(const std::string& name);

    // Empties both the values and the sub-sections.
    void Clear();

    const std::map<std::string, std::string>& Values() const { return values_; }
    const std::map<std::string, SettingsSection>& SubSections() const { return subSections_; }

    bool operator==(const SettingsSection&) const = default;

private:
    const std::string* Find(const std::string& key) const;

    std::map<std::string, std::string> values_;
    std::map<std::string, SettingsSection> subSections_;
};

} // namespace zarva
