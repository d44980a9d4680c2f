#include "core/document/RecordLoader.h"

#include "core/document/Document.h"
#include "core/document/FileDispatch.h"
#include "core/document/TemporaryFolder.h"
#include "core/formats/LoadWarnings.h"
#include "core/model/ZarvaException.h"

namespace zarva {
namespace {

const RecordReader& ReaderFor(FileKind kind, const RecordReaders& readers)
{
    switch (kind) {
    case FileKind::Comtrade: return readers.comtrade;
    case FileKind::SingleFile: return readers.singleFile;
    case FileKind::Osc: return readers.osc;
    default: break;
    }
    static const RecordReader none;
    return none;
}

// Deletes a converted record's folder however the reading ends.
class TemporaryFolderRelease {
public:
    TemporaryFolderRelease(Document& document, FileKind kind) : document_(document), kind_(kind) {}
    TemporaryFolderRelease(const TemporaryFolderRelease&) = delete;
    TemporaryFolderRelease& operator=(const TemporaryFolderRelease&) = delete;
    ~TemporaryFolderRelease()
    {
        if (document_.tempFolder.empty() || kind_ == FileKind::SingleFile)
            return;
        DeleteTemporaryFolder(document_.tempFolder);
        document_.tempFolder.clear();
    }

private:
    Document& document_;
    FileKind kind_;
};

} // namespace

void LoadRecord(Document& document, const std::filesystem::path& loadPath, const ReadOptions& options,
                const RecordReaders& readers)
{
    const FileKind kind = KindOf(loadPath.string());
    const TemporaryFolderRelease release(document, kind);
    const RecordReader& reader = ReaderFor(kind, readers);
    if (!reader)
        throw CZarvaException(messages::kUnknownFileType, loadPath.string());
    reader(document, loadPath, options);
    if (!document.progress.CancelRequested())
        AddFormulaWarnings(document.oscillogram);
}

} // namespace zarva
