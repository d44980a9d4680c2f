#include "support/SavedRecord.h"

#include "core/formats/ComtradeReader.h"
#include "core/formats/ComtradeWriter.h"
#include "core/model/ZarvaException.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace zarva {
namespace {

using test::AnalogLine;
using test::DiscreteLine;
using test::RecordBuilder;

class WriterTest : public ::testing::Test {
protected:
    Document& Read(const RecordBuilder& builder, const std::string& name = "record")
    {
        documents.push_back(test::ReadRecord(builder.Write(folder, name)));
        return *documents.back();
    }

    Document& SaveAndRead(Document& document, const std::string& name, const std::string& type = {})
    {
        SaveComtrade(document, folder / name, {type});
        documents.push_back(test::ReadRecord(folder / name));
        return *documents.back();
    }

    static std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find("\r\n", start);
            EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    test::TempFolder folder;
    std::vector<std::unique_ptr<Document>> documents;
};

// Two analog channels (one in kV with a = 0.5, b = 1) and eighteen status channels, so that
// the status bits fill more than one word.
RecordBuilder Mixed(const std::string& type)
{
    RecordBuilder builder;
    builder.FileType(type)
        .Analog({.id = "U", .unit = "kV", .a = 0.5, .b = 1, .phase = "A", .ccbm = "Line", .skew = "2.5",
                 .primary = "110", .secondary = "0.1", .ps = "P"})
        .Analog({.id = "I", .unit = "A", .a = 0.01});
    for (int j = 0; j < 18; ++j)
        builder.Discrete({.id = "S" + std::to_string(j), .normalState = j % 2});
    builder.Sample({-100, 300}, std::vector<int>(18, 1)).Sample({32767, -32768}).Ramp(40);
    return builder;
}

class EveryFormPair : public WriterTest,
                      public ::testing::WithParamInterface<std::tuple<const char*, const char*>> {};

TEST_P(EveryFormPair, RecordReadsBackToTheLastCode)
{
    const auto [from, to] = GetParam();
    Document& original = Read(Mixed(from));
    const Document& copy = SaveAndRead(original, "copy.cfg", to);
    test::ExpectSameRecord(original.oscillogram, copy.oscillogram);
    EXPECT_EQ(copy.oscillogram.channels[0].multiplier, 0.5);
    EXPECT_EQ(copy.oscillogram.channels[0].offset, 1.0);
    EXPECT_TRUE(copy.oscillogram.loadWarnings.empty()) << copy.oscillogram.loadWarnings.front();
}

INSTANTIATE_TEST_SUITE_P(Forms, EveryFormPair,
                         ::testing::Combine(::testing::Values("ASCII", "BINARY", "BINARY32", "FLOAT32"),
                                            ::testing::Values("ASCII", "BINARY", "binary32", "FLOAT32")));

TEST_F(WriterTest, ConfigurationOfARecordOfRevision1999)
{
    Document& document = Read(Mixed("BINARY"));
    const std::vector<std::string> lines = Lines(ComtradeWriter(document.oscillogram, DataFormat::Binary).BuildConfigurationText());
    ASSERT_EQ(lines.size(), 2 + 2 + 18 + 7u);
    EXPECT_EQ(lines[0], "STATION,REC,1999");
    EXPECT_EQ(lines[1], "20,2A,18D");
    EXPECT_EQ(lines[2], "1,U,A,Line,kV,0.5,1,2.5,-100,32767,110,0.1,P");
    EXPECT_EQ(lines[3], "2,I,,,A,0.010000000000000000208167,0,0,-32768,300,1,1,S") << "23 digits read back exactly";
    EXPECT_EQ(lines[21], "18,S17,,,1");
    const std::vector<std::string> tail(lines.begin() + 22, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"50", "1", "1000,42", "01/02/2020,10:20:30.000100",
                                              "01/02/2020,10:20:30.100000", "BINARY", "1"}));
}

TEST_F(WriterTest, Revision1991LayoutHasNoRatiosNoStatusPhaseAndNoTimeMultiplier)
{
    RecordBuilder builder;
    builder.Station("OLD", "R1", "")
        .FileType("ASCII")
        .Analog({.id = "Ua", .unit = "kV", .a = 0.5, .primary = "", .secondary = ""})
        .Discrete({.id = "Trip", .normalState = 1})
        .Sample({-100}, {1})
        .Sample({300}, {0});
    Document& document = Read(builder);
    const std::vector<std::string> lines = Lines(ComtradeWriter(document.oscillogram, DataFormat::Ascii).BuildConfigurationText());
    const std::vector<std::string> expected = {"OLD,R1", "2,1A,1D", "1,Ua,,,kV,0.5,0,0,-100,300", "1,Trip,1", "50",
                                               "1", "1000,2", "01/02/2020,10:20:30.000100",
                                               "01/02/2020,10:20:30.100000", "ASCII"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(ComtradeWriter(document.oscillogram, DataFormat::Ascii).BuildAsciiData(),
              "1,0, -100, 1\r\n2,1000, 300, 0\r\n");
}

TEST_F(WriterTest, RecorderFieldStaysWhenEmptySoTheRevisionIsNotTakenForIt)
{
    Document& document = Read(Mixed("BINARY").Station("ST", "", "1999"));
    const std::string text = ComtradeWriter(document.oscillogram, DataFormat::Binary).BuildConfigurationText();
    EXPECT_TRUE(text.starts_with("ST,,1999\r\n")) << text;
}

TEST_F(WriterTest, ThirtyTwoBitFormsAreDeclaredRevision2013)
{
    Document& document = Read(Mixed("BINARY").Station("ST", "R", "1999"));
    const std::string text = ComtradeWriter(document.oscillogram, DataFormat::Float32).BuildConfigurationText();
    EXPECT_TRUE(text.starts_with("ST,R,2013\r\n")) << text;
    EXPECT_NE(text.find("\r\nFLOAT32\r\n"), std::string::npos);
}

TEST_F(WriterTest, TimeAndLocalCodesOfRevision2013AreKept)
{
    Document& original = Read(Mixed("BINARY").Station("ST", "R", "2013").TimeCodes("-5h30", "+3"));
    const Document& copy = SaveAndRead(original, "copy.cfg");
    EXPECT_EQ(copy.oscillogram.timeCode, "-5h30");
    EXPECT_EQ(copy.oscillogram.localCode, "+3");
    EXPECT_EQ(copy.oscillogram.startText, original.oscillogram.startText);
}

TEST_F(WriterTest, ComputedAndPastedChannelsAreLeftOutAndPositionsKeepTheirNumbers)
{
    Document& document = Read(Mixed("BINARY"));
    Oscillogram& record = document.oscillogram;
    record.calcChannels.Add("Double", "U * 2");
    record.calcChannels.Compute();
    Channel pasted = record.channels[1];
    pasted.SetFlag(display::kPasted, true);
    record.channels.insert(record.channels.begin() + 1, pasted);
    const Document& copy = SaveAndRead(document, "copy.cfg");
    ASSERT_EQ(copy.oscillogram.analogCount, 2u);
    const std::string text = test::FileBytes(folder / "copy.cfg");
    EXPECT_NE(text.find("\r\n3,I,"), std::string::npos) << text;
    EXPECT_EQ(text.find("Double"), std::string::npos);
    // Computed channels come back from the settings file.
    EXPECT_EQ(copy.oscillogram.calcChannels.Names(), std::vector<std::string>{"Double"});
}

TEST_F(WriterTest, AsciiTimeStampsAreWrittenInUnitsOfTheTimeMultiplier)
{
    RecordBuilder builder = Mixed("ASCII").TimeMultiplier("10");
    builder.Sample({1, 2}, {}, 12345);
    Document& original = Read(builder);
    const Document& copy = SaveAndRead(original, "copy.cfg");
    EXPECT_EQ(copy.oscillogram.sampleTimes, original.oscillogram.sampleTimes);
    EXPECT_EQ(original.oscillogram.sampleTimes.back(), 123450);
}

class NarrowForms : public WriterTest {};

TEST_F(NarrowForms, FloatCodesSavedAsSixteenBitsAreSpreadOverTheRangeAndNeverWrap)
{
    RecordBuilder builder;
    builder.FileType("FLOAT32").Station("F", "R", "2013").Analog({.id = "P", .unit = "W", .a = 1.0});
    const double values[] = {-1e6, -0.125, 0.0, 1e-3, 7.25, 123456.75, 2.5e6};
    for (const double value : values)
        builder.Sample({value});
    Document& original = Read(builder);
    const Document& copy = SaveAndRead(original, "copy.cfg", "BINARY");
    const Channel& channel = copy.oscillogram.channels[0];
    EXPECT_NE(channel.multiplier, 1.0);
    EXPECT_LE(channel.multiplier, (2.5e6 + 1e6) / 65534 * 1.000001);
    test::ExpectSameRecord(original.oscillogram, copy.oscillogram);
    EXPECT_EQ(std::min_element(channel.samples.begin(), channel.samples.end()) - channel.samples.begin(), 0);
    EXPECT_EQ(std::max_element(channel.samples.begin(), channel.samples.end()) - channel.samples.begin(), 6);
}

TEST_F(NarrowForms, WideAsciiCodesSavedAsSixteenBitsKeepTheirOrder)
{
    RecordBuilder builder;
    builder.FileType("ASCII").Analog({.id = "U", .unit = "V", .a = 0.001, .b = 5});
    for (const double code : {-2e9, -40000.0, 0.0, 40000.0, 2e9})
        builder.Sample({code});
    Document& original = Read(builder);
    const Document& copy = SaveAndRead(original, "copy.cfg", "BINARY");
    test::ExpectSameRecord(original.oscillogram, copy.oscillogram);
    const std::vector<double>& samples = copy.oscillogram.channels[0].samples;
    EXPECT_TRUE(std::is_sorted(samples.begin(), samples.end()));
    EXPECT_LT(samples[1], samples[2]);
}

TEST_F(NarrowForms, ValuesThatAreNoNumbersNeitherSpreadNorBreakTheCodes)
{
    RecordBuilder builder;
    builder.FileType("FLOAT32").Station("F", "R", "2013").Analog({.id = "P", .unit = "W", .a = 1.0});
    for (const double value : {1.0, std::nan(""), -3.0, 2.0})
        builder.Sample({value});
    Document& original = Read(builder);
    const Document& float32 = SaveAndRead(original, "float.cfg");
    EXPECT_TRUE(std::isnan(float32.oscillogram.channels[0].samples[1]));
    const Document& binary = SaveAndRead(original, "binary.cfg", "BINARY");
    const Channel& channel = binary.oscillogram.channels[0];
    EXPECT_EQ(channel.multiplier, 1.0) << "the other codes are whole and fit";
    EXPECT_EQ(channel.samples, (std::vector<double>{1.0, 0.0, -3.0, 2.0}));
}

class SavingOverTheRecord : public WriterTest {
protected:
    void SetUp() override
    {
        path = Mixed("BINARY").Write(folder, "own");
        documents.push_back(test::ReadRecord(path));
        cfgBytes = test::FileBytes(path);
        datBytes = test::FileBytes(folder / "own.dat");
    }

    Document& Record() { return *documents.front(); }

    std::filesystem::path path;
    std::string cfgBytes;
    std::string datBytes;
};

TEST_F(SavingOverTheRecord, RewritesOnlyTheHeaderAndSettings)
{
    Record().oscillogram.headerText = "new header";
    Record().oscillogram.channels[0].samples[0] = 1e9;
    Record().oscillogram.channels[0].aliasName = "Bus";
    SaveComtrade(Record(), path);
    EXPECT_EQ(test::FileBytes(path), cfgBytes);
    EXPECT_EQ(test::FileBytes(folder / "own.dat"), datBytes);
    EXPECT_EQ(test::FileBytes(folder / "own.hdr"), "new header");
    EXPECT_EQ(test::ReadRecord(path)->oscillogram.channels[0].name, "Bus");
}

TEST_F(SavingOverTheRecord, ChangedSamplesOrAnotherFormAreWrittenOverIt)
{
    Record().oscillogram.channels[1].samples[0] = 7.0;
    Record().oscillogram.storedDataChanged = true;
    SaveComtrade(Record(), path);
    EXPECT_EQ(test::ReadRecord(path)->oscillogram.channels[1].samples[0], 7.0);

    SaveComtrade(Record(), path, {"ASCII"});
    EXPECT_EQ(test::ReadRecord(path)->oscillogram.fileType, "ASCII");
}

TEST_F(SavingOverTheRecord, AFailedSaveLeavesTheOldFilesAndNoScraps)
{
    std::filesystem::create_directories(folder / "own.set" / "inside");
    Record().oscillogram.storedDataChanged = true;
    Record().oscillogram.channels[1].samples[0] = 7.0;
    try {
        SaveComtrade(Record(), path);
        ADD_FAILURE() << "saved";
    } catch (const FileException& error) {
        EXPECT_EQ(error.Access(), FileAccess::Write);
        EXPECT_EQ(error.Path(), folder / "own.set");
        EXPECT_NE(std::string(error.what()).find("Ошибка записи файла"), std::string::npos) << error.what();
    }
    EXPECT_EQ(test::FileBytes(path), cfgBytes);
    EXPECT_EQ(test::FileBytes(folder / "own.dat"), datBytes);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 3u) << "own.cfg, own.dat and the folder own.set";
}

TEST_F(WriterTest, SaveIntoAMissingFolderIsReported)
{
    Document& document = Read(Mixed("ASCII"));
    EXPECT_THROW(SaveComtrade(document, folder / "absent" / "x.cfg"), FileException);
    EXPECT_THROW(SaveComtrade(document, folder / "x.cfg", {"BINARY64"}), CZarvaException);
}

} // namespace
} // namespace zarva
