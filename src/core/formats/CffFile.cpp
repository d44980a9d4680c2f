#include "core/formats/CffFile.h"

#include "core/document/Document.h"
#include "core/document/TemporaryFolder.h"
#include "core/formats/CfgFieldReader.h"
#include "core/formats/FormatError.h"
#include "core/formats/MappedFile.h"
#include "core/formats/SettingsFile.h"
#include "core/model/ZarvaException.h"
#include "core/storage/StagedFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <optional>

namespace zarva {
namespace {

constexpr int kCffNeedsRevision2013 = 187;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kFileType = "file type";
constexpr const char* kSettingsSection = "SET";

struct Marker {
    std::string name;
    std::optional<std::uint64_t> byteCount;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view word)
{
    const auto found = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return found == text.end() ? std::string_view::npos : static_cast<std::size_t>(found - text.begin());
}

// Words after the section name, split at blanks and colons; the first all-digit one is the
// byte count ("DAT BINARY32: 4096 ---" announces 4096 bytes).
std::optional<std::uint64_t> ByteCount(std::string_view rest)
{
    while (!rest.empty()) {
        const std::size_t start = std::min(rest.find_first_not_of(" \t:"), rest.size());
        rest.remove_prefix(start);
        const std::string_view word = rest.substr(0, std::min(rest.find_first_of(" \t:"), rest.size()));
        rest.remove_prefix(word.size());
        if (!word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            std::uint64_t count = 0;
            for (const char c : word)
                count = std::min<std::uint64_t>(count * 10 + static_cast<std::uint64_t>(c - '0'), std::uint64_t{1} << 62);
            return count;
        }
    }
    return std::nullopt;
}

// Writers differ in dashes, colons and blanks: "--- file type: CFG ---", "-- file type  INF ---".
std::optional<Marker> ParseMarker(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] != '-')
        return std::nullopt;
    const std::size_t at = FindIgnoringCase(line, kFileType);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::size_t start = at + kFileType.size();
    while (start < line.size() && (IsBlank(line[start]) || line[start] == ':'))
        ++start;
    std::size_t end = start;
    while (end < line.size() && std::isalnum(static_cast<unsigned char>(line[end])))
        ++end;
    if (end == start)
        return std::nullopt;
    Marker marker;
    for (std::size_t i = start; i < end; ++i)
        marker.name += static_cast<char>(std::toupper(static_cast<unsigned char>(line[i])));
    marker.byteCount = ByteCount(line.substr(end));
    return marker;
}

// The text of a section without the line break that leads to the next marker.
std::string_view WithoutLastLineEnd(std::string_view text)
{
    if (text.ends_with("\r\n"))
        text.remove_suffix(2);
    else if (text.ends_with('\n') || text.ends_with('\r'))
        text.remove_suffix(1);
    return text;
}

bool HasSection(const std::vector<CffSection>& sections, std::string_view name)
{
    return std::any_of(sections.begin(), sections.end(), [name](const CffSection& s) { return s.name == name; });
}

// The document's temporary folder for the split files, removed with its content however
// the reading ends: the record keeps what it needs from them in memory.
class ScratchFolder {
public:
    ScratchFolder(Document& document, const std::filesystem::path& cffPath) : document_(document)
    {
        document.tempFolder = NewTemporaryFolder();
        if (document.tempFolder.empty())
            throw CZarvaException(messages::kNoTemporaryFolder, cffPath.string());
    }
    ~ScratchFolder()
    {
        DeleteTemporaryFolder(document_.tempFolder);
        document_.tempFolder.clear();
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path File(std::string_view extension) const
    {
        return document_.tempFolder / ("tmp_cfg" + std::string(extension));
    }
    bool Holds(const std::filesystem::path& path) const
    {
        return !document_.tempFolder.empty() && path.string().starts_with(document_.tempFolder.string());
    }

private:
    Document& document_;
};

void WriteScratchFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw FileException(errno != 0 ? errno : EIO, path, FileAccess::Write);
}

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Writes the first section of each kind the reader reads into the folder and keeps the
// others in the record. The settings section wins over a settings file beside the record:
// saving writes both alike, so they differ only when the file came from elsewhere, and then
// its own section is the one that belongs to its data.
void Unpack(Oscillogram& record, const std::vector<CffSection>& sections, const ScratchFolder& folder,
            const std::filesystem::path& cffPath)
{
    for (const CffSection& section : sections) {
        if (section.name == kSettingsSection || section.name == "CFG" || section.name == "DAT" ||
            section.name == "HDR") {
            const std::filesystem::path file = folder.File("." + LowerCase(section.name));
            std::error_code error;
            if (!std::filesystem::exists(file, error))
                WriteScratchFile(file, section.bytes);
            continue;
        }
        record.fileSections.push_back({section.name, std::string(section.bytes)});
    }
    const std::filesystem::path beside = CompanionPath(cffPath, ".set");
    std::error_code error;
    if (!HasSection(sections, kSettingsSection) && std::filesystem::exists(beside, error))
        std::filesystem::copy_file(beside, folder.File(".set"), error);
}

std::string MarkerLine(std::string_view name)
{
    return "--- file type: " + std::string(name) + " ---" + std::string(kLineEnd);
}

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

} // namespace

std::vector<CffSection> SplitCff(std::string_view bytes, const std::string& path)
{
    std::vector<CffSection> sections;
    std::optional<CffSection> open;
    std::size_t openStart = 0;
    auto close = [&](std::size_t end) {
        if (open)
            sections.push_back({open->name, WithoutLastLineEnd(bytes.substr(openStart, end - openStart))});
        open.reset();
    };
    for (std::size_t position = 0; position < bytes.size();) {
        const std::size_t lineEnd = std::min(bytes.find_first_of("\r\n", position), bytes.size());
        std::size_t next = lineEnd;
        if (next < bytes.size() && bytes[next] == '\r')
            ++next;
        if (next < bytes.size() && bytes[next] == '\n')
            ++next;
        const std::optional<Marker> marker = ParseMarker(bytes.substr(position, lineEnd - position));
        if (!marker) {
            position = next;
            continue;
        }
        close(position);
        if (marker->name == "DAT" && marker->byteCount) {
            if (*marker->byteCount > bytes.size() - next)
                throw CZarvaException(messages::kBadFileFormat, path);
            const auto count = static_cast<std::size_t>(*marker->byteCount);
            sections.push_back({marker->name, bytes.substr(next, count)});
            position = next + count;
            continue;
        }
        open = CffSection{marker->name, {}};
        openStart = next;
        position = next;
    }
    close(bytes.size());
    if (!HasSection(sections, "CFG") || !HasSection(sections, "DAT"))
        throw CZarvaException(messages::kBadFileFormat, path);
    return sections;
}

void ReadCff(Document& document, const std::filesystem::path& path, const ReadOptions& options)
{
    Oscillogram& record = document.oscillogram;
    const ScratchFolder folder(document, path);
    // Lines of the single file before its configuration and its data, so that an error found
    // in either names its line in the single file.
    std::size_t linesBeforeCfg = 0;
    std::size_t linesBeforeDat = 0;
    {
        const MappedFile file(path);
        const std::vector<CffSection> sections = SplitCff(file.Text(), path.string());
        for (const CffSection& section : sections) {
            const auto at = static_cast<std::size_t>(section.bytes.data() - file.Text().data());
            if (section.name == "CFG" && linesBeforeCfg == 0)
                linesBeforeCfg = LineNumberAt(file.Text(), at) - 1;
            if (section.name == "DAT" && linesBeforeDat == 0)
                linesBeforeDat = LineNumberAt(file.Text(), at) - 1;
        }
        Unpack(record, sections, folder, path);
    }
    record.sourcePath = path.string();
    try {
        ReadComtrade(document, folder.File(".cfg"), options);
    } catch (const FormatError& error) {
        if (!folder.Holds(error.File()))
            throw;
        const bool inData = error.File() == folder.File(".dat").string();
        throw error.Within(path.string(), inData ? linesBeforeDat : linesBeforeCfg);
    } catch (const CZarvaException& error) {
        if (!folder.Holds(error.Parameter()))
            throw;
        throw CZarvaException(error.MessageId(), path.string());
    } catch (const FileException& error) {
        if (!folder.Holds(error.Path()))
            throw;
        throw FileException(error.ErrorCode(), path, error.Access());
    }
}

void SaveCff(Document& document, const std::filesystem::path& path, const SaveOptions& options)
{
    const Oscillogram& record = document.oscillogram;
    if (LeadingInt(record.revisionYear) < 2013 && !options.raiseTo2013)
        throw CZarvaException(kCffNeedsRevision2013);
    const DataFormat format = SavedFormat(record, options);
    const ComtradeWriter writer(record, format, true);
    StoreSettings(document);

    std::string text = MarkerLine("CFG") + writer.BuildConfigurationText() + std::string(kLineEnd);
    for (const RecordSection& section : record.fileSections) {
        if (section.name != kSettingsSection)
            text += MarkerLine(section.name) + section.text + std::string(kLineEnd);
    }
    if (!record.headerText.empty())
        text += MarkerLine("HDR") + record.headerText + std::string(kLineEnd);
    // The file is the whole record: copied alone, it keeps its names, ratios and formulas.
    text += MarkerLine(kSettingsSection) + document.settings.Utf8Text() + std::string(kLineEnd);
    const std::string asciiData = format == DataFormat::Ascii ? writer.BuildAsciiData() : std::string();
    const std::uint64_t dataSize = format == DataFormat::Ascii ? asciiData.size() : writer.BinaryDataSize();
    text += MarkerLine("DAT " + UpperCase(FileTypeText(format)) + ": " + std::to_string(dataSize));

    std::vector<StagedFile> files;
    files.reserve(2);
    StagedFile& cff = files.emplace_back(path);
    cff.Write(text);
    if (format == DataFormat::Ascii)
        cff.Write(asciiData);
    else
        writer.BuildData([&cff](std::string_view block) { cff.Write(block); });
    files.emplace_back(CompanionPath(path, ".set")).Write(document.settings.FileBytes());
    CommitAll(files);
}

} // namespace zarva
