#include "core/document/RecordSaver.h"

#include "core/document/Document.h"
#include "core/document/FileDispatch.h"
#include "core/model/ZarvaException.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace zarva {
namespace {

// The settings file (".set") arrives with the record writers.
void WriteSettingsFile(Document&, const std::filesystem::path& setPath)
{
    throw CZarvaException(messages::kNotAvailableYet, setPath.string());
}

void SaveOsc(Document& document, const std::filesystem::path& path)
{
    const Oscillogram& record = document.oscillogram;
    if (path.string() != record.sourcePath)
        WriteFileReplacing(path, record.oscBytes);
    WriteSettingsFile(document, WithLastFour(path.string(), ".set"));
}

} // namespace

bool CanSave(std::string_view)
{
    return false;
}

void SaveRecord(Document& document, const std::filesystem::path& path)
{
    switch (KindOf(path.string())) {
    case FileKind::Osc:
        SaveOsc(document, path);
        return;
    case FileKind::Comtrade:
    case FileKind::Zip:
    case FileKind::SingleFile:
        throw CZarvaException(messages::kNotAvailableYet, path.string());
    default:
        throw CZarvaException(messages::kUnknownFileType, path.string());
    }
}

void WriteFileReplacing(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(::getpid());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        throw FileException(errno, path);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        const int error = !written ? writeError : errno;
        std::remove(temporary.c_str());
        throw FileException(error, path);
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, path, renameError);
    if (renameError) {
        std::remove(temporary.c_str());
        throw FileException(renameError.value(), path);
    }
}

} // namespace zarva
