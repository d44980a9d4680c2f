#include "core/document/RecordSaver.h"

#include "core/document/Document.h"
#include "core/document/FileDispatch.h"
#include "core/formats/CffFile.h"
#include "core/formats/CompanionPath.h"
#include "core/formats/LoadWarnings.h"
#include "core/formats/ComtradeWriter.h"
#include "core/formats/SettingsFile.h"
#include "core/formats/ZipWriter.h"
#include "core/model/ZarvaException.h"
#include "core/storage/TextFile.h"

namespace zarva {
namespace {

constexpr int kNotSavableAs = 4101;

void SaveOsc(Document& document, const std::filesystem::path& path)
{
    const Oscillogram& record = document.oscillogram;
    // Only the bytes of an ".osc" read can be written back as one.
    if (record.oscBytes.empty())
        throw CZarvaException::Composed(kNotSavableAs, FormatText(kNotSavableAs, {path.string()}));
    if (!SamePath(path, record.sourcePath))
        ReplaceFile(path, std::string_view(reinterpret_cast<const char*>(record.oscBytes.data()), record.oscBytes.size()));
    WriteSettings(document, CompanionPath(path, ".set"));
}

} // namespace

bool CanSave(std::string_view path)
{
    switch (KindOf(path)) {
    case FileKind::Comtrade:
    case FileKind::Osc:
    case FileKind::Zip:
    case FileKind::SingleFile:
        return true;
    default:
        return false;
    }
}

void SaveRecord(Document& document, const std::filesystem::path& path, const SaveOptions& options)
{
    Oscillogram& record = document.oscillogram;
    switch (KindOf(path.string())) {
    case FileKind::Comtrade: SaveComtrade(document, path, options); break;
    case FileKind::Osc: SaveOsc(document, path); return;
    case FileKind::Zip: SaveZip(document, path, options); return;
    case FileKind::SingleFile: SaveCff(document, path, options); break;
    default: throw CZarvaException(messages::kUnknownFileType, path.string());
    }
    // The record is now the file written: a later save over it keeps its data as written,
    // and a record converted from ".sto" no longer warns that its changes would be lost.
    record.fileType = FileTypeText(SavedFormat(record, options));
    record.sourcePath = path.string();
}

} // namespace zarva
