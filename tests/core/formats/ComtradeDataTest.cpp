#include "ErrorOf.h"

#include "core/document/Document.h"
#include "core/dsp/WindowMeasures.h"
#include "core/formats/ComtradeReader.h"
#include "core/formats/SettingsFile.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <list>

namespace zarva {
namespace {

using test::RecordBuilder;
using Times = std::vector<std::int64_t>;

class ReaderTest : public ::testing::Test {
protected:
    // Each record is read into a document of its own.
    Oscillogram& Read(const RecordBuilder& builder) { return ReadFile(builder.Write(folder)); }
    Oscillogram& ReadFile(const std::filesystem::path& cfg)
    {
        ReadComtradeFiles(documents.emplace_back(), cfg);
        return documents.back().oscillogram;
    }

    // Two analog channels (kV, a = 0.5, b = 1) and three status channels.
    static RecordBuilder Typical(const std::string& type)
    {
        RecordBuilder builder;
        builder.FileType(type)
            .Analog({.id = "U", .unit = "kV", .a = 0.5, .b = 1})
            .Analog({.id = "I", .unit = "A"})
            .Discrete({.id = "S1"})
            .Discrete({.id = "S2"})
            .Discrete({.id = "S3"});
        return builder;
    }

    static CZarvaException ReadError(const std::filesystem::path& cfg)
    {
        return test::ErrorOf([&] {
            Document fresh;
            ReadComtradeFiles(fresh, cfg);
        });
    }

    static void ExpectFormatError(const std::filesystem::path& cfg, const std::string& fileName)
    {
        const CZarvaException error = ReadError(cfg);
        EXPECT_EQ(error.MessageId(), messages::kBadFileFormat);
        EXPECT_EQ(std::filesystem::path(error.Parameter()).filename(), fileName);
    }

    static bool HasWarning(const Oscillogram& record, const std::string& part)
    {
        return std::any_of(record.loadWarnings.begin(), record.loadWarnings.end(),
                           [&](const std::string& warning) { return warning.find(part) != std::string::npos; });
    }

    test::TempFolder folder;
    std::list<Document> documents;
};

class EveryDataForm : public ReaderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EveryDataForm, ValuesAndStatesAreStoredInBaseUnits)
{
    const Oscillogram& record =
        Read(Typical(GetParam()).Sample({-4, 7}, {1, 0, 1}).Sample({2, -300}, {0, 1, 1}).Ramp(3));
    ASSERT_EQ(record.SampleCount(), 5u);
    EXPECT_EQ(record.channels[0].samples.At(0), -1000.0);  // (0.5 · -4 + 1) kV
    EXPECT_EQ(record.channels[0].samples.At(1), 2000.0);
    EXPECT_EQ(record.channels[1].samples.At(1), -300.0);
    EXPECT_EQ(record.channels[1].samples.At(4), 4 + 10.0);
    EXPECT_EQ(record.channels[2].samples.View().ToVector(), (std::vector<double>{1, 0, 0, 1, 0}));
    EXPECT_EQ(record.channels[4].samples.View().ToVector(), (std::vector<double>{1, 1, 0, 1, 0}));
    EXPECT_EQ(record.sampleTimes, (Times{0, 1000, 2000, 3000, 4000}));
    EXPECT_EQ(record.sampleRate, 1000);
    EXPECT_EQ(record.lineFrequencySeries, std::vector<double>(5, 50.0));
    EXPECT_TRUE(record.loadWarnings.empty()) << record.loadWarnings.front();
}

TEST_P(EveryDataForm, FewerThanFourRecordsSampleNumbersFromZeroAndStatusOnlyRecords)
{
    for (std::size_t count = 1; count <= 3; ++count) {
        const Oscillogram& record = Read(Typical(GetParam()).FirstSampleNumber(0).Ramp(count));
        EXPECT_EQ(record.SampleCount(), count);
        EXPECT_EQ(record.channels[1].samples.At(record.channels[1].samples.Size() - 1), static_cast<double>(count - 1 + 10));
    }
    const RecordBuilder statusOnly =
        RecordBuilder().FileType(GetParam()).Discrete({.id = "S1"}).Sample({}, {1}).Sample({}, {0});
    EXPECT_EQ(Read(statusOnly).channels[0].samples.View().ToVector(), (std::vector<double>{1, 0}));
}

// Two status bytes and more than a 64-sample word and a read block of them.
TEST_P(EveryDataForm, SamplesReadInPlaceEqualSamplesReadIn)
{
    RecordBuilder builder = Typical(GetParam());
    for (int k = 4; k <= 10; ++k)
        builder.Discrete({.id = "S" + std::to_string(k)});
    builder.Sample({-4, 7}, {1, 0, 1, 1, 1, 0, 0, 0, 1, 1}).Sample({3, -300}, {0, 1, 1, 0, 0, 0, 0, 0, 0, 1}).Ramp(700);
    const auto cfg = builder.Write(folder);
    Document inMemory;
    Document inPlace;
    ReadComtradeFiles(inMemory, cfg);
    ReadComtradeFiles(inPlace, cfg, {.mapSamples = true});
    const auto& channels = inPlace.oscillogram.channels;
    ASSERT_EQ(channels.size(), 12u);
    for (std::size_t j = 0; j < channels.size(); ++j)
        EXPECT_EQ(channels[j].samples.View().ToVector(), inMemory.oscillogram.channels[j].samples.View().ToVector()) << j;
    EXPECT_EQ(channels[0].samples.At(1), 2500.0);  // (0.5 · 3 + 1) kV
    EXPECT_EQ(channels[1].samples.At(701), 711.0);
    EXPECT_EQ(channels[11].samples.View().ToVector().front(), 1.0);
    EXPECT_EQ(channels[10].samples.At(1), 0.0);
    EXPECT_EQ(channels[10].samples.At(701), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Forms, EveryDataForm, ::testing::Values("ASCII", "BINARY", "BINARY32", "FLOAT32"));

TEST_F(ReaderTest, MissingValuesAreTheMarkerOfEachFormAndIn1991OnlyAnEmptyField)
{
    const std::pair<const char*, double> markers[] = {
        {"ASCII", 99999}, {"BINARY", -32768}, {"BINARY32", -2147483648.0}, {"FLOAT32", std::nan("")}};
    for (const auto& [type, marker] : markers) {
        const Oscillogram& record = Read(Typical(type).Sample({marker, 3}).Sample({2, marker}));
        EXPECT_TRUE(std::isnan(record.channels[0].samples.At(0))) << type;
        EXPECT_TRUE(std::isnan(record.channels[1].samples.At(1))) << type;
        EXPECT_EQ(record.channels[0].samples.At(1), 2000.0) << type;
        EXPECT_EQ(record.channels[1].samples.At(0), 3.0) << type;
    }
    folder.Write("empty.dat", "1,0,,7,0,0,0\r\n2,1000,1, ,0,0,0\r\n");
    const Oscillogram& empty = ReadFile(folder.Write("empty.cfg", Typical("ASCII").Rate(1000, 2).ConfigurationText()));
    EXPECT_TRUE(std::isnan(empty.channels[0].samples.At(0)));
    EXPECT_TRUE(std::isnan(empty.channels[1].samples.At(1)));

    const Oscillogram& binary1991 = Read(Typical("BINARY").Station("OLD", "R", "").Sample({-32768, 1}));
    EXPECT_EQ(binary1991.channels[0].samples.At(0), 1000 * (0.5 * -32768 + 1));
    folder.Write("old.dat", "1,0,99999,,0,0,0\r\n");
    const Oscillogram& ascii1991 =
        ReadFile(folder.Write("old.cfg", Typical("ASCII").Station("OLD", "R", "").Rate(1000, 1).ConfigurationText()));
    EXPECT_EQ(ascii1991.channels[0].samples.At(0), 1000 * (0.5 * 99999 + 1));
    EXPECT_TRUE(std::isnan(ascii1991.channels[1].samples.At(0)));
}

// Memory follows the file: codes with their scale, states as bits; an ASCII channel keeps its
// codes until a number is not a whole int32.
TEST_F(ReaderTest, SamplesAreKeptInTheFormTheFileHolds)
{
    const std::pair<const char*, SampleData::Form> forms[] = {{"BINARY", SampleData::Form::Int16},
                                                               {"BINARY32", SampleData::Form::Int32},
                                                               {"FLOAT32", SampleData::Form::Float32},
                                                               {"ASCII", SampleData::Form::Int32}};
    for (const auto& [type, form] : forms) {
        const Oscillogram& record = Read(Typical(type).Ramp(3));
        EXPECT_EQ(record.channels[0].samples.Get().Kind(), form) << type;
        EXPECT_EQ(record.channels[2].samples.Get().Kind(), SampleData::Form::Bits) << type;
    }
    folder.Write("mixed.dat", "1,0,1,7,0,0,0\n2,1000,2.5,8,0,0,0\n3,2000,3e9,99999,1,0,0\n");
    const Oscillogram& mixed = ReadFile(folder.Write("mixed.cfg", Typical("ASCII").Rate(1000, 3).ConfigurationText()));
    EXPECT_EQ(mixed.channels[0].samples.Get().Kind(), SampleData::Form::Values);
    EXPECT_EQ(mixed.channels[0].samples.View().ToVector(), (std::vector<double>{1500, 2250, 1.500000001e12}));
    EXPECT_EQ(mixed.channels[1].samples.At(1), 8.0);
    EXPECT_TRUE(std::isnan(mixed.channels[1].samples.At(2)));
}

TEST_F(ReaderTest, StatusBitsPackedInBytesAreRecognised)
{
    const Oscillogram& record = Read(Typical("BINARY").Discrete({.id = "S4"}).PackStatusBits().Ramp(6));
    EXPECT_EQ(record.SampleCount(), 6u);
    EXPECT_EQ(record.channels[5].samples.View().ToVector(), (std::vector<double>{1, 0, 1, 0, 1, 0}));
    EXPECT_TRUE(HasWarning(record, "13"));
}

TEST_F(ReaderTest, Binary32WithSampleNumbersOutOfOrderIsRejected)
{
    RecordBuilder builder = Typical("BINARY32");
    builder.Ramp(5);
    std::string data = builder.DataBytes();
    data[0] = 9;
    const auto cfg = builder.Write(folder);
    folder.Write("record.dat", data);
    ExpectFormatError(cfg, "record.dat");
}

TEST_F(ReaderTest, DataFilesLongerOrShorterThanDeclaredOrWithTrailingBytes)
{
    const Oscillogram& longer = Read(Typical("BINARY").Rate(1000, 3).Ramp(5));
    EXPECT_EQ(longer.SampleCount(), 5u);
    EXPECT_TRUE(HasWarning(longer, "2"));

    const Oscillogram& shorter = Read(Typical("ASCII").Rate(1000, 885).Ramp(8));
    EXPECT_EQ(shorter.SampleCount(), 8u);
    ASSERT_EQ(shorter.loadWarnings.size(), 1u);
    EXPECT_NE(shorter.loadWarnings[0].find("885"), std::string::npos);

    const RecordBuilder whole = Typical("BINARY").Ramp(4);
    folder.Write("record.dat", whole.DataBytes() + "xyz");
    const Oscillogram& trailing = ReadFile(folder.Write("record.cfg", whole.ConfigurationText()));
    EXPECT_EQ(trailing.SampleCount(), 4u);
    ASSERT_EQ(trailing.loadWarnings.size(), 1u);
    EXPECT_NE(trailing.loadWarnings[0].find("3"), std::string::npos);
}

TEST_F(ReaderTest, DeclaredRatesTimeEveryFormExactlyAndStrayStampsAreReported)
{
    RecordBuilder binary = Typical("BINARY");
    binary.Rate(1000, 3).TimeMultiplier("0.001");
    binary.Sample({}, {}, 0xFFFFFFFF).Sample({}, {}, 0xFFFFFFFF).Sample({}, {}, 0xFFFFFFFF);
    const Oscillogram& unstamped = Read(binary);
    EXPECT_EQ(unstamped.sampleTimes, (Times{0, 1000, 2000}));
    EXPECT_TRUE(unstamped.loadWarnings.empty()) << "all ones is no stamp";

    // Stamps rounded to whole microseconds stay within half a period of k / rate.
    for (const char* type : {"ASCII", "BINARY"}) {
        RecordBuilder rounded = Typical(type);
        rounded.Rate(30707.244140625, 4).Sample({}, {}, 0).Sample({}, {}, 33).Sample({}, {}, 65).Sample({}, {}, 97);
        const Oscillogram& record = Read(rounded);
        EXPECT_EQ(record.sampleTimes, (Times{0, 33, 65, 98})) << type;
        EXPECT_TRUE(record.loadWarnings.empty()) << type;
    }

    RecordBuilder ascii = Typical("ASCII");
    ascii.Rate(1000, 3).TimeMultiplier("2").Sample({}, {}, -40).Sample({}, {}, 0).Sample({}, {}, 70);
    const Oscillogram& stray = Read(ascii);
    EXPECT_EQ(stray.sampleTimes, (Times{0, 1000, 2000}));
    ASSERT_EQ(stray.loadWarnings.size(), 1u);
    EXPECT_NE(stray.loadWarnings[0].find(" 1860 "), std::string::npos) << stray.loadWarnings[0];
}

TEST_F(ReaderTest, SlowRecordsKeepTheirOwnRateWithoutWindowMeasures)
{
    RecordBuilder trend = Typical("BINARY");
    trend.LineFrequency("60").NoRateLines();
    for (int k = 0; k < 40; ++k)
        trend.Sample({10.0 * (k % 2), 3}, {}, 33333 * k);
    Document document;
    ReadComtrade(document, trend.Write(folder));
    const Oscillogram& record = document.oscillogram;
    EXPECT_EQ(record.sampleRate, 30);
    ASSERT_EQ(record.loadWarnings.size(), 1u);
    EXPECT_NE(record.loadWarnings[0].find(" 30 "), std::string::npos) << record.loadWarnings[0];
    EXPECT_EQ(Rms(record.channels[0], 39, 1), 0.0);
    EXPECT_EQ(record.channels[0].PhasorSeries().At(39), Phasor());
    EXPECT_EQ(record.channels[0].maxValue, 6000.0);  // (0.5 · 10 + 1) kV
}

TEST_F(ReaderTest, ARateFromTheSettingsFileRetimesTheSamples)
{
    const auto cfg = Typical("BINARY").Rate(1000, 2).Rate(500, 4).Ramp(4).Write(folder);
    Document first;
    ReadComtradeFiles(first, cfg);
    EXPECT_EQ(first.oscillogram.sampleTimes, (Times{0, 1000, 3000, 5000}));
    EXPECT_EQ(first.oscillogram.lineFrequencySeries, (std::vector<double>{50, 50, 25, 25}));
    first.oscillogram.sampleRate = 2000;
    WriteSettings(first, folder / "record.set");
    const Oscillogram& record = ReadFile(cfg);
    EXPECT_EQ(record.sampleRate, 2000);
    EXPECT_EQ(record.sampleTimes, (Times{0, 500, 1000, 1500}));
    EXPECT_EQ(record.lineFrequencySeries, std::vector<double>(4, 50.0));
}

TEST_F(ReaderTest, RecordsWithoutRateLinesTakeTheRateFromTheirStamps)
{
    RecordBuilder builder = Typical("BINARY");
    builder.NoRateLines().Sample({}, {}, 4294966046).Sample({}, {}, 4294967295).Sample({}, {}, 1249);
    const Oscillogram& record = Read(builder);
    EXPECT_EQ(record.sampleTimes, (Times{-1250, -1, 1249}));
    EXPECT_EQ(record.sampleRate, 800);

    const auto missing = Typical("BINARY").NoRateLines().Sample({}, {}, 0xFFFFFFFF).Sample({}, {}, 0xFFFFFFFF).Write(folder);
    ExpectFormatError(missing, "record.dat");
    ExpectFormatError(Typical("ASCII").NoRateLines().Sample({}).Write(folder), "record.dat");
}

TEST_F(ReaderTest, AsciiLayoutsOfRealRecorders)
{
    folder.Write("odd.dat", "1,0, -4 ,7,1,0,1\r\r\n\r\n"
                            "2,1000,2.5e1 ,-3.0,0,1,1\r\n"
                            "3,,1,2,1\n"
                            "4,3000,+5,6,1,1,1\x1A\x1A");
    const Oscillogram& record = ReadFile(folder.Write("odd.cfg", Typical("ASCII").Rate(1000, 4).ConfigurationText()));
    ASSERT_EQ(record.SampleCount(), 4u);
    EXPECT_EQ(record.channels[0].samples.View().ToVector(), (std::vector<double>{-1000, 13500, 1500, 3500}));
    EXPECT_EQ(record.channels[1].samples.View().ToVector(), (std::vector<double>{7, -3, 2, 6}));
    EXPECT_EQ(record.channels[3].samples.View().ToVector(), (std::vector<double>{0, 1, 0, 1}));
    EXPECT_EQ(record.sampleTimes, (Times{0, 1000, 2000, 3000}));
    EXPECT_TRUE(HasWarning(record, "1"));

    folder.Write("r.dat", "1,,1,2,0,0,0\n2,,1,2,0,0,0\n3,,1,2,0,0,0\n");
    const Oscillogram& unstamped = ReadFile(folder.Write("r.cfg", Typical("ASCII").Rate(2000, 3).ConfigurationText()));
    EXPECT_EQ(unstamped.sampleTimes, (Times{0, 500, 1000}));
    EXPECT_TRUE(unstamped.loadWarnings.empty());
}

TEST_F(ReaderTest, AValueThatIsNoNumberIsNamedByItsLineAndField)
{
    const std::filesystem::path dat = folder.Write("bad.dat", "1,0,1,2,0,0,0\r\n\r\n3,2000,1,abc,0,0,0\r\n");
    const auto cfg = folder.Write("bad.cfg", Typical("ASCII").Rate(1000, 2).ConfigurationText());
    EXPECT_EQ(ReadError(cfg).Parameter(), dat.string() + ", строка 3, поле 4: «abc» не число");
}

TEST_F(ReaderTest, CompanionFilesFollowTheCaseOfTheExtension)
{
    const auto cfg = Typical("BINARY").Ramp(3).Write(folder, "UPPER", ".CFG", ".DAT");
    folder.Write("UPPER.HDR", FromUtf8("Отчёт о повреждении", CodePage::Oem866));
    const Oscillogram& record = ReadFile(cfg);
    EXPECT_EQ(record.SampleCount(), 3u);
    EXPECT_EQ(record.headerCodePage, CodePage::Oem866);
    EXPECT_EQ(record.sourcePath, cfg.string());
}

TEST_F(ReaderTest, MissingAndEmptyFilesFollowTheFailureTable)
{
    const auto cfg = folder.Write("alone.cfg", Typical("BINARY").ConfigurationText());
    EXPECT_THROW(ReadFile(cfg), FileException);
    folder.Write("alone.dat", "");
    EXPECT_EQ(ReadError(cfg).Parameter(), cfg.string());
    folder.Write("none.dat", "1,0\n2,1000\n");
    EXPECT_THROW(ReadFile(folder.Write("none.cfg", "S,R,1999\n0,0A,0D\n50\n1\n1000,1\n,\n,\nASCII\n")), CZarvaException);
}

TEST_F(ReaderTest, ProgressCountsBytesAndCancelStopsEarly)
{
    const RecordBuilder builder = Typical("BINARY").Ramp(2000);
    const auto cfg = builder.Write(folder);
    Document document;
    ReadComtradeFiles(document, cfg);
    const std::uint64_t size = builder.DataBytes().size();
    EXPECT_EQ(document.progress.Total(), 5 * size);
    EXPECT_EQ(document.progress.Position(), size);
    EXPECT_DOUBLE_EQ(document.progress.Step(), 4.0 * size / (2000.0 * 5));

    Document cancelled;
    cancelled.progress.RequestCancel();
    EXPECT_NO_THROW(ReadComtrade(cancelled, cfg));
    EXPECT_LE(cancelled.oscillogram.SampleCount(), 512u);
}

} // namespace
} // namespace zarva
