#include "core/formula/FrmFile.h"

#include "core/model/CodePage.h"
#include "core/model/ZarvaException.h"
#include "core/storage/TextFile.h"

#include <cerrno>
#include <fstream>
#include <iterator>

namespace zarva {
namespace {

// The system code page when it holds every character, else UTF-8, which reads back as
// such: a name it cannot hold is never turned into question marks.
std::string ToFileText(const std::string& utf8)
{
    std::string bytes = FromUtf8(utf8, CodePage::Windows1251);
    return ToUtf8(bytes, CodePage::Windows1251) == utf8 ? bytes : utf8;
}

} // namespace

// A line's name runs to its first comma and its formula from there to the trailing comma.
// Lines without a comma or without a name are skipped, and a hand-written line without the
// trailing comma keeps its formula whole. A file saved as UTF-8 by an editor reads too.
std::vector<FormulaEntry> ParseFrmText(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const std::string text = DecodeText(bytes, CodePage::Windows1251);
    std::vector<FormulaEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const std::size_t comma = line.find(',');
        if (comma == 0 || comma == std::string_view::npos)
            continue;
        std::string_view formula = line.substr(comma + 1);
        if (formula.ends_with(','))
            formula.remove_suffix(1);
        entries.push_back({std::string(line.substr(0, comma)), std::string(formula)});
    }
    return entries;
}

std::string FormatFrmText(const std::vector<FormulaEntry>& entries)
{
    std::string text;
    for (const FormulaEntry& entry : entries)
        text += entry.name + "," + entry.formula + ",\r\n";
    return ToFileText(text);
}

std::vector<FormulaEntry> ReadFrmFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileException(errno != 0 ? errno : ENOENT, path);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw FileException(EIO, path);
    return ParseFrmText(bytes);
}

void WriteFrmFile(const std::filesystem::path& path, const std::vector<FormulaEntry>& entries)
{
    ReplaceFile(path, FormatFrmText(entries));
}

std::string SettingsEntryValue(const FormulaEntry& entry)
{
    return entry.name + "," + entry.formula;
}

std::optional<FormulaEntry> ParseSettingsEntry(std::string_view value)
{
    const std::size_t nameEnd = value.find_first_of(",\r\n");
    if (nameEnd == 0 || nameEnd == std::string_view::npos || value[nameEnd] != ',')
        return std::nullopt;
    const std::string_view rest = value.substr(nameEnd + 1);
    const std::string_view formula = rest.substr(0, rest.find_first_of("\r\n"));
    if (formula.empty())
        return std::nullopt;
    return FormulaEntry{std::string(value.substr(0, nameEnd)), std::string(formula)};
}

} // namespace zarva
