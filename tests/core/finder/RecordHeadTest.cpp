#include "core/finder/RecordFileSet.h"
#include "core/finder/RecordHead.h"
#include "core/model/CodePage.h"
#include "support/FakeConverter.h"
#include "support/Osc2Writer.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

using test::RecordBuilder;
using test::TempFolder;

class RecordHeadTest : public ::testing::Test {
protected:
    // A configuration alone, without its data file.
    std::filesystem::path WriteCfg(const std::string& name, const std::string& revision, const std::string& date,
                                   const std::string& time = "10:20:30.000100")
    {
        RecordBuilder builder;
        builder.Station("North", "R7", revision).Analog({.id = "Ua"}).Start(date, time).Ramp(2);
        return folder.Write(name, builder.ConfigurationText());
    }

    std::optional<FoundRecord> Head(const std::filesystem::path& path) { return ReadRecordHead(path, sto); }

    std::string StartOf(const std::filesystem::path& path)
    {
        const std::optional<FoundRecord> found = Head(path);
        return found && found->start ? IsoText(*found->start) : "none";
    }

    TempFolder folder;
    StoConversionSetup sto;
};

TEST_F(RecordHeadTest, DatesAreReadDayFirstFromRevision1999AndMonthFirstBefore)
{
    EXPECT_EQ(StartOf(WriteCfg("a.cfg", "1999", "13/02/2021")), "2021-02-13T10:20:30.000100");
    EXPECT_EQ(StartOf(WriteCfg("b.cfg", "1999", "02/13/2021")), "2021-02-13T10:20:30.000100");
    EXPECT_EQ(StartOf(WriteCfg("c.cfg", "1999", "05/03/2021")), "2021-03-05T10:20:30.000100");
    EXPECT_EQ(StartOf(WriteCfg("d.cfg", "2013", "05/03/2021", "7:08:09")), "2021-03-05T07:08:09");
    EXPECT_EQ(StartOf(WriteCfg("e.cfg", "", "05/03/2021")), "2021-05-03T10:20:30.000100");
    EXPECT_EQ(StartOf(WriteCfg("f.cfg", "", "13/02/2021")), "2021-02-13T10:20:30.000100");
}

TEST_F(RecordHeadTest, RecordWithoutReadableDateIsListedUndated)
{
    for (const std::string date : {"31/02/2021", "2021", "xx"}) {
        const std::optional<FoundRecord> found = Head(WriteCfg("r.cfg", "1999", date));
        ASSERT_TRUE(found) << date;
        EXPECT_FALSE(found->start) << date;
    }
    const std::optional<FoundRecord> badTime = Head(WriteCfg("t.cfg", "1999", "01/02/2021", "25:00:00"));
    ASSERT_TRUE(badTime);
    EXPECT_FALSE(badTime->start);
}

TEST_F(RecordHeadTest, ConfigurationWithoutDataIsFoundAndTextsAreDecoded)
{
    RecordBuilder builder;
    builder.Station(FromUtf8("ПС Южная", CodePage::Windows1251), FromUtf8("Блок 2", CodePage::Windows1251))
        .Analog({.id = FromUtf8("Ток фазы А", CodePage::Windows1251)})
        .Ramp(2);
    const std::filesystem::path cfg = folder.Write("4.CFG", builder.ConfigurationText());
    const std::optional<FoundRecord> found = Head(cfg);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->type, RecordType::Cfg);
    EXPECT_EQ(found->station, "ПС Южная");
    EXPECT_EQ(found->recorder, "Блок 2");
    EXPECT_EQ(IsoText(*found->start), "2020-02-01T10:20:30.000100");
}

TEST_F(RecordHeadTest, CodePageForcedInTheSettingsFileIsHonoured)
{
    // 相电 / 系统A相电压 written by a Chinese recorder.
    RecordBuilder builder;
    builder.Station("\xCF\xE0\xB5\xE7").Analog({.id = "\xCF\xB5\xCD\xB3" "A\xCF\xE0\xB5\xE7\xD1\xB9"}).Ramp(2);
    const std::filesystem::path cfg = folder.Write("g.cfg", builder.ConfigurationText());
    EXPECT_EQ(Head(cfg)->station, "相电");
    folder.Write("g.set", "[Oscillogram]\r\nCodepage=1251\r\n");
    EXPECT_EQ(Head(cfg)->station, "Паµз");
    folder.Write("g.set", "<broken");
    EXPECT_EQ(Head(cfg)->station, "相电") << "a broken settings file hides no record";
}

TEST_F(RecordHeadTest, OtherFilesAndBrokenHeadsAreLeftOut)
{
    EXPECT_FALSE(Head(folder.Write("notes.cfg", "just some text\n")));
    EXPECT_FALSE(Head(folder.Write("x.dat", "1,0,5\n")));
    EXPECT_FALSE(Head(folder.Write("broken.osc", "OSC2")));
    EXPECT_FALSE(Head(folder.Write("empty.cff", "")));
    EXPECT_FALSE(Head(folder / "missing.cfg"));
}

TEST_F(RecordHeadTest, SingleFileAndOscHeadsAreRead)
{
    RecordBuilder builder;
    builder.Station("West", "B1", "2013").Analog({.id = "Ia"}).Start("13/02/2021", "01:02:03.5").Ramp(2);
    const std::string cff = "--- file type: CFG ---\r\n" + builder.ConfigurationText() +
                            "--- file type: DAT ASCII: 0 ---\r\n";
    const std::optional<FoundRecord> single = Head(folder.Write("s.CFF", cff));
    ASSERT_TRUE(single);
    EXPECT_EQ(single->type, RecordType::Cff);
    EXPECT_EQ(single->station, "West");
    EXPECT_EQ(IsoText(*single->start), "2021-02-13T01:02:03.5");

    test::Osc2Record osc;
    osc.analog = {{"Ua", "A", "kV", 1.0f, 0.0f, 1.0f, 1.0f, {1, 2, 3}}};
    osc.start = {2024, 3, 5, 7, 8, 9, 45};
    const std::optional<FoundRecord> old = Head(folder.Write("o.osc", test::WriteOsc2(osc)));
    ASSERT_TRUE(old);
    EXPECT_EQ(old->type, RecordType::Osc);
    EXPECT_EQ(old->station, "OSC Осциллограф. Версия 2.5");
    EXPECT_EQ(old->recorder, "-");
    EXPECT_EQ(IsoText(*old->start), "2024-03-05T07:08:09.045");
}

TEST_F(RecordHeadTest, StoIsConvertedForItsFactsOrListedBare)
{
    const std::filesystem::path stoPath = folder.Write("rec.sto", test::FakeStoText(3, 7));
    const std::optional<FoundRecord> bare = Head(stoPath);
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->type, RecordType::Sto);
    EXPECT_TRUE(bare->station.empty());
    EXPECT_FALSE(bare->start);

    std::vector<std::string> calls;
    sto.makeConverter = [&calls](std::size_t size, ConversionProgress* progress) {
        return std::make_unique<test::FakeConverter>(size, progress, &calls);
    };
    EXPECT_FALSE(Head(stoPath)->start) << "no description fits";
    folder.Write("rec.dst", test::FakeDstText(3, 7));
    const std::optional<FoundRecord> converted = Head(stoPath);
    ASSERT_TRUE(converted && converted->start);
    EXPECT_EQ(converted->station, "Converted rec");
    EXPECT_EQ(IsoText(*converted->start), "2024-02-01T10:00:00.000000");
    const auto into = std::find_if(calls.begin(), calls.end(), [](const std::string& c) { return c.starts_with("into "); });
    ASSERT_NE(into, calls.end());
    EXPECT_FALSE(std::filesystem::exists(into->substr(5))) << "the converted files are removed";
}

TEST_F(RecordHeadTest, DeletionTakesTheRecordsOwnCompanionsOnly)
{
    for (const char* name : {"4.CFG", "4.DAT", "4.hdr", "4.INF", "4.SET", "4.ini", "4.cfg", "4.dat", "40.DAT",
                             "4.txt", "x.osc", "x.set", "x.ini", "y.cff", "y.set", "z.sto"})
        folder.Write(name, "x");
    std::filesystem::create_directory(folder / "x.dat");
    const auto files = [this](const char* name) {
        std::vector<std::string> names;
        for (const std::filesystem::path& path : RecordFileSet(folder / name))
            names.push_back(path.filename().string());
        return names;
    };
    EXPECT_EQ(files("4.CFG"), (std::vector<std::string>{"4.DAT", "4.hdr", "4.ini", "4.INF", "4.SET", "4.CFG"}));
    EXPECT_EQ(files("4.cfg"), (std::vector<std::string>{"4.dat", "4.hdr", "4.ini", "4.INF", "4.SET", "4.cfg"}));
    EXPECT_EQ(files("x.osc"), (std::vector<std::string>{"x.set", "x.osc"}));
    EXPECT_EQ(files("y.cff"), std::vector<std::string>{"y.cff"});
    EXPECT_EQ(files("z.sto"), std::vector<std::string>{"z.sto"});
    EXPECT_EQ(files("gone.cfg"), std::vector<std::string>{});

    folder.Write("x.cfg", "x");
    EXPECT_EQ(files("x.cfg"), (std::vector<std::string>{"x.ini", "x.set", "x.cfg"})) << "never the folder x.dat";
}

} // namespace
} // namespace zarva
