#include "core/document/RecordSaver.h"

#include "core/document/Document.h"
#include "core/formats/ComtradeReader.h"
#include "core/model/ZarvaException.h"

#include "support/RecordBuilder.h"
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

// Records written on other systems come as "4.CFG" with "4.DAT", "4.HDR" and "4.SET": they
// are read and saved over in place, never beside a lower-case twin.
TEST(RecordSaver, UpperCaseRecordReadsAndRewritesItsUpperCaseCompanions)
{
    const test::TempFolder folder;
    test::RecordBuilder builder;
    builder.Station("S").Analog({.id = "UA", .unit = "V"}).Rate(1000, 4).Ramp(4);
    const auto cfg = builder.Write(folder, "4", ".CFG", ".DAT");
    folder.Write("4.HDR", "header text");
    folder.Write("4.SET", "[UA]\nAliasName=Bus\n");

    Document document;
    ReadComtrade(document, cfg);
    EXPECT_EQ(document.oscillogram.channels[0].name, "Bus");
    EXPECT_EQ(document.oscillogram.headerText, "header text");

    document.oscillogram.channels[0].aliasName = document.oscillogram.channels[0].name = "Line";
    document.oscillogram.storedDataChanged = true;
    SaveRecord(document, cfg);
    for (const char* lower : {"4.cfg", "4.dat", "4.hdr", "4.set"})
        EXPECT_FALSE(std::filesystem::exists(folder / lower)) << lower;
    Document reread;
    ReadComtrade(reread, cfg);
    EXPECT_EQ(reread.oscillogram.channels[0].name, "Line");
    EXPECT_EQ(reread.oscillogram.channels[0].samples, document.oscillogram.channels[0].samples);
}

} // namespace
} // namespace zarva
