#include "core/document/RecordSaver.h"

#include "core/document/Document.h"
#include "core/model/ZarvaException.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace zarva {
namespace {

std::string Contents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(RecordSaver, OscRecordSavedUnderANewNameGetsTheBytesItWasReadFrom)
{
    const test::TempFolder folder;
    Document document;
    const std::string original("OSC2\x02\x05 block bytes \x00\xFF", 22);
    document.oscillogram.oscBytes.assign(original.begin(), original.end());
    document.oscillogram.sourcePath = (folder / "read.osc").string();
    const auto copy = folder / "copy.osc";
    try {
        SaveRecord(document, copy);
    } catch (const CZarvaException& error) {
        EXPECT_EQ(error.MessageId(), messages::kNotAvailableYet) << "only the settings file may be missing";
    }
    EXPECT_EQ(Contents(copy), original);
}

TEST(RecordSaver, KindsWithoutAWriterRefuseClearly)
{
    Document document;
    for (const char* name : {"/tmp/x.cfg", "/tmp/x.cff", "/tmp/x.zip"}) {
        EXPECT_FALSE(CanSave(name));
        try {
            SaveRecord(document, name);
            ADD_FAILURE() << name;
        } catch (const CZarvaException& error) {
            EXPECT_EQ(error.MessageId(), messages::kNotAvailableYet);
        }
    }
    EXPECT_THROW(SaveRecord(document, "/tmp/x.sto"), CZarvaException);
}

} // namespace
} // namespace zarva
