#include "core/document/AnnotateOption.h"
#include "core/document/Annotations.h"
#include "core/document/HeaderText.h"
#include "core/formats/SettingsFile.h"
#include "core/storage/SettingsStore.h"

#include "../dsp/TestRecord.h"
#include "support/RecordBuilder.h"
#include "support/SavedRecord.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

MomentItem Moment(std::int64_t position, std::string text = {})
{
    MomentItem moment;
    moment.position = position;
    moment.text = std::move(text);
    return moment;
}

TEST(Annotations, SavedByKindAndNumberInListOrderAndReadBackTheSame)
{
    LevelItem level;
    level.text = "3I0 stage";
    level.channel = "Ia";
    level.positionY = -12.5;
    level.positionFrom = 10;
    level.positionTo = 40;
    AreaItem area;
    area.text = "swing";
    area.locked = true;
    area.visible = false;
    area.channelFrom = "Ia";
    area.channelTo = "Trip";
    area.positionFrom = 5;
    area.positionTo = 7;
    const std::vector<Annotation> items = {Moment(3, "inception\r\npole A"), level, Moment(9), area};

    SettingsSection comments;
    comments.SetInt("Codepage", 1251);
    comments.SubSection("Moments").SubSection("Moment7").SetInt("position", 1);  // an older save
    SaveAnnotations(items, comments);
    const auto& moments = comments.SubSections().at("Moments").SubSections();
    ASSERT_EQ(moments.size(), 2u);
    EXPECT_EQ(moments.at("Moment1").Values().at("text"), "inception\npole A");
    EXPECT_EQ(moments.at("Moment2").Values().at("position"), "9");
    EXPECT_EQ(comments.SubSections().at("Levels").SubSections().at("Level1").Values().at("positionY"), "-12.500000");
    const SettingsSection& saved = comments.SubSections().at("Areas").SubSections().at("Area1");
    EXPECT_EQ(saved.Values().at("locked"), "1");
    EXPECT_EQ(saved.Values().at("visible"), "0");
    EXPECT_EQ(saved.Values().at("channelTo"), "Trip");
    EXPECT_EQ(comments.Values().at("Codepage"), "1251");

    const std::vector<Annotation> read = LoadAnnotations(comments, 100);
    std::vector<Annotation> expected = {Moment(3, "inception\npole A"), Moment(9), level, area};
    EXPECT_EQ(read, expected);

    // Nothing left to save empties what was there.
    SaveAnnotations({}, comments);
    EXPECT_TRUE(LoadAnnotations(comments, 100).empty());
}

TEST(Annotations, LoadingOrdersByNumberDefaultsMissingKeysAndKeepsPositionsOnTheRecord)
{
    SettingsSection comments;
    SettingsSection& moments = comments.SubSection("Moments");
    moments.SubSection("Moment10").SetInt("position", 10);
    moments.SubSection("Moment2").SetInt("position", 2);
    moments.SubSection("Moment3").SetInt("position", 5000);
    moments.SubSection("Moment4").SetInt("position", -7);
    comments.SubSection("Levels").SubSection("Level1").SetString("positionY", "nan");
    const std::vector<Annotation> items = LoadAnnotations(comments, 1000);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(std::get<MomentItem>(items[0]).position, 2);
    EXPECT_EQ(std::get<MomentItem>(items[1]).position, 999);
    EXPECT_EQ(std::get<MomentItem>(items[2]).position, 0);
    EXPECT_EQ(std::get<MomentItem>(items[3]).position, 10);
    const auto& level = std::get<LevelItem>(items[4]);
    EXPECT_TRUE(level.text.empty() && level.channel.empty() && !level.locked && level.visible);
    EXPECT_EQ(level.positionY, 0.0);
}

TEST(Annotations, PickedAndHoveredItemsFollowDeletionAndToolsToggle)
{
    Annotations list;
    list.Add(Moment(1));
    list.Add(Moment(2));
    EXPECT_EQ(list.Add(Moment(3)), 2u);
    EXPECT_EQ(list.PickedItem(), 2u);
    EXPECT_TRUE(list.SetHovered(1));
    EXPECT_FALSE(list.SetHovered(1));
    EXPECT_TRUE(list.SetPicked(7));  // past the end: none
    EXPECT_FALSE(list.PickedItem());
    list.SetPicked(2);
    list.Remove(0);
    EXPECT_EQ(list.HoveredItem(), 0u);
    EXPECT_EQ(list.PickedItem(), 1u);
    list.Remove(1);
    EXPECT_FALSE(list.PickedItem());
    EXPECT_EQ(std::get<MomentItem>(list.Items().front()).position, 2);

    list.ChooseTool(AnnotationTool::Level);
    EXPECT_EQ(list.Tool(), AnnotationTool::Level);
    list.ChooseTool(AnnotationTool::Area);
    EXPECT_EQ(list.Tool(), AnnotationTool::Area);
    list.ChooseTool(AnnotationTool::Area);
    EXPECT_EQ(list.Tool(), AnnotationTool::None);
}

TEST(Annotations, SettingsFileCarriesThemUnlessAskedToSkip)
{
    test::TempFolder folder;
    test::TestRecord source(1000);
    source.AddAnalog("Ia", std::vector<double>(50, 1.0));
    source.document.annotations.Assign({Moment(4, "fault"), Moment(8)});
    const auto path = folder.Path() / "record.set";
    WriteSettings(source.document, path);

    test::TestRecord copy(1000);
    copy.AddAnalog("Ia", std::vector<double>(50, 1.0));
    ReadSettings(copy.document, path, true);
    EXPECT_TRUE(copy.document.annotations.Items().empty());
    ReadSettings(copy.document, path, false);
    EXPECT_EQ(copy.document.annotations.Items(), source.document.annotations.Items());
}

TEST(AnnotateOption, ReadsEveryKindByChannelNameAndRefusesWhatTheRecordHasNot)
{
    test::TestRecord source(1000);
    source.AddAnalog("Ia", std::vector<double>(100, 1.0)).channelId = "IA-id";
    source.AddAnalog("Ub", std::vector<double>(100, 1.0)).channelId = "Ub";
    std::string failed;
    const auto items = ParseAnnotateOption(
        "moment:12:fault: phase A;level:ia:2.5:10:90:3I0\\nstage;area:Ia:Ub:20:30:;moment:99", source.record, failed);
    ASSERT_TRUE(items.has_value()) << failed;
    ASSERT_EQ(items->size(), 4u);
    EXPECT_EQ(std::get<MomentItem>((*items)[0]).text, "fault: phase A");
    const auto& level = std::get<LevelItem>((*items)[1]);
    EXPECT_EQ(level.channel, "IA-id");
    EXPECT_EQ(level.positionY, 2.5);
    EXPECT_EQ(level.text, "3I0\nstage");
    const auto& area = std::get<AreaItem>((*items)[2]);
    EXPECT_EQ(area.channelTo, "Ub");
    EXPECT_EQ(area.positionTo, 30);
    EXPECT_TRUE(std::get<MomentItem>((*items)[3]).text.empty());

    for (const char* wrong : {"moment:100", "level:Ic:1:2:3:x", "area:Ia:Ub:1:x:y", "mark:1:x", "level:Ia:inf:1:2:x",
                              "moment:-1:x"}) {
        EXPECT_FALSE(ParseAnnotateOption(std::string("moment:1;") + wrong, source.record, failed)) << wrong;
        EXPECT_EQ(failed, wrong);
    }
}

TEST(HeaderText, ReadInAnotherPageEditedAndKeptWithItsPage)
{
    Document document;
    Oscillogram& record = document.oscillogram;
    // "Пуск\r\nЗащита" in OEM 866.
    record.headerText = "\x8f\xe3\xe1\xaa\r\n\x87\xa0\xe9\xa8\xe2\xa0";
    record.headerCodePage = CodePage::Windows1251;
    const std::string misread = HeaderShown(record.headerText, CodePage::Windows1251);
    const std::string read = RereadHeader(record.headerText, misread, CodePage::Windows1251, CodePage::Oem866);
    EXPECT_EQ(read, "Пуск\nЗащита");

    // Unchanged text keeps the bytes; only the page is new, and the settings carry it.
    const std::string bytes = record.headerText;
    EXPECT_TRUE(ApplyHeader(document, read, CodePage::Oem866));
    EXPECT_EQ(record.headerText, bytes);
    EXPECT_EQ(record.headerCodePage, CodePage::Oem866);
    EXPECT_EQ(document.settings.Section(kCommentsSection).GetInt(kCodePageKey, -1), 0);
    EXPECT_FALSE(ApplyHeader(document, read, CodePage::Oem866));

    // An edit is written in the page with CR LF; text the page cannot hold goes as UTF-8.
    EXPECT_TRUE(ApplyHeader(document, "Пуск\nОтключение", CodePage::Oem866));
    EXPECT_EQ(record.headerText, "\x8f\xe3\xe1\xaa\r\n\x8e\xe2\xaa\xab\xee\xe7\xa5\xad\xa8\xa5");
    // Switching the page of an edited text and back keeps the edit.
    const std::string edited = "Пуск\nОтключение 1";
    const std::string other = RereadHeader(record.headerText, edited, CodePage::Oem866, CodePage::Windows1251);
    EXPECT_NE(other, edited);
    EXPECT_EQ(RereadHeader(record.headerText, other, CodePage::Windows1251, CodePage::Oem866), edited);
    EXPECT_TRUE(ApplyHeader(document, "Пуск 电", CodePage::Oem866));
    EXPECT_EQ(record.headerText, "Пуск 电");
    EXPECT_EQ(record.headerCodePage, CodePage::Utf8);
}

TEST(HeaderText, PageChosenForTheHeaderIsKeptOverTheGuess)
{
    test::TempFolder folder;
    test::RecordBuilder builder;
    const auto cfg = builder.Analog({.id = "Ia"}).Ramp(10).Write(folder, "r");
    folder.Write("r.hdr", "\x8f\xe3\xe1\xaa\r\n\x87\xa0\xe9\xa8\xe2\xa0");  // "Пуск\r\nЗащита" in OEM 866
    EXPECT_EQ(test::ReadRecord(cfg)->oscillogram.headerCodePage, CodePage::Oem866);
    SettingsStore chosen;
    chosen.Section(kCommentsSection).SetInt(kCodePageKey, 1251);
    chosen.Save(folder / "r.set");
    EXPECT_EQ(test::ReadRecord(cfg)->oscillogram.headerCodePage, CodePage::Windows1251);
}

} // namespace
} // namespace zarva
