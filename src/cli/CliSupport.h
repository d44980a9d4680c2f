#pragma once

#include <filesystem>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zarva {
class Document;
}

namespace zarva::cli {

// A command-line mistake or a record that cannot be opened: its text is printed as it is.
class CliError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments of one command: positional words and "--name value" options.
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;  // the last value of each option
    std::vector<std::pair<std::string, std::string>> givenOptions;  // every one, in order
    std::vector<std::string> flags;

    // `valued` names the options that take a value; other "--name" words are flags.
    static Arguments Parse(const std::vector<std::string>& words, const std::vector<std::string>& valued,
                           const std::vector<std::string>& allowedFlags);
    bool Has(const std::string& flag) const;
    const std::string* Option(const std::string& name) const;
    // Every value of an option that may be repeated, in order.
    std::vector<std::string> Values(const std::string& name) const;
};

// Reads the record a path names: its configuration, its data file, its single file or its
// ".osc" file. What the reading had to repair or leave out is written to `warnings`, a line
// each, when it is given. No command draws, so no curve is surveyed; a command that only looks
// at the record's facts or prints its samples reads them `inPlace` from the data file, so that
// it reads only what it prints.
void OpenRecord(Document& document, const std::filesystem::path& path, std::ostream* warnings = nullptr,
                bool inPlace = false);

// Writes the record under `path` by its extension: ".cfg", ".cff", ".zip", or ".osc" for a
// record read from one. `type` names the data form (ascii, binary, binary32 or float32, in any
// case); without it the record keeps its own. A record older than revision 2013 saved as
// ".cff" is written as revision 2013.
void SaveRecordAs(Document& document, const std::filesystem::path& path, const std::string* type = nullptr);

// 17 significant digits, so the value reads back exactly; "nan", "inf", "-inf" for the rest.
std::string FormatNumber(double value);
// A JSON number, or null for a value JSON cannot hold.
std::string JsonNumber(double value);
// A JSON string literal; bytes that are not UTF-8 become U+FFFD.
std::string JsonString(std::string_view text);

std::size_t ParseCount(const std::string& option, const std::string& text);

} // namespace zarva::cli
