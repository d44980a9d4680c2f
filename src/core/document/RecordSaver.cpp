#include "core/document/RecordSaver.h"

#include "core/document/Document.h"
#include "core/document/FileDispatch.h"
#include "core/model/ZarvaException.h"
#include "core/storage/TextFile.h"

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
        ReplaceFile(path, std::string_view(reinterpret_cast<const char*>(record.oscBytes.data()), record.oscBytes.size()));
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

} // namespace zarva
