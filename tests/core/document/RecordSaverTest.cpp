#include "core/document/RecordSaver.h"

#include "core/document/Document.h"
#include "core/model/ZarvaException.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(RecordSaver, OscRecordSavedUnderANewNameGetsTheBytesItWasReadFromAndItsSettings)
{
    const test::TempFolder folder;
    Document document;
    const std::string original("OSC2\x02\x05 block bytes \x00\xFF", 22);
    document.oscillogram.oscBytes.assign(original.begin(), original.end());
    document.oscillogram.sourcePath = folder.Write("read.osc", original).string();
    SaveRecord(document, folder / "copy.osc");
    EXPECT_EQ(test::FileBytes(folder / "copy.osc"), original);
    EXPECT_TRUE(std::filesystem::exists(folder / "copy.set"));

    SaveRecord(document, folder / "read.osc");
    EXPECT_EQ(test::FileBytes(folder / "read.osc"), original);
    EXPECT_TRUE(std::filesystem::exists(folder / "read.set"));
}

TEST(RecordSaver, OnlyKindsWithAWriterAreSaved)
{
    for (const char* name : {"/r/x.cfg", "/r/x.CFF", "/r/x.zip", "/r/x.osc"})
        EXPECT_TRUE(CanSave(name)) << name;
    for (const char* name : {"/r/x.sto", "/r/x.dat", "/r/x.txt"})
        EXPECT_FALSE(CanSave(name)) << name;

    const test::TempFolder folder;
    Document document;
    try {
        SaveRecord(document, folder / "x.sto");
        ADD_FAILURE() << "no error";
    } catch (const CZarvaException& error) {
        EXPECT_EQ(error.MessageId(), messages::kUnknownFileType);
    }
    EXPECT_THROW(SaveRecord(document, folder / "x.osc"), CZarvaException) << "not read from an .osc";
    EXPECT_FALSE(std::filesystem::exists(folder / "x.osc"));
}

} // namespace
} // namespace zarva
