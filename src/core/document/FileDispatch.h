#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zarva {

// What a file is, told by the last four characters of its name, lower-cased.
enum class FileKind { Comtrade, ComtradeData, SingleFile, Osc, Sto, Zip, Other };

std::string LastFourLower(std::string_view path);
FileKind KindOf(std::string_view path);

// The path a record is opened under: a ".dat" names the ".cfg" of the same base, in the case
// the folder spells it.
std::string RecordPathFor(std::string_view path);

// The file whose size decides whether loading shows its progress dialog, and whether it
// does: above 200000 bytes of ".dat" for a ".cfg", of the file itself for a ".cff", above
// 20000 bytes for an ".osc". A file that cannot be measured shows no dialog.
std::filesystem::path LoadSizeFile(std::string_view loadPath);
bool LoadShowsProgress(std::string_view loadPath);

// The path with its last four characters replaced by `extension` (".set", ".cfg" ...).
std::string WithLastFour(std::string_view path, std::string_view extension);

// A record converted from ".sto" is never saved back there: closing it skips the prompt
// to save and, when it was changed, warns that the changes are lost.
bool SkipsSavePrompt(std::string_view path);
bool WarnsOnClose(std::string_view sourcePath, bool modified);

// One entry of a file dialog's filter: "Осциллограммы COMTRADE (*.cfg)" with "*.cfg".
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;  // "*.cfg"
};

// Reads the filter texts of the string table: either "description|patterns|...||" pairs,
// or a single description that names its patterns in parentheses.
std::vector<FileFilter> ParseFileFilters(std::string_view text);

// The ".xxx" of a filter's first pattern; empty for "*.*".
std::string FilterExtension(const FileFilter& filter);

// What the save-as dialog offers for a record opened from `sourcePath` under the
// proposed name: the string-table ids of its filters, the one first selected (that of the
// proposed name's extension) and the name shown. COMTRADE 2013 single files are offered for
// records of revision 2013 and later only, ".osc" for records read from one.
struct SaveAsChoice {
    std::vector<int> filterTextIds;
    std::size_t selected = 0;
    std::string proposedName;
};
SaveAsChoice SaveAsChoiceFor(std::string_view sourcePath, std::string_view proposedName, bool revision2013);

// The chosen name made to end in an offered extension: one typed is kept, whatever filter is
// selected; otherwise the selected filter's extension is appended.
std::string NameForFilter(std::string_view chosenName, std::string_view selectedExtension,
                          const std::vector<std::string>& offeredExtensions);

namespace filters {
constexpr int kOpenRecords = 328;
constexpr int kComtrade = 4608;
constexpr int kOsc = 394;
constexpr int kZip = 399;
constexpr int kComtrade2013 = 569;
} // namespace filters

} // namespace zarva
