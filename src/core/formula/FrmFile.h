#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarva {

struct FormulaEntry {
    std::string name;
    std::string formula;

    bool operator==(const FormulaEntry&) const = default;
};

// The .frm file: one "name,formula," line per computed channel, in the system code page.
// Text inside the program is UTF-8.
std::vector<FormulaEntry> ParseFrmText(std::string_view bytes);
std::string FormatFrmText(const std::vector<FormulaEntry>& entries);
// Raise FileException when the file cannot be read or written; a save never leaves a
// half-written file behind.
std::vector<FormulaEntry> ReadFrmFile(const std::filesystem::path& path);
void WriteFrmFile(const std::filesystem::path& path, const std::vector<FormulaEntry>& entries);

// The value of a "Channel%i" settings entry: name, comma, formula.
std::string SettingsEntryValue(const FormulaEntry& entry);
// Empty when the value holds no name or no formula.
std::optional<FormulaEntry> ParseSettingsEntry(std::string_view value);

} // namespace zarva
