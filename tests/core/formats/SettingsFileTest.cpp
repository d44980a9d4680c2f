#include "support/SavedRecord.h"

#include "core/formats/ComtradeReader.h"
#include "core/formats/SettingsFile.h"
#include "core/storage/TextFile.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

using test::RecordBuilder;

class SettingsFileTest : public ::testing::Test {
protected:
    // Ia and Ib in A, Ua in kV with the Cyrillic name bytes of OEM 866, one status channel.
    RecordBuilder Record() const
    {
        RecordBuilder builder;
        builder.Analog({.id = "Ia", .unit = "A"})
            .Analog({.id = "Ib", .unit = "A"})
            .Analog({.id = "\x8D\xA0\xAF\xE0", .unit = "kV"})
            .Discrete({.id = "Trip"})
            .Ramp(100);
        return builder;
    }

    std::unique_ptr<Document> ReadWithSettings(const std::string& settingsName, const std::string& text)
    {
        folder.Write(settingsName, text);
        return test::ReadRecord(Record().Write(folder, "r"));
    }

    test::TempFolder folder;
};

TEST_F(SettingsFileTest, WrittenKeysReadBackOntoTheChannels)
{
    const std::filesystem::path cfg = Record().Write(folder, "r");
    auto document = test::ReadRecord(cfg);
    Channel& ia = document->oscillogram.channels[0];
    ia.aliasName = "Phase A";
    ia.displayFlags = display::kVisible | display::kCurveRms | display::kInverted;
    ia.primary = 600;
    ia.secondary = 5;
    ia.customColourSet = true;
    ia.customColour = 0x00FF00;
    ia.lineFrequencySeries.assign(100, 50.25);
    document->oscillogram.channels[3].displayFlags = display::kVisible;
    WriteSettings(*document, folder / "r.set");

    const auto copy = test::ReadRecord(cfg);
    const Channel& read = copy->oscillogram.channels[0];
    EXPECT_EQ(read.name, "Phase A");
    EXPECT_EQ(read.channelId, "Ia");
    EXPECT_EQ(read.displayFlags, ia.displayFlags);
    EXPECT_EQ(read.primary, 600);
    EXPECT_EQ(read.secondary, 5);
    EXPECT_TRUE(read.customColourSet);
    EXPECT_EQ(read.customColour, 0x00FF00);
    EXPECT_EQ(read.lineFrequencySeries, ia.lineFrequencySeries);
    EXPECT_EQ(copy->oscillogram.channels[3].displayFlags, display::kVisible);
    EXPECT_EQ(copy->oscillogram.channels[1].name, "Ib") << "an empty alias keeps the name from the file";
    WriteSettings(*copy, folder / "again.set");
    EXPECT_EQ(test::FileBytes(folder / "again.set"), test::FileBytes(folder / "r.set"));
}

TEST_F(SettingsFileTest, CursorsAndMergedRowsComeBackWhereTheyWereSaved)
{
    const std::filesystem::path cfg = Record().Write(folder, "r");
    auto document = test::ReadRecord(cfg);
    WriteSettings(*document, folder / "r.set");
    EXPECT_FALSE(document->settings.Sections().contains(kViewSection));

    document->cursors.PlaceVertical(0, 42, 100);
    document->cursors.PlaceHorizontal(1, -0.25, 2);
    document->oscillogram.channels[0].group = document->oscillogram.channels[1].group = "{merged}";
    WriteSettings(*document, folder / "r.set");
    const auto copy = test::ReadRecord(cfg);
    EXPECT_EQ(copy->cursors, document->cursors);
    EXPECT_FALSE(copy->oscillogram.channels[0].group.empty());
    EXPECT_EQ(copy->oscillogram.channels[0].group, copy->oscillogram.channels[1].group);
    EXPECT_TRUE(copy->oscillogram.channels[2].group.empty());
}

TEST_F(SettingsFileTest, OlderIniFileIsReadWhenThereIsNoSettingsFile)
{
    const auto document = ReadWithSettings("r.ini", "[Ib]\r\nAliasName=Phase B\r\nPrimaryMul=1000\r\n"
                                                    "[Oscillogram]\r\nDiscretisationFrequensy=2000\r\n");
    EXPECT_EQ(document->oscillogram.channels[1].name, "Phase B");
    EXPECT_EQ(document->oscillogram.channels[1].primary, 1000);
    EXPECT_EQ(document->oscillogram.sampleRate, 2000) << "the corrected rate replaces the configuration's";
    const auto broken = ReadWithSettings("r.set", "[Oscillogram]\r\nDiscretisationFrequensy=0\r\n");
    EXPECT_EQ(broken->oscillogram.sampleRate, 1000) << "a broken rate keeps the record's own";
}

TEST_F(SettingsFileTest, StoredCodePageDecodesTheNames)
{
    const auto ansi = ReadWithSettings("r.set", "[Oscillogram]\r\nCodepage=1\r\n");
    EXPECT_EQ(ansi->oscillogram.codePage, CodePage::Windows1251);
    EXPECT_EQ(ansi->oscillogram.channels[2].name, ToUtf8("\x8D\xA0\xAF\xE0", CodePage::Windows1251));
    const auto oem = ReadWithSettings("r.set", "[Oscillogram]\r\nCodepage=0\r\n");
    EXPECT_EQ(oem->oscillogram.codePage, CodePage::Oem866);
    EXPECT_EQ(oem->oscillogram.channels[2].name, "Напр");
}

TEST_F(SettingsFileTest, StoredCodePageForcesAnyPageButOlderValuesOnlyChooseACyrillicOne)
{
    const auto forced = ReadWithSettings("r.set", "[Oscillogram]\r\nCodepage=936\r\n");
    EXPECT_EQ(forced->oscillogram.codePage, CodePage::Gbk);
    WriteSettings(*forced, folder / "r.set");
    EXPECT_EQ(test::ReadRecord(folder / "r.cfg")->oscillogram.codePage, CodePage::Gbk) << "kept by saving";

    // 系统A相电压 on a record of a Chinese recorder.
    const auto chinese = RecordBuilder().Analog({.id = "\xCF\xB5\xCD\xB3" "A\xCF\xE0\xB5\xE7\xD1\xB9"}).Ramp(10);
    const std::pair<const char*, CodePage> cases[] = {
        {"", CodePage::Gbk}, {"Codepage=1", CodePage::Gbk}, {"Codepage=0", CodePage::Gbk},
        {"Codepage=1251", CodePage::Windows1251}, {"Codepage=65001", CodePage::Utf8}, {"Codepage=7", CodePage::Gbk}};
    for (const auto& [key, page] : cases) {
        folder.Write("c.set", std::string("[Oscillogram]\r\n") + key + "\r\n");
        const auto document = test::ReadRecord(chinese.Write(folder, "c"));
        EXPECT_EQ(document->oscillogram.codePage, page) << key;
        if (page == CodePage::Gbk) {
            EXPECT_EQ(document->oscillogram.channels[0].name, "系统A相电压");
        }
    }
}

// Two frequency channels; the second is the one the measures track, and the choice names its
// channel, so a record read with another frequency channel ahead of it still finds it.
TEST_F(SettingsFileTest, FrequencyReferenceComesBackByItsChannel)
{
    RecordBuilder builder;
    builder.Analog({.id = "Ia", .unit = "A"}).Analog({.id = "F1", .unit = "Hz"}).Analog({.id = "F2", .unit = "Hz"}).Ramp(50);
    const std::filesystem::path cfg = builder.Write(folder, "f");
    auto document = test::ReadRecord(cfg);
    ASSERT_EQ(document->oscillogram.frequencyChannels.size(), 2u);
    EXPECT_EQ(document->frequencyReference, 0);
    document->frequencyReference = 2;
    WriteSettings(*document, folder / "f.set");
    EXPECT_EQ(test::ReadRecord(cfg)->frequencyReference, 2);

    RecordBuilder wider;
    wider.Analog({.id = "F0", .unit = "Hz"}).Analog({.id = "F1", .unit = "Hz"}).Analog({.id = "F2", .unit = "Hz"}).Ramp(50);
    folder.Write("w.set", test::FileBytes(folder / "f.set"));
    EXPECT_EQ(test::ReadRecord(wider.Write(folder, "w"))->frequencyReference, 3);

    document->frequencyReference = 0;
    WriteSettings(*document, folder / "f.set");
    EXPECT_EQ(test::ReadRecord(cfg)->frequencyReference, 0) << "no reference chosen again is kept too";

    for (const char* stored : {"Gone", "Ia", ""}) {
        folder.Write("f.set", std::string("[Oscillogram]\r\nFrequencyReference=") + stored + "\r\n");
        EXPECT_EQ(test::ReadRecord(cfg)->frequencyReference, 0) << stored;
    }
}

TEST_F(SettingsFileTest, ChannelKeysMakeNoPastedOrComputedChannelAndShortFrequencyListsEndInZeros)
{
    const auto document = ReadWithSettings(  // 24833 = 0x6101
        "r.set", "[Ia]\r\nShowFlags=24833\r\nNetFreq=49.5,50.5,x\r\n[Trip]\r\nNetFreq=50\r\n");
    const Channel& ia = document->oscillogram.channels[0];
    EXPECT_FALSE(ia.HasFlag(display::kPasted));
    EXPECT_FALSE(ia.HasFlag(display::kSuppliedPhasors));
    EXPECT_TRUE(ia.HasFlag(display::kCurveRms));
    EXPECT_EQ(document->oscillogram.SampleCount(), 100u);
    std::vector<double> frequencies(100, 0.0);
    frequencies[0] = 49.5;
    frequencies[1] = 50.5;
    EXPECT_EQ(ia.lineFrequencySeries, frequencies);
    EXPECT_TRUE(document->oscillogram.channels[3].lineFrequencySeries.empty()) << "status channels have none";
}

TEST_F(SettingsFileTest, ChannelsOfOneIdentifierShareTheirSection)
{
    RecordBuilder builder;
    builder.Analog({.id = "I"}).Analog({.id = "I"}).Ramp(20);
    folder.Write("twin.set", "[I]\r\nAliasName=Twin\r\n");
    const auto document = test::ReadRecord(builder.Write(folder, "twin"));
    EXPECT_EQ(document->oscillogram.channels[0].name, "Twin");
    EXPECT_EQ(document->oscillogram.channels[1].name, "Twin");
    document->oscillogram.channels[0].primary = 2;
    document->oscillogram.channels[1].primary = 3;
    StoreSettings(*document);
    EXPECT_EQ(document->settings.Section("I").GetDouble("PrimaryMul", 0), 3.0) << "the later channel's keys win";
}

TEST_F(SettingsFileTest, ComputedChannelsComeBackWithTheirDisplayKeys)
{
    const auto document = ReadWithSettings(
        "r.set", "[CalculatedChannels]\r\nChannel0=Sum,Ia + Ib\r\n[Sum]\r\nShowFlags=257\r\nAliasName=Total\r\n");
    const Oscillogram& record = document->oscillogram;
    ASSERT_EQ(record.calcChannels.Names(), std::vector<std::string>{"Sum"});
    const Channel& sum = record.channels[record.FindChannel("Sum")];
    EXPECT_EQ(sum.samples.At(5), record.channels[0].samples.At(5) + record.channels[1].samples.At(5));
    EXPECT_TRUE(sum.HasFlag(display::kCurveRms));
    EXPECT_TRUE(sum.HasFlag(display::kSuppliedPhasors));
    EXPECT_EQ(sum.aliasName, "Total") << "kept, while the channel keeps the name its formula goes by";
}

TEST_F(SettingsFileTest, SectionsOfOtherOwnersAndUnknownOnesPassThrough)
{
    const std::string text = "[View]\r\nZoom=3\r\n[Vendor Extras]\r\nKey=Value\r\n"
                             "[Comments]\r\nMoment0=12;text\r\n";
    const auto document = ReadWithSettings("r.set", text);
    WriteSettings(*document, folder / "copy.set");
    SettingsStore stored;
    stored.Load(folder / "copy.set");
    EXPECT_EQ(stored.Section("View").GetString("Zoom"), "3");
    EXPECT_EQ(stored.Section("Vendor Extras").GetString("Key"), "Value");
    EXPECT_EQ(stored.Section("Comments").GetString("Moment0"), "12;text");
    EXPECT_EQ(stored.Section("Oscillogram").GetInt("DiscretisationFrequensy", 0), 1000);
    EXPECT_EQ(stored.Section("Ia").GetString("ShowFlags"), "225");
    EXPECT_FALSE(stored.Sections().contains("CalculatedChannels")) << "no empty section for a record without any";
}

} // namespace
} // namespace zarva
