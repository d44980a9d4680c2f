#include "support/SavedRecord.h"

#include "core/formats/ComtradeReader.h"
#include "core/formats/ComtradeWriter.h"
#include "core/formats/ZipWriter.h"
#include "core/model/ZarvaException.h"
#include "support/RecordBuilder.h"
#include "support/Samples.h"

#include <gtest/gtest.h>

#include <zip.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <sstream>

namespace zarva {
namespace {

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
    builder.Sample({-100, 300}, std::vector<int>(18, 1)).Sample({32767, -32767}).Ramp(40);
    return builder;
}

TEST_F(WriterTest, ConfigurationOfARecordOfRevision1999)
{
    Document& document = Read(Mixed("BINARY"));
    std::string expected = "STATION,REC,1999\r\n20,2A,18D\r\n1,U,A,Line,kV,0.5,1,2.5,-100,32767,110,0.1,P\r\n"
                           "2,I,,,A,0.01,0,0,-32767,300,1,1,S\r\n";
    for (int j = 0; j < 18; ++j)
        expected += std::to_string(j + 1) + ",S" + std::to_string(j) + ",,," + std::to_string(j % 2) + "\r\n";
    expected += "50\r\n1\r\n1000,42\r\n01/02/2020,10:20:30.000100\r\n01/02/2020,10:20:30.100000\r\nBINARY\r\n1\r\n";
    EXPECT_EQ(ComtradeWriter(document.oscillogram, DataFormat::Binary).BuildConfigurationText(), expected);
}

// Each number is the shortest text that reads back as the same double.
TEST_F(WriterTest, ConfigurationNumbersAreShortAndReadBackExactly)
{
    RecordBuilder builder;
    builder.Analog({.id = "U", .a = 0.1, .b = 1e-7, .skew = "123456.789"}).Rate(2000.0 / 3.0, 5).Ramp(5);
    Document& original = Read(builder);
    const std::string text = ComtradeWriter(original.oscillogram, DataFormat::Binary).BuildConfigurationText();
    EXPECT_NE(text.find("\r\n1,U,,,V,0.1,1e-07,123456.789,0,4,1,1,S\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n666.6666666666666,5\r\n"), std::string::npos) << text;

    const Channel& u = SaveAndRead(original, "short.cfg").oscillogram.channels[0];
    EXPECT_EQ(u.multiplier, 0.1);
    EXPECT_EQ(u.offset, 1e-7);
    EXPECT_EQ(u.timeShift, 123456.789);
    EXPECT_EQ(documents.back()->oscillogram.rateSegments[0].rate, 2000.0 / 3.0);
}

// FLOAT32 codes are fractions; their range fields hold 13 characters and must still bound them.
TEST_F(WriterTest, LongFloatRangesAreRoundedOutwardToTheirFieldWidth)
{
    RecordBuilder builder;
    builder.Station("S", "R", "2013").FileType("FLOAT32").Analog({.id = "U"}).Sample({-0.123456789}).Sample({1234.56789e-30});
    const std::string text = ComtradeWriter(Read(builder).oscillogram, DataFormat::Float32).BuildConfigurationText();
    const std::size_t line = text.find("\r\n1,U,") + 2;
    std::vector<std::string> fields;
    std::stringstream stream(text.substr(line, text.find('\r', line) - line));
    for (std::string field; std::getline(stream, field, ',');)
        fields.push_back(field);
    ASSERT_GE(fields.size(), 10u) << text;
    EXPECT_LE(fields[8].size(), 13u) << fields[8];
    EXPECT_LE(fields[9].size(), 13u) << fields[9];
    EXPECT_LE(std::stod(fields[8]), static_cast<double>(-0.123456789f));
    EXPECT_GE(std::stod(fields[9]), static_cast<double>(1234.56789e-30f));
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
    const ComtradeWriter writer(Read(builder).oscillogram, DataFormat::Ascii);
    EXPECT_EQ(writer.BuildConfigurationText(), "OLD,R1\r\n2,1A,1D\r\n1,Ua,,,kV,0.5,0,0,-100,300\r\n1,Trip,1\r\n50\r\n1\r\n"
                                               "1000,2\r\n01/02/2020,10:20:30.000100\r\n01/02/2020,10:20:30.100000\r\nASCII\r\n");
    EXPECT_EQ(writer.BuildAsciiData(), "1,0,-100,1\r\n2,1000,300,0\r\n");
}

// An empty recorder field stays, so that the revision is not taken for it; the 32-bit forms
// exist from revision 2013 on.
TEST_F(WriterTest, FirstLineKeepsAnEmptyRecorderAndNames2013ForThirtyTwoBitForms)
{
    Document& document = Read(Mixed("BINARY").Station("ST", "", "1999"));
    const std::string binary = ComtradeWriter(document.oscillogram, DataFormat::Binary).BuildConfigurationText();
    EXPECT_TRUE(binary.starts_with("ST,,1999\r\n")) << binary;
    const std::string float32 = ComtradeWriter(document.oscillogram, DataFormat::Float32).BuildConfigurationText();
    EXPECT_TRUE(float32.starts_with("ST,,2013\r\n")) << float32;
    // Raised to 2013: codes not known, nor the clock's quality.
    EXPECT_TRUE(float32.ends_with("\r\nFLOAT32\r\n1\r\n,\r\nF,3\r\n")) << float32;
}

TEST_F(WriterTest, DatesOfRevision1991AreWrittenAsALaterRevisionReadsThem)
{
    RecordBuilder builder;
    builder.Station("OLD", "R1", "").Start("05/03/98", "10:20:30.5").Analog({.id = "U", .primary = "", .secondary = ""}).Ramp(3);
    Document& original = Read(builder);
    EXPECT_EQ(original.oscillogram.startText, "03/05/1998, 10:20:30.5");
    const Document& copy = SaveAndRead(original, "copy.cfg", "FLOAT32");
    EXPECT_EQ(copy.oscillogram.startDate, "03/05/1998");
    EXPECT_EQ(copy.oscillogram.startText, original.oscillogram.startText);
    SaveComtrade(original, folder / "same.cfg");
    EXPECT_NE(test::FileBytes(folder / "same.cfg").find("\r\n05/03/98,10:20:30.5\r\n"), std::string::npos);
}

TEST_F(WriterTest, TimeCodesAndTimeQualityOfRevision2013AreKept)
{
    Document& original = Read(Mixed("BINARY").Station("ST", "R", "2013").TimeCodes("-5h30", "+3"));
    const Document& copy = SaveAndRead(original, "copy.cfg");
    EXPECT_EQ(copy.oscillogram.timeCode, "-5h30");
    EXPECT_EQ(copy.oscillogram.localCode, "+3");
    EXPECT_EQ(copy.oscillogram.timeQuality, "B,3");
    EXPECT_TRUE(test::FileBytes(folder / "copy.cfg").ends_with("\r\n-5h30,+3\r\nB,3\r\n"));
    EXPECT_EQ(copy.oscillogram.startText, original.oscillogram.startText);
}

TEST_F(WriterTest, RecordsTimedByTheirStampsAreWrittenWithoutRateLines)
{
    RecordBuilder builder = Mixed("BINARY").NoRateLines();
    builder.Sample({1, 2}, {}, 90000);
    Document& original = Read(builder);
    const Document& copy = SaveAndRead(original, "copy.cfg");
    EXPECT_NE(test::FileBytes(folder / "copy.cfg").find("\r\n50\r\n0\r\n0,43\r\n"), std::string::npos);
    EXPECT_EQ(copy.oscillogram.sampleTimes, original.oscillogram.sampleTimes);
    EXPECT_EQ(copy.oscillogram.sampleTimes.back(), 90000);
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

TEST_F(WriterTest, TimeStampsAreWrittenInUnitsOfTheTimeMultiplier)
{
    Document& original = Read(Mixed("ASCII").TimeMultiplier("10"));
    const Document& copy = SaveAndRead(original, "copy.cfg");
    EXPECT_EQ(copy.oscillogram.sampleTimes, original.oscillogram.sampleTimes);
    EXPECT_EQ(original.oscillogram.sampleTimes.back(), 41000);
    EXPECT_NE(test::FileBytes(folder / "copy.dat").find("\r\n42,4100,"), std::string::npos);
    EXPECT_TRUE(copy.oscillogram.loadWarnings.empty());
}

TEST_F(WriterTest, FloatCodesSavedAsSixteenBitsAreSpreadOverTheRangeAndNeverWrap)
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
    const std::vector<double> samples = channel.samples.View().ToVector();
    EXPECT_EQ(std::min_element(samples.begin(), samples.end()) - samples.begin(), 0);
    EXPECT_EQ(std::max_element(samples.begin(), samples.end()) - samples.begin(), 6);
}

TEST_F(WriterTest, WideAsciiCodesSavedAsSixteenBitsKeepTheirOrder)
{
    RecordBuilder builder;
    builder.FileType("ASCII").Analog({.id = "U", .unit = "V", .a = 0.001, .b = 5});
    for (const double code : {-2e9, -40000.0, 0.0, 40000.0, 2e9})
        builder.Sample({code});
    Document& original = Read(builder);
    const Document& copy = SaveAndRead(original, "copy.cfg", "BINARY");
    test::ExpectSameRecord(original.oscillogram, copy.oscillogram);
    const std::vector<double> samples = copy.oscillogram.channels[0].samples.View().ToVector();
    EXPECT_TRUE(std::is_sorted(samples.begin(), samples.end()));
    EXPECT_LT(samples[1], samples[2]);
}

TEST_F(WriterTest, PrefixedChannelsWithAnOffsetSurviveEveryForm)
{
    for (const char* from : {"ASCII", "BINARY", "BINARY32", "FLOAT32"}) {
        Document& original = Read(Mixed(from).Station("ST", "R", "2013"));
        EXPECT_EQ(original.oscillogram.channels[0].samples.At(0), -49000.0) << "(0.5 · -100 + 1) kV";
        for (const char* to : {"ASCII", "BINARY", "binary32", "FLOAT32"}) {
            SCOPED_TRACE(std::string(from) + " to " + to);
            const Document& copy = SaveAndRead(original, std::string(to) + ".cfg", to);
            EXPECT_NE(test::FileBytes(folder / (std::string(to) + ".cfg")).find(",kV,0.5,1,"), std::string::npos);
            test::ExpectSameRecord(original.oscillogram, copy.oscillogram);
        }
    }
}

// Missing values are written as the standard's marker of each form, and a value never is:
// values whose codes would be a marker are spread over the other codes.
TEST_F(WriterTest, MissingValuesAreWrittenAsTheMarkerOfEachForm)
{
    RecordBuilder builder;
    builder.FileType("FLOAT32").Station("F", "R", "2013").Analog({.id = "P", .unit = "W", .a = 1.0});
    for (const double value : {1.0, std::nan(""), -32768.0, 99999.0, -2147483648.0})
        builder.Sample({value});
    Document& original = Read(builder);
    const auto code = [&](const std::string& name, std::size_t record, std::size_t width) {
        const std::string data = test::FileBytes(folder / name);
        std::uint32_t value = 0;
        for (std::size_t k = 0; k < width; ++k)
            value |= std::uint32_t{static_cast<unsigned char>(data[record * (8 + width) + 8 + k])} << (8 * k);
        return value;
    };
    for (const char* type : {"ASCII", "BINARY", "binary32", "FLOAT32"}) {
        SCOPED_TRACE(type);
        const Document& copy = SaveAndRead(original, std::string(type) + ".cfg", type);
        test::ExpectSameRecord(original.oscillogram, copy.oscillogram);
        const std::vector<double> samples = copy.oscillogram.channels[0].samples.View().ToVector();
        EXPECT_EQ(std::count_if(samples.begin(), samples.end(), [](double v) { return std::isnan(v); }), 1);
    }
    EXPECT_NE(test::FileBytes(folder / "ASCII.dat").find("\r\n2,1000,99999\r\n"), std::string::npos);
    EXPECT_EQ(code("BINARY.dat", 1, 2), 0x8000u);
    EXPECT_EQ(code("binary32.dat", 1, 4), 0x80000000u);
    EXPECT_TRUE(std::isnan(std::bit_cast<float>(code("FLOAT32.dat", 1, 4))));
    for (const std::size_t record : {2u, 3u, 4u}) {
        EXPECT_NE(code("BINARY.dat", record, 2), 0x8000u);
        EXPECT_NE(code("binary32.dat", record, 4), 0x80000000u);
    }
    EXPECT_EQ(test::FileBytes(folder / "ASCII.dat").find(",99999\r\n", 20), std::string::npos);

    RecordBuilder old;
    old.Station("OLD", "R", "").FileType("ASCII").Analog({.id = "U", .primary = "", .secondary = ""});
    old.Sample({99999}).Sample({1});
    Document& oldRecord = Read(old, "old");
    test::SetSample(oldRecord.oscillogram.channels[0], 1, std::nan(""));
    SaveComtrade(oldRecord, folder / "old1991.cfg");
    EXPECT_EQ(test::FileBytes(folder / "old1991.dat"), "1,0,99999\r\n2,1000,\r\n");
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
    test::SetSample(Record().oscillogram.channels[0], 0, 1e9);
    Record().oscillogram.channels[0].aliasName = "Bus";
    SaveComtrade(Record(), path);
    EXPECT_EQ(test::FileBytes(path), cfgBytes);
    EXPECT_EQ(test::FileBytes(folder / "own.dat"), datBytes);
    EXPECT_EQ(test::FileBytes(folder / "own.hdr"), "new header");
    EXPECT_EQ(test::ReadRecord(path)->oscillogram.channels[0].name, "Bus");
}

TEST_F(SavingOverTheRecord, ChangedSamplesOrAnotherFormAreWrittenOverIt)
{
    test::SetSample(Record().oscillogram.channels[1], 0, 7.0);
    Record().oscillogram.storedDataChanged = true;
    SaveComtrade(Record(), path);
    EXPECT_EQ(test::ReadRecord(path)->oscillogram.channels[1].samples.At(0), 7.0);

    SaveComtrade(Record(), path, {"ASCII"});
    EXPECT_EQ(test::ReadRecord(path)->oscillogram.fileType, "ASCII");
}

TEST_F(SavingOverTheRecord, AFailedSaveLeavesTheOldFilesAndNoScraps)
{
    std::filesystem::create_directories(folder / "own.set" / "inside");
    Record().oscillogram.storedDataChanged = true;
    test::SetSample(Record().oscillogram.channels[1], 0, 7.0);
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

// Every entry of the archive, by name.
std::map<std::string, std::string> Unpack(const std::filesystem::path& path)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    EXPECT_NE(archive, nullptr) << error;
    std::map<std::string, std::string> entries;
    for (zip_int64_t i = 0; archive != nullptr && i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        std::string bytes(stat.size, '\0');
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        EXPECT_EQ(zip_fread(file, bytes.data(), stat.size), static_cast<zip_int64_t>(stat.size));
        zip_fclose(file);
        entries[stat.name] = bytes;
    }
    if (archive != nullptr)
        zip_close(archive);
    return entries;
}

TEST_F(WriterTest, ZipArchiveHoldsTheRecordAsItIsNowNamedByTheArchive)
{
    folder.Write("rec.hdr", "header");
    Document& document = Read(
        RecordBuilder().FileType("BINARY").Analog({.id = "U", .unit = "kV", .a = 0.5}).Discrete({.id = "Trip"}).Ramp(50),
        "rec");
    document.oscillogram.channels[0].aliasName = document.oscillogram.channels[0].name = "Bus";
    document.oscillogram.calcChannels.Add("Twice", "Bus * 2");

    SaveZip(document, folder / "Подстанция.zip", {"ASCII"});
    const std::map<std::string, std::string> entries = Unpack(folder / "Подстанция.zip");
    ASSERT_EQ(entries.size(), 4u);
    const test::TempFolder unpacked;
    for (const auto& [name, bytes] : entries)
        unpacked.Write(name, bytes);
    EXPECT_EQ(entries.at("Подстанция.hdr"), "header");
    const auto copy = test::ReadRecord(unpacked / "Подстанция.cfg");
    test::ExpectSameRecord(document.oscillogram, copy->oscillogram);
    EXPECT_EQ(copy->oscillogram.fileType, "ASCII");
    EXPECT_EQ(copy->oscillogram.calcChannels.Names(), std::vector<std::string>{"Twice"});
}

} // namespace
} // namespace zarva
