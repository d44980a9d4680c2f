#include "core/formats/ZipWriter.h"

#include "core/document/Document.h"
#include "core/formats/RecordFiles.h"
#include "core/model/ZarvaException.h"
#include "core/storage/StagedFile.h"

#include <zip.h>

#include <cerrno>
#include <stdexcept>

namespace zarva {
namespace {

// Owns an archive source kept in memory; libzip writes the archive into it on closing.
class MemorySource {
public:
    MemorySource()
    {
        zip_error_t error;
        zip_error_init(&error);
        source_ = zip_source_buffer_create(nullptr, 0, 0, &error);
        zip_error_fini(&error);
        if (source_ == nullptr)
            throw std::bad_alloc();
    }
    ~MemorySource() { zip_source_free(source_); }
    MemorySource(const MemorySource&) = delete;
    MemorySource& operator=(const MemorySource&) = delete;

    zip_source_t* Get() const { return source_; }

    std::string Bytes() const
    {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_source_stat(source_, &stat) < 0 || zip_source_open(source_) < 0)
            throw std::runtime_error(zip_error_strerror(zip_source_error(source_)));
        std::string bytes(static_cast<std::size_t>(stat.size), '\0');
        const zip_int64_t read = zip_source_read(source_, bytes.data(), stat.size);
        zip_source_close(source_);
        if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size)
            throw std::runtime_error(zip_error_strerror(zip_source_error(source_)));
        return bytes;
    }

private:
    zip_source_t* source_ = nullptr;
};

[[noreturn]] void FailArchive(zip_t* archive)
{
    const std::string text = zip_error_strerror(zip_get_error(archive));
    zip_discard(archive);
    throw std::runtime_error(text);
}

} // namespace

std::string PackZip(const std::vector<ZipEntry>& entries)
{
    MemorySource memory;
    zip_error_t error;
    zip_error_init(&error);
    zip_t* archive = zip_open_from_source(memory.Get(), ZIP_TRUNCATE, &error);
    const std::string openError = archive == nullptr ? zip_error_strerror(&error) : "";
    zip_error_fini(&error);
    if (archive == nullptr)
        throw std::runtime_error(openError);
    // The archive takes a reference it gives back on closing; the memory stays ours.
    zip_source_keep(memory.Get());
    for (const ZipEntry& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
        if (source == nullptr)
            FailArchive(archive);
        if (zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(source);
            FailArchive(archive);
        }
    }
    if (zip_close(archive) < 0)
        FailArchive(archive);
    return memory.Bytes();
}

void SaveZip(Document& document, const std::filesystem::path& path, const SaveOptions& options)
{
    const Oscillogram& record = document.oscillogram;
    const ComtradeWriter writer(record, SavedFormat(record, options));
    const std::string base = path.stem().string();
    std::vector<ZipEntry> entries;
    entries.push_back({base + ".cfg", writer.BuildConfigurationText()});
    entries.push_back({base + ".dat", writer.Format() == DataFormat::Ascii ? writer.BuildAsciiData()
                                                                           : writer.BuildBinaryData()});
    for (CompanionFile& companion : CompanionFiles(document))
        entries.push_back({base + companion.extension, std::move(companion.bytes)});
    StagedFile file(path);
    try {
        file.Write(PackZip(entries));
    } catch (const std::runtime_error&) {
        throw FileException(EIO, path, FileAccess::Write);
    }
    file.Commit();
}

} // namespace zarva
