#include "support/SavedRecord.h"

#include "ErrorOf.h"
#include "core/formats/CffFile.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

using test::RecordBuilder;

RecordBuilder Record2013(const std::string& type)
{
    RecordBuilder builder;
    builder.Station("SUB", "IED", "2013")
        .FileType(type)
        .Analog({.id = "IA", .unit = "A", .a = 0.25, .b = -1})
        .Analog({.id = "UA", .unit = "kV", .a = 0.01})
        .Discrete({.id = "51A"})
        .TimeCodes("0", "+3")
        .Ramp(30);
    return builder;
}

// A single file assembled from a record's configuration and data as other writers lay it out.
std::string SingleFile(const RecordBuilder& builder, const std::string& dataMarker, const std::string& extra = {})
{
    return "--- file type: CFG ---\r\n" + builder.ConfigurationText() + extra + dataMarker + "\r\n" + builder.DataBytes();
}

void ExpectFormatError(const std::function<void()>& read, const std::string& path)
{
    const CZarvaException error = test::ErrorOf(read);
    EXPECT_EQ(error.MessageId(), messages::kBadFileFormat);
    EXPECT_EQ(error.Parameter(), path);
}

TEST(CffSplit, MarkersOfEveryLayoutAndTheTextBetweenThem)
{
    const std::string file = "--- file type: CFG ---\r\ncfg line\r\n"
                             "-- file type  INF ---\nab\n\n"
                             "--- FILE TYPE: hdr ---\r\nheader\r\n"
                             "--- file type: DAT BINARY32: 4 ---\r\n\x01\r\n\x02"
                             "--- file type: XYZ ---\r\ntail";
    std::vector<std::pair<std::string, std::string>> sections;
    for (const CffSection& section : SplitCff(file, "r.cff"))
        sections.emplace_back(section.name, section.bytes);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"CFG", "cfg line"}, {"INF", "ab\n"}, {"HDR", "header"},
        {"DAT", std::string("\x01\r\n\x02", 4)},  // counted bytes are taken as they are
        {"XYZ", "tail"}};
    EXPECT_EQ(sections, expected);
}

class CffTest : public ::testing::Test {
protected:
    test::TempFolder folder;
};

TEST_F(CffTest, CountedDataSectionReadsAsTheSameRecordFromFiles)
{
    const RecordBuilder builder = Record2013("BINARY");
    const auto fromFiles = test::ReadRecord(builder.Write(folder, "plain"));
    const std::string marker = "--- file type: DAT BINARY: " + std::to_string(builder.DataBytes().size()) + " ---";
    const std::filesystem::path cff = folder.Write("single.cff", SingleFile(builder, marker));
    const auto single = test::ReadRecord(cff);
    test::ExpectSameRecord(fromFiles->oscillogram, single->oscillogram);
    EXPECT_EQ(single->oscillogram.sourcePath, cff.string());
    EXPECT_TRUE(single->oscillogram.fileSections.empty()) << "no information or header section is needed";
}

TEST_F(CffTest, UncountedAsciiDataRunsToTheEndAndSettingsBesideAreRead)
{
    folder.Write("a.set", "[IA]\r\nAliasName=Phase A\r\n");
    const auto single = test::ReadRecord(folder.Write("a.cff", SingleFile(Record2013("ASCII"), "-- file type  DAT ---")));
    EXPECT_EQ(single->oscillogram.SampleCount(), 30u);
    EXPECT_TRUE(single->oscillogram.loadWarnings.empty()) << single->oscillogram.loadWarnings.front();
    EXPECT_EQ(single->oscillogram.channels[0].name, "Phase A");
}

TEST_F(CffTest, BrokenFilesAndErrorsOfTheirSectionsNameTheSingleFile)
{
    const std::string path = "/data/r.cff";
    ExpectFormatError([&] { SplitCff("--- file type: DAT ---\r\n1,2\r\n", path); }, path);
    ExpectFormatError([&] { SplitCff("--- file type: CFG ---\r\nS,R,2013\r\n", path); }, path);
    ExpectFormatError([&] { SplitCff("--- file type: CFG ---\r\nx\r\n--- file type: DAT BINARY: 9 ---\r\n12345678", path); },
                      path);
    EXPECT_NO_THROW(SplitCff("--- file type: CFG ---\r\nx\r\n--- file type: DAT BINARY: 8 ---\r\n12345678", path));

    RecordBuilder builder = Record2013("ASCII");
    builder.FileType("BINARY64");
    const std::filesystem::path cff = folder.Write("bad.cff", SingleFile(builder, "--- file type: DAT ---"));
    const CZarvaException error = test::ErrorOf([&] { test::ReadRecord(cff); });
    EXPECT_EQ(error.MessageId(), messages::kBadFileFormat);
    EXPECT_TRUE(error.Parameter().starts_with(cff.string() + ", ")) << error.Parameter();
}

// Lines are those of the single file, not of the section that held the fault.
TEST_F(CffTest, FaultsInTheConfigurationOrDataNameTheirLineInTheSingleFile)
{
    const std::string cfg = "--- file type: CFG ---\r\nS,R,2013\r\n1,1A,0D\r\n1,U,,,V,1,0,0,-9,9,1,1,S\r\n50\r\n1\r\n1000,2\r\n"
                            "01/01/2020,00:00:00.0\r\n01/01/2020,00:00:00.0\r\nASCII\r\n1\r\n";
    const std::string data = "--- file type: DAT ---\r\n1,0,5\r\n2,1000,?\r\n";
    const auto inData = folder.Write("d.cff", cfg + data);
    EXPECT_EQ(test::ErrorOf([&] { test::ReadRecord(inData); }).Parameter(), inData.string() + ", строка 14, поле 3: «?» не число");
    std::string badScale = cfg;
    badScale.replace(badScale.find("V,1,0"), 5, "V,one,0");
    const auto inCfg = folder.Write("c.cff", badScale + data);
    EXPECT_EQ(test::ErrorOf([&] { test::ReadRecord(inCfg); }).Parameter(), inCfg.string() + ", строка 4, поле 6: «one» не число");
}

class CffForms : public CffTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(CffForms, SavedRecordCarriesItsSectionsAndDataInTheNamedForm)
{
    const RecordBuilder builder = Record2013("BINARY");
    const std::string extra = "--- file type: INF ---\r\n[Public Record]\r\n--- file type: HDR ---\r\nHeader text\r\n"
                              "--- file type: SET ---\r\n[IA]\r\nAliasName=Phase A\r\n";
    const std::string marker = "--- file type: DAT BINARY: " + std::to_string(builder.DataBytes().size()) + " ---";
    auto original = test::ReadRecord(folder.Write("in.cff", SingleFile(builder, marker, extra)));
    ASSERT_EQ(original->oscillogram.headerText, "Header text");
    original->oscillogram.channels[1].aliasName = original->oscillogram.channels[1].name = "Bus U";

    SaveCff(*original, folder / "out.cff", {GetParam()});
    const std::string written = test::FileBytes(folder / "out.cff");
    const std::string type = GetParam() == std::string("binary32") ? "BINARY32" : GetParam();
    EXPECT_NE(written.find("\r\n" + std::string(GetParam()) + "\r\n"), std::string::npos) << "the configuration's form";
    EXPECT_NE(written.find("--- file type: DAT " + type + ": "), std::string::npos) << "announced in the same form";
    const auto copy = test::ReadRecord(folder / "out.cff");
    test::ExpectSameRecord(original->oscillogram, copy->oscillogram);
    EXPECT_EQ(copy->oscillogram.channels[0].multiplier, 0.25) << "codes that fit keep their scale";
    EXPECT_EQ(copy->oscillogram.channels[0].offset, -1.0);
    EXPECT_TRUE(copy->oscillogram.loadWarnings.empty()) << copy->oscillogram.loadWarnings.front();
    ASSERT_EQ(copy->oscillogram.fileSections.size(), 1u);
    EXPECT_EQ(copy->oscillogram.fileSections[0].name, "INF");
    EXPECT_EQ(copy->oscillogram.fileSections[0].text, "[Public Record]");
    EXPECT_EQ(copy->oscillogram.channels[0].name, "Phase A");
    EXPECT_EQ(copy->oscillogram.channels[1].name, "Bus U") << "the settings section holds the change";
    EXPECT_TRUE(std::filesystem::exists(folder / "out.set"));
}

INSTANTIATE_TEST_SUITE_P(Forms, CffForms, ::testing::Values("ASCII", "BINARY", "binary32", "FLOAT32"));

TEST_F(CffTest, RecordBefore2013IsRefusedAndNothingIsWritten)
{
    RecordBuilder builder = Record2013("BINARY");
    builder.Station("SUB", "IED", "1999");
    auto document = test::ReadRecord(builder.Write(folder, "old"));
    const CZarvaException error = test::ErrorOf([&] { SaveCff(*document, folder / "old.cff"); });
    EXPECT_EQ(error.MessageId(), 187);
    EXPECT_EQ(error.Parameter(), "");
    EXPECT_FALSE(std::filesystem::exists(folder / "old.cff"));
    EXPECT_FALSE(std::filesystem::exists(folder / "old.set"));
}

TEST_F(CffTest, HeaderOfARecordFromFilesBecomesItsSection)
{
    folder.Write("f.hdr", "Relay 7\r\n");
    auto original = test::ReadRecord(Record2013("FLOAT32").Write(folder, "f"));
    SaveCff(*original, folder / "g.cff");
    const std::string written = test::FileBytes(folder / "g.cff");
    EXPECT_NE(written.find("--- file type: HDR ---\r\nRelay 7\r\n\r\n"), std::string::npos);
    EXPECT_EQ(test::ReadRecord(folder / "g.cff")->oscillogram.headerText, "Relay 7\r\n");
}

TEST_F(CffTest, OneFileCarriesTheSettingsAndItsSectionWinsOverAFileBeside)
{
    auto original = test::ReadRecord(Record2013("BINARY").Write(folder, "r"));
    Oscillogram& record = original->oscillogram;
    record.channels[0].aliasName = record.channels[0].name = "Feeder I";
    record.channels[1].primary = 110000;
    record.channels[1].secondary = 100;
    record.calcChannels.Add("Twice", "UA * 2");
    MomentItem moment;
    moment.position = 7;
    moment.text = "breaker opens";
    original->annotations.Add(moment);
    SaveCff(*original, folder / "one.cff");
    // Another program's settings beside it, or a stale copy: the file's own section rules.
    folder.Write("one.set", "[IA]\r\nAliasName=Stale\r\n");

    const auto copy = test::ReadRecord(folder / "one.cff");
    const Oscillogram& read = copy->oscillogram;
    EXPECT_EQ(read.channels[0].name, "Feeder I");
    EXPECT_EQ(read.channels[1].primary, 110000);
    EXPECT_EQ(read.channels[1].secondary, 100);
    EXPECT_EQ(read.calcChannels.Names(), std::vector<std::string>{"Twice"});
    const Channel& twice = read.channels[read.FindChannel("Twice")];
    EXPECT_DOUBLE_EQ(twice.samples[5], 2 * read.channels[1].samples[5]);
    EXPECT_EQ(copy->annotations.Items(), original->annotations.Items());
}

} // namespace
} // namespace zarva
