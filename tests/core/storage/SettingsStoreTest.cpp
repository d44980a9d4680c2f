#include "core/storage/SettingsStore.h"
#include "core/storage/TextFile.h"
#include "core/model/ZarvaException.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace zarva {
namespace {

TEST(SettingsSection, NumbersReadTheLeadingNumberOfTheTextAndRealsKeepSixDecimals)
{
    SettingsSection section;
    EXPECT_EQ(section.GetInt("absent", 7), 7);
    const std::pair<const char*, int> integers[] = {
        {"42abc", 42}, {"  \t-17", -17}, {"+8", 8}, {"abc", 0}, {"", 0}, {"- 5", 0},
        {"99999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN}, {"3.9", 3},
    };
    for (const auto& [text, expected] : integers) {
        section.SetString("k", text);
        EXPECT_EQ(section.GetInt("k", 7), expected) << text;
    }
    section.SetInt("k", -2147483647 - 1);
    EXPECT_EQ(section.GetString("k"), "-2147483648");

    section.SetDouble("tiny", 0.0000004);
    EXPECT_EQ(section.GetString("tiny"), "0.000000");
    EXPECT_EQ(section.GetDouble("tiny", 1.0), 0.0);
    section.SetDouble("ratio", -1234.5678915);
    EXPECT_EQ(section.GetString("ratio"), "-1234.567892");
    section.SetDouble("huge", 1e300);
    EXPECT_EQ(section.GetDouble("huge", 0.0), 1e300);
    EXPECT_EQ(section.GetDouble("absent", 2.5), 2.5);

    const std::pair<const char*, double> reals[] = {
        {" 1.5e3x", 1500.0}, {"+2.25", 2.25}, {"-.5", -0.5}, {"7e", 7.0}, {"x1", 0.0},
        {"", 0.0}, {"+-1", 0.0}, {"1e999", INFINITY}, {"-1e999", -INFINITY}, {"1e-999", 0.0},
        {"50,5", 50.0},
    };
    for (const auto& [text, expected] : reals) {
        section.SetString("k", text);
        EXPECT_EQ(section.GetDouble("k", 9.0), expected) << text;
    }
}

SettingsStore SampleStore()
{
    SettingsStore store;
    SettingsSection& channel = store.Section("Ua ВЛ-110");
    channel.SetInt("ShowFlags", 0x2001);
    channel.SetString("AliasName", "Фаза \"A\" <&>");
    channel.SetDouble("PrimaryMul", 110000.0);
    SettingsSection& entries = store.Section("Circle Chart").SubSection("Channels");
    entries.SubSection("0").SetString("ActiveResist", "R");
    entries.SubSection("1").SubSection("deeper").SetString("odd key", "x");
    store.Section("Empty");
    return store;
}

// After loading, every section and sub-section also holds its own name as the value "name".
void AddNames(std::map<std::string, SettingsSection>& sections)
{
    for (auto& [name, section] : sections) {
        section.SetString("name", name);
        auto subSections = section.SubSections();
        AddNames(subSections);
        for (auto& [subName, sub] : subSections)
            section.SubSection(subName) = sub;
    }
}

TEST(SettingsStore, SavedFileReadsBackWithNamesAdded)
{
    const test::TempFolder folder;
    const SettingsStore saved = SampleStore();
    saved.Save(folder / "r.set");

    SettingsStore loaded;
    loaded.Section("stale").SetString("gone", "1");
    loaded.Load(folder / "r.set");

    auto expected = saved.Sections();
    AddNames(expected);
    EXPECT_EQ(loaded.Sections(), expected);
}

TEST(SettingsStore, SavedFileLayout)
{
    const test::TempFolder folder;
    SettingsStore store;
    store.Section("B").SubSection("s").SetString("k", "v");
    store.Section("A").SetInt("x", 1);
    store.Save(folder / "r.set");
    EXPECT_EQ(ReadStoredText(folder / "r.set"),
              "<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n"
              "<settings>\r\n"
              "\t<category name=\"A\" x=\"1\"/>\r\n"
              "\t<category name=\"B\">\r\n"
              "\t\t<category k=\"v\" name=\"s\"/>\r\n"
              "\t</category>\r\n"
              "</settings>\r\n");
}

TEST(SettingsStore, ElementsOfTheSameNameMergeAndElementNamesAreIgnored)
{
    SettingsStore store;
    store.LoadText("<settings><category name=\"A\" x=\"1\"/><other name=\"A\" y=\"2\">"
                   "<c name=\"S\" z=\"3\"/></other><category q=\"4\"/></settings>");
    SettingsSection& a = store.Section("A");
    EXPECT_EQ(a.GetString("x"), "1");
    EXPECT_EQ(a.GetString("y"), "2");
    EXPECT_EQ(a.SubSection("S").GetString("z"), "3");
    EXPECT_EQ(store.Section("").GetString("q"), "4");
}

TEST(SettingsStore, EmptyOrUnreadableFilesLeaveTheStoreAsItWas)
{
    const test::TempFolder folder;
    SettingsStore before;
    before.Section("A").SetString("k", "v");
    SettingsStore store = before;

    SettingsStore().Save(folder / "empty-store.set");
    store.Load(folder / "empty-store.set");
    EXPECT_EQ(store, before);

    store.Load(folder.Write("zero.set", ""));
    EXPECT_EQ(store, before);

    SampleStore().Save(folder / "cut.set");
    const std::string whole = ReadStoredText(folder / "cut.set");
    store.Load(folder.Write("cut.set", "\xFF\xFE" + Utf8ToUtf16Le(whole.substr(0, whole.size() / 2))));
    EXPECT_EQ(store, before);

    EXPECT_THROW(store.Load(folder / "missing.set"), FileException);
}

TEST(SettingsStore, IniTextIsReadWhenTheFileIsNotSettingsXml)
{
    const test::TempFolder folder;
    SettingsStore store;
    store.Section("Kept").SetString("k", "v");
    store.Load(folder.Write("legacy.ini",
                            "orphan=1\r\n[A]\r\n x = 5\r\nnoequals\r\n=lonely\r\nempty=\r\n"
                            "a=b=c\r\n[\xD2\xEE\xEA]\nShowFlags=3\n[]\nlost=1\n[B\nk=v"));
    EXPECT_EQ(store.Sections().size(), 4u);
    EXPECT_EQ(store.Section("A").Values(),
              (std::map<std::string, std::string>{{" x ", " 5"}, {"a", "b=c"}}));
    EXPECT_EQ(store.Section("Ток").GetInt("ShowFlags", 0), 3);
    EXPECT_EQ(store.Section("B").GetString("k"), "v");
    EXPECT_EQ(store.Section("Kept").GetString("k"), "v");

    SettingsStore utf8;
    utf8.Load(folder.Write("utf8.ini", "[Ток]\nИмя=Фаза\n"));
    EXPECT_EQ(utf8.Section("Ток").GetString("Имя"), "Фаза");
}

TEST(SettingsStore, FailedSaveKeepsThePreviousFileAndSaysSo)
{
    const test::TempFolder folder;
    SettingsStore store = SampleStore();
    EXPECT_THROW(store.Save(folder / "no-such-folder" / "r.set"), FileException);

    std::filesystem::create_directory(folder / "taken.set");
    EXPECT_THROW(store.Save(folder / "taken.set"), FileException);

    store.Save(folder / "r.set");
    const std::string previous = ReadStoredText(folder / "r.set");
    store.Section("more").SetString("k", "v");
    std::filesystem::create_symlink("r.set", folder / "link.set");
    store.Save(folder / "link.set");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.set"));
    EXPECT_NE(ReadStoredText(folder / "r.set"), previous);

    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 3u) << "a temporary file was left behind";
}

} // namespace
} // namespace zarva
