#include "core/model/StringTable.h"
#include "core/model/ZarvaException.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(StringTable, ExceptionTextIsMessageThenParameter)
{
    EXPECT_STREQ(CZarvaException(330).what(), "Неправильный формат файла");
    EXPECT_STREQ(CZarvaException(330, "/tmp/a.cfg").what(),
                 "Неправильный формат файла - /tmp/a.cfg");
}

TEST(StringTable, EnglishTableReplacesRussianUntilSwitchedBack)
{
    test::TempFolder folder;
    const auto file = folder.Write("en.txt", "# comment\n330\tWrong file format\n3102\t\\n\\nRecord: \n");
    ASSERT_TRUE(UseEnglishTable(file));
    EXPECT_TRUE(EnglishInterface());
    EXPECT_EQ(Text(330), "Wrong file format");
    EXPECT_EQ(Text(3102), "\n\nRecord: ");
    EXPECT_EQ(Text(354), "");
    UseRussianTable();
    EXPECT_EQ(Text(330), "Неправильный формат файла");
    EXPECT_FALSE(UseEnglishTable(folder / "missing.txt"));
    EXPECT_FALSE(EnglishInterface());
}

TEST(StringTable, EscapingRoundTrips)
{
    const std::string text = "a\tb\\n\nc";
    EXPECT_EQ(UnescapeTableText(EscapeTableText(text)), text);
}

} // namespace
} // namespace zarva
