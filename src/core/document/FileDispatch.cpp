#include "core/document/FileDispatch.h"

#include "core/formats/CompanionPath.h"

#include <algorithm>
#include <system_error>

namespace zarva {
namespace {

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithLower(std::string_view path, std::string_view lowerSuffix)
{
    return LastFourLower(path) == lowerSuffix;
}

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitPatterns(std::string_view text)
{
    std::vector<std::string> patterns;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = std::min(text.find_first_of("; ", start), text.size());
        if (const auto pattern = Trimmed(text.substr(start, end - start)); !pattern.empty())
            patterns.emplace_back(pattern);
        start = end + 1;
    }
    return patterns;
}

std::vector<std::string> SplitBars(std::string_view text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto bar = text.find('|', start);
        parts.emplace_back(text.substr(start, bar - start));
        if (bar == std::string_view::npos)
            return parts;
        start = bar + 1;
    }
}

} // namespace

std::string LastFourLower(std::string_view path)
{
    std::string tail(path.substr(path.size() < 4 ? 0 : path.size() - 4));
    std::transform(tail.begin(), tail.end(), tail.begin(), LowerAscii);
    return tail;
}

FileKind KindOf(std::string_view path)
{
    const std::string tail = LastFourLower(path);
    if (tail == ".cfg")
        return FileKind::Comtrade;
    if (tail == ".dat")
        return FileKind::ComtradeData;
    if (tail == ".cff")
        return FileKind::SingleFile;
    if (tail == ".osc")
        return FileKind::Osc;
    if (tail == ".sto")
        return FileKind::Sto;
    if (tail == ".zip")
        return FileKind::Zip;
    return FileKind::Other;
}

std::string WithLastFour(std::string_view path, std::string_view extension)
{
    std::string result(path.substr(0, path.size() < 4 ? 0 : path.size() - 4));
    result += extension;
    return result;
}

std::string RecordPathFor(std::string_view path)
{
    if (KindOf(path) != FileKind::ComtradeData)
        return std::string(path);
    return CompanionPath(std::filesystem::path(std::string(path)), ".cfg").string();
}

std::filesystem::path LoadSizeFile(std::string_view loadPath)
{
    if (KindOf(loadPath) == FileKind::Comtrade)
        return CompanionPath(std::filesystem::path(std::string(loadPath)), ".dat");
    return std::filesystem::path(std::string(loadPath));
}

bool LoadShowsProgress(std::string_view loadPath)
{
    const FileKind kind = KindOf(loadPath);
    std::uintmax_t threshold = 0;
    if (kind == FileKind::Comtrade || kind == FileKind::SingleFile)
        threshold = 200000;
    else if (kind == FileKind::Osc)
        threshold = 20000;
    else
        return false;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(LoadSizeFile(loadPath), error);
    return !error && size > threshold;
}

bool SkipsSavePrompt(std::string_view path)
{
    return EndsWithLower(path, ".sto");
}

bool WarnsOnClose(std::string_view sourcePath, bool modified)
{
    return modified && EndsWithLower(sourcePath, ".sto");
}

std::vector<FileFilter> ParseFileFilters(std::string_view text)
{
    std::vector<FileFilter> filters;
    if (text.find('|') == std::string_view::npos) {
        const auto open = text.rfind('(');
        const auto close = text.rfind(')');
        if (open != std::string_view::npos && close != std::string_view::npos && open < close)
            filters.push_back({std::string(text), SplitPatterns(text.substr(open + 1, close - open - 1))});
        return filters;
    }
    const std::vector<std::string> parts = SplitBars(text);
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break;
        filters.push_back({parts[i], SplitPatterns(parts[i + 1])});
    }
    return filters;
}

std::string FilterExtension(const FileFilter& filter)
{
    if (filter.patterns.empty())
        return {};
    const std::string& pattern = filter.patterns.front();
    const auto dot = pattern.rfind('.');
    if (dot == std::string::npos || pattern.find('*', dot) != std::string::npos)
        return {};
    std::string extension = pattern.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(), LowerAscii);
    return extension;
}

SaveAsChoice SaveAsChoiceFor(std::string_view sourcePath, std::string_view proposedName, bool revision2013)
{
    SaveAsChoice choice;
    const FileKind proposedKind = KindOf(proposedName);
    choice.proposedName = proposedKind == FileKind::Osc || proposedKind == FileKind::Sto
                              ? WithLastFour(proposedName, ".cfg")
                              : std::string(proposedName);
    choice.filterTextIds = {filters::kComtrade};
    if (revision2013)
        choice.filterTextIds.push_back(filters::kComtrade2013);
    if (KindOf(sourcePath) == FileKind::Osc)
        choice.filterTextIds.push_back(filters::kOsc);
    choice.filterTextIds.push_back(filters::kZip);
    const std::pair<FileKind, int> filterOfKind[] = {
        {FileKind::SingleFile, filters::kComtrade2013}, {FileKind::Osc, filters::kOsc}, {FileKind::Zip, filters::kZip}};
    for (const auto& [kind, filter] : filterOfKind) {
        const auto found = std::find(choice.filterTextIds.begin(), choice.filterTextIds.end(), filter);
        if (KindOf(choice.proposedName) == kind && found != choice.filterTextIds.end())
            choice.selected = static_cast<std::size_t>(found - choice.filterTextIds.begin());
    }
    return choice;
}

std::string NameForFilter(std::string_view chosenName, std::string_view selectedExtension,
                          const std::vector<std::string>& offeredExtensions)
{
    const std::string tail = LastFourLower(chosenName);
    const bool endsInOffered =
        std::find(offeredExtensions.begin(), offeredExtensions.end(), tail) != offeredExtensions.end();
    if (selectedExtension.empty() || endsInOffered)
        return std::string(chosenName);
    return std::string(chosenName) + std::string(selectedExtension);
}

} // namespace zarva
