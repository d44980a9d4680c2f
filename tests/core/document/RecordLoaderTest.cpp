#include "core/document/RecordLoader.h"

#include "core/document/Document.h"
#include "core/document/TemporaryFolder.h"
#include "core/model/ZarvaException.h"

#include <gtest/gtest.h>

#include <string>

namespace zarva {
namespace {

// Readers that note which of them ran, and fail when told to.
struct ReaderLog {
    std::string ran;
    bool fail = false;

    RecordReader Reader(const std::string& name)
    {
        return [this, name](Document&, const std::filesystem::path&, const ReadOptions&) {
            ran = name;
            if (fail)
                throw CZarvaException(messages::kBadFileFormat, name);
        };
    }
    RecordReaders Readers() { return {Reader("comtrade"), Reader("cff"), Reader("osc")}; }
};

TEST(RecordLoader, PicksTheReaderByExtensionAndReportsAnUnknownOne)
{
    ReaderLog log;
    Document document;
    for (const auto& [path, reader] : {std::pair{"/r/a.CFG", "comtrade"}, {"/r/a.cff", "cff"}, {"/r/a.osc", "osc"}}) {
        LoadRecord(document, path, {}, log.Readers());
        EXPECT_EQ(log.ran, reader);
    }
    log.ran.clear();
    try {
        LoadRecord(document, "/r/a.txt", {}, log.Readers());
        FAIL() << "no error";
    } catch (const CZarvaException& error) {
        EXPECT_EQ(error.MessageId(), messages::kUnknownFileType);
    }
    EXPECT_TRUE(log.ran.empty());
}

TEST(RecordLoader, ConvertedFilesAreDeletedAfterReadingEvenWhenItFails)
{
    for (const bool fail : {false, true}) {
        ReaderLog log;
        log.fail = fail;
        Document document;
        document.tempFolder = NewTemporaryFolder();
        const auto folder = document.tempFolder;
        if (fail)
            EXPECT_THROW(LoadRecord(document, folder / "a.cfg", {}, log.Readers()), CZarvaException);
        else
            LoadRecord(document, folder / "a.cfg", {}, log.Readers());
        EXPECT_FALSE(std::filesystem::exists(folder));
        EXPECT_TRUE(document.tempFolder.empty());
    }
}

TEST(RecordLoader, SingleFileRecordKeepsItsFolderForSaving)
{
    ReaderLog log;
    Document document;
    document.tempFolder = NewTemporaryFolder();
    LoadRecord(document, "/r/a.cff", {}, log.Readers());
    EXPECT_TRUE(std::filesystem::is_directory(document.tempFolder));
    DeleteTemporaryFolder(document.tempFolder);
}

} // namespace
} // namespace zarva
