// Every record written by other programs, saved in every data form and as a single file and
// read back, holds what it held.
#include "support/SavedRecord.h"

#include "core/formats/CffFile.h"
#include "core/formats/CfgFieldReader.h"
#include "core/formats/ComtradeWriter.h"
#include "core/formats/SettingsFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

std::vector<std::filesystem::path> CorpusRecords(const std::filesystem::path& corpus)
{
    std::vector<std::filesystem::path> records;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (extension == ".cfg" || extension == ".cff")
            records.push_back(entry.path());
    }
    std::sort(records.begin(), records.end());
    return records;
}

void ExpectSameSettings(Document& saved, Document& copy, const test::TempFolder& folder)
{
    WriteSettings(saved, folder / "saved.set");
    WriteSettings(copy, folder / "copy.set");
    EXPECT_EQ(test::FileBytes(folder / "copy.set"), test::FileBytes(folder / "saved.set"));
}

TEST(CorpusRoundTrip, EveryRecordSavedInEveryFormReadsBackTheSame)
{
    const std::filesystem::path corpus = test::CorpusFolder();
    if (corpus.empty())
        GTEST_SKIP() << "the folder of real records is absent (set ZARVA_CORPUS)";
    const std::vector<std::filesystem::path> records = CorpusRecords(corpus);
    EXPECT_GE(records.size(), 33u);
    for (const std::filesystem::path& path : records) {
        SCOPED_TRACE(path.string());
        const test::TempFolder folder;
        const auto original = test::ReadRecord(path);
        const bool asciiTimes = original->oscillogram.fileType == "ASCII";
        for (const char* type : {"ASCII", "BINARY", "binary32", "FLOAT32"}) {
            SCOPED_TRACE(type);
            const std::filesystem::path saved = folder / (std::string(type) + ".cfg");
            SaveComtrade(*original, saved, {type});
            const auto copy = test::ReadRecord(saved);
            // Binary files are timed by their rates; stamps of an ASCII file that stray from
            // its rate are written, but only an ASCII file is read by them.
            test::ExpectSameRecord(original->oscillogram, copy->oscillogram, !asciiTimes || type == std::string("ASCII"));
            ExpectSameSettings(*original, *copy, folder);
        }
        if (LeadingInt(original->oscillogram.revisionYear) >= 2013) {
            SaveCff(*original, folder / "single.cff");
            const auto copy = test::ReadRecord(folder / "single.cff");
            test::ExpectSameRecord(original->oscillogram, copy->oscillogram);
        }
    }
}

} // namespace
} // namespace zarva
