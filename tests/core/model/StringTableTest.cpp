#include "core/model/StringTable.h"
#include "core/model/StringTableRu.h"
#include "core/model/ZarvaException.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <string_view>
#include <vector>

namespace zarva {
namespace {

TEST(StringTable, ExceptionTextIsMessageThenParameterAndEscapingRoundTrips)
{
    EXPECT_STREQ(CZarvaException(330).what(), "Неправильный формат файла");
    EXPECT_STREQ(CZarvaException(330, "/tmp/a.cfg").what(), "Неправильный формат файла - /tmp/a.cfg");
    const std::string text = "a\tb\\n\nc";
    EXPECT_EQ(UnescapeTableText(EscapeTableText(text)), text);
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

// The English table exactly as the shipped file holds it, with the ids written more than once.
struct TableFile {
    bool opened = false;
    std::map<int, std::string> entries;
    std::vector<int> repeatedIds;
};

TableFile ReadShippedEnglishTable()
{
    TableFile table;
    std::ifstream in(ZARVA_ENGLISH_TABLE, std::ios::binary);
    table.opened = static_cast<bool>(in);
    std::string line;
    while (std::getline(in, line)) {
        int id = 0;
        const char* end = line.data() + line.size();
        const auto [next, error] = std::from_chars(line.data(), end, id);
        if (error != std::errc() || next == end || *next != '\t')
            continue;
        if (!table.entries.emplace(id, UnescapeTableText(std::string(next + 1, end))).second)
            table.repeatedIds.push_back(id);
    }
    return table;
}

// The printf conversions of a text in order, each reduced to its length modifier and
// conversion letter: "%-8g" gives "g", "%.2f" gives "f", "%%" gives "%".
std::vector<std::string> Conversions(std::string_view text)
{
    std::vector<std::string> kinds;
    for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at)) {
        std::size_t pos = text.find_first_not_of("-+ #0123456789.*", at + 1);
        const std::size_t kindStart = pos;
        pos = text.find_first_not_of("hlLqjztI0123456789", pos);
        kinds.emplace_back(pos == std::string_view::npos ? "unterminated"
                                                         : text.substr(kindStart, pos - kindStart + 1));
        at = pos == std::string_view::npos ? text.size() : pos + 1;
    }
    return kinds;
}

std::size_t Accelerators(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 2))
        count += at + 1 == text.size() || text[at + 1] != '&';
    return count;
}

std::string_view LeadingBlanks(std::string_view text)
{
    return text.substr(0, std::min(text.size(), text.find_first_not_of(" \t\r\n")));
}

std::string_view TrailingBlanks(std::string_view text)
{
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return last == std::string_view::npos ? text : text.substr(last + 1);
}

TEST(StringTable, PlaceholderScanTellsKindsApart)
{
    using Kinds = std::vector<std::string>;
    EXPECT_EQ(Conversions("%-8g %s = %.2f %% %I64X %02d%"),
              (Kinds{"g", "s", "f", "%", "I64X", "d", "unterminated"}));
    EXPECT_EQ(Accelerators("Save && &Close"), 1u);
}

TEST(StringTable, RussianTableIsSortedWithoutRepeatedIds)
{
    const auto russian = RussianStrings();
    const auto notAscending = [](const StringEntry& a, const StringEntry& b) { return a.id >= b.id; };
    const auto outOfOrder = std::adjacent_find(russian.begin(), russian.end(), notAscending);
    EXPECT_EQ(outOfOrder, russian.end())
        << "entry " << outOfOrder->id << " is followed by " << (outOfOrder + 1)->id;
    for (const StringEntry& entry : russian)
        EXPECT_NE(std::string_view(entry.text), "") << "entry " << entry.id;
}

// A command's entry is its tool-tip: a description, one line break and a short tip.
bool IsToolTip(std::string_view text)
{
    const std::size_t split = text.find('\n');
    return split != std::string_view::npos && split > 0 && split + 1 < text.size()
        && text.find('\n', split + 1) == std::string_view::npos;
}

bool IsCommand(int id)
{
    return (id >= 32768 && id < 57344) || (id >= 57600 && id <= 61445);
}

// Every Russian entry has its English text and nothing else is translated; the English
// keeps the placeholders, accelerators, line breaks and surrounding blanks of the Russian.
TEST(StringTable, EnglishFileTranslatesEveryRussianEntryKeepingItsForm)
{
    const TableFile english = ReadShippedEnglishTable();
    ASSERT_TRUE(english.opened) << ZARVA_ENGLISH_TABLE;
    EXPECT_TRUE(english.repeatedIds.empty()) << "first repeated entry " << english.repeatedIds.front();

    std::map<int, std::string_view> russian;
    for (const StringEntry& entry : RussianStrings())
        russian.emplace(entry.id, entry.text);
    for (const auto& [id, text] : english.entries)
        EXPECT_TRUE(russian.contains(id)) << "English entry " << id << " has no Russian original";
    for (const auto& [id, ru] : russian) {
        SCOPED_TRACE("entry " + std::to_string(id));
        EXPECT_TRUE(!IsCommand(id) || IsToolTip(ru)) << "Russian";
        const auto found = english.entries.find(id);
        if (found == english.entries.end() || found->second.empty()) {
            ADD_FAILURE() << "no English text";
            continue;
        }
        const std::string_view en = found->second;
        EXPECT_TRUE(!IsCommand(id) || IsToolTip(en)) << "English";
        EXPECT_EQ(Conversions(en), Conversions(ru));
        EXPECT_EQ(Accelerators(en), Accelerators(ru));
        EXPECT_EQ(std::count(en.begin(), en.end(), '\n'), std::count(ru.begin(), ru.end(), '\n'));
        EXPECT_EQ(LeadingBlanks(en), LeadingBlanks(ru));
        const std::string_view ruTail = TrailingBlanks(ru);
        const std::string_view enTail = TrailingBlanks(en);
        EXPECT_EQ(enTail.empty(), ruTail.empty());
        EXPECT_EQ(std::count(enTail.begin(), enTail.end(), '\n'), std::count(ruTail.begin(), ruTail.end(), '\n'));
    }
}

} // namespace
} // namespace zarva
