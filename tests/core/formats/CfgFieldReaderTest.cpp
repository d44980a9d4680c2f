#include "core/formats/CfgFieldReader.h"
#include "core/formats/MappedFile.h"
#include "core/model/ZarvaException.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(CfgFieldReader, FieldsStopAtDelimitersAndKeepInnerBlanks)
{
    CfgFieldReader reader("  a b ,\tc\r\n,last");
    EXPECT_EQ(reader.ReadField(), "a b ");
    EXPECT_EQ(reader.ReadField(), "c");
    EXPECT_EQ(reader.ReadField(), "");
    EXPECT_EQ(reader.ReadField(), "last");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadField(), "");
}

TEST(CfgFieldReader, LinesSkipBlankLinesAndEveryLineEnd)
{
    CfgFieldReader reader("one\r\r\n\n  two,2\rthree");
    EXPECT_EQ(reader.ReadLine(), "one");
    EXPECT_EQ(reader.ReadLine(), "two,2");
    EXPECT_EQ(reader.ReadLine(), "three");
    EXPECT_EQ(reader.ReadLine(), "");
}

TEST(CfgFieldReader, IntegersTakeTheLeadingDigitsAndConsumeTheField)
{
    CfgFieldReader reader("12A,-7,--3,4-2, x");
    EXPECT_EQ(reader.ReadInt(), 12);
    EXPECT_EQ(reader.ReadInt(), -7);
    EXPECT_EQ(reader.ReadInt(), 3);
    EXPECT_EQ(reader.ReadInt(), -42);
    EXPECT_EQ(reader.ReadInt(), 0);
    EXPECT_EQ(LeadingInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(LeadingInt("-2147483648"), -2147483648LL);
    EXPECT_EQ(LeadingInt("-32767.000"), -32767);
}

TEST(CfgFieldReader, NumbersAreLocaleFreeAndNeverFail)
{
    EXPECT_DOUBLE_EQ(ToNumber(" 2.836798e+000"), 2.836798);
    EXPECT_DOUBLE_EQ(ToNumber("+0.5"), 0.5);
    EXPECT_DOUBLE_EQ(ToNumber("60.000000000"), 60.0);
    EXPECT_DOUBLE_EQ(ToNumber("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(ToNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(ToNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ToNumber("1e999"), 0.0);
}

TEST(MappedFile, EmptyMissingAndFolderPaths)
{
    const test::TempFolder folder;
    const MappedFile empty(folder.Write("empty.cfg", ""));
    EXPECT_EQ(empty.Size(), 0u);
    EXPECT_TRUE(empty.Text().empty());

    const MappedFile text(folder.Write("text.cfg", "abc"));
    EXPECT_EQ(text.Text(), "abc");

    try {
        MappedFile missing(folder / "missing.cfg");
        FAIL();
    } catch (const FileException& error) {
        EXPECT_EQ(error.Path(), folder / "missing.cfg");
        EXPECT_NE(std::string(error.what()).find("missing.cfg"), std::string::npos);
    }
    EXPECT_THROW(MappedFile{folder.Path()}, FileException);
}

} // namespace
} // namespace zarva
