#include "core/document/Document.h"
#include "core/formats/ComtradeReader.h"
#include "core/model/ZarvaException.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

#include <thread>

namespace zarva {
namespace {

using test::RecordBuilder;

class ReaderTest : public ::testing::Test {
protected:
    Oscillogram& Read(const RecordBuilder& builder)
    {
        ReadComtradeFiles(document, builder.Write(folder));
        return document.oscillogram;
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

    void ExpectFormatError(const std::filesystem::path& cfg, const std::string& fileName)
    {
        try {
            Document fresh;
            ReadComtradeFiles(fresh, cfg);
            ADD_FAILURE() << "read";
        } catch (const CZarvaException& error) {
            EXPECT_EQ(error.MessageId(), messages::kBadFileFormat);
            EXPECT_EQ(std::filesystem::path(error.Parameter()).filename(), fileName);
        }
    }

    bool HasWarning(const std::string& part) const
    {
        for (const std::string& warning : document.oscillogram.loadWarnings) {
            if (warning.find(part) != std::string::npos)
                return true;
        }
        return false;
    }

    test::TempFolder folder;
    Document document;
};

class EveryDataForm : public ReaderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EveryDataForm, ValuesAndStatesAreStoredInBaseUnits)
{
    RecordBuilder builder = Typical(GetParam());
    builder.Sample({-4, 7}, {1, 0, 1}).Sample({2, -300}, {0, 1, 1}).Ramp(3);
    const Oscillogram& record = Read(builder);
    ASSERT_EQ(record.SampleCount(), 5u);
    EXPECT_EQ(record.channels[0].samples[0], 1000 * 0.5 * -4 + 1);
    EXPECT_EQ(record.channels[0].samples[1], 1000 * 0.5 * 2 + 1);
    EXPECT_EQ(record.channels[1].samples[1], -300.0);
    EXPECT_EQ(record.channels[1].samples[4], 4 + 10.0);
    EXPECT_EQ(record.channels[2].samples, (std::vector<double>{1, 0, 0, 1, 0}));
    EXPECT_EQ(record.channels[4].samples, (std::vector<double>{1, 1, 0, 1, 0}));
    EXPECT_EQ(record.sampleTimes, (std::vector<std::int64_t>{0, 1000, 2000, 3000, 4000}));
    EXPECT_EQ(record.sampleRate, 1000);
    EXPECT_EQ(record.lineFrequencySeries, std::vector<double>(5, 50.0));
    EXPECT_TRUE(record.loadWarnings.empty()) << record.loadWarnings.front();
}

TEST_P(EveryDataForm, FewerThanFourRecordsAndSampleNumbersFromZero)
{
    for (std::size_t count = 1; count <= 3; ++count) {
        Document one;
        RecordBuilder builder = Typical(GetParam());
        builder.FirstSampleNumber(0).Ramp(count);
        ReadComtradeFiles(one, builder.Write(folder));
        EXPECT_EQ(one.oscillogram.SampleCount(), count);
        EXPECT_EQ(one.oscillogram.channels[1].samples.back(), static_cast<double>(count - 1 + 10));
    }
}

TEST_P(EveryDataForm, StatusOnlyRecords)
{
    RecordBuilder builder;
    builder.FileType(GetParam()).Discrete({.id = "S1"}).Sample({}, {1}).Sample({}, {0});
    EXPECT_EQ(Read(builder).channels[0].samples, (std::vector<double>{1, 0}));
}

INSTANTIATE_TEST_SUITE_P(Forms, EveryDataForm, ::testing::Values("ASCII", "BINARY", "BINARY32", "FLOAT32"));

TEST_F(ReaderTest, StatusBitsPackedInBytesAreRecognised)
{
    RecordBuilder builder = Typical("BINARY");
    builder.Discrete({.id = "S4"}).PackStatusBits().Ramp(6);
    const Oscillogram& record = Read(builder);
    EXPECT_EQ(record.SampleCount(), 6u);
    EXPECT_EQ(record.channels[5].samples, (std::vector<double>{1, 0, 1, 0, 1, 0}));
    EXPECT_TRUE(HasWarning("13"));
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
    RecordBuilder builder = Typical("BINARY");
    builder.Rate(1000, 3).Ramp(5);
    EXPECT_EQ(Read(builder).SampleCount(), 5u);
    EXPECT_TRUE(HasWarning("2"));

    Document shorter;
    RecordBuilder declaresMore = Typical("ASCII");
    declaresMore.Rate(1000, 885).Ramp(8);
    ReadComtradeFiles(shorter, declaresMore.Write(folder));
    EXPECT_EQ(shorter.oscillogram.SampleCount(), 8u);
    ASSERT_EQ(shorter.oscillogram.loadWarnings.size(), 1u);
    EXPECT_NE(shorter.oscillogram.loadWarnings[0].find("885"), std::string::npos);

    Document trailing;
    RecordBuilder whole = Typical("BINARY");
    whole.Ramp(4);
    folder.Write("record.dat", whole.DataBytes() + "xyz");
    ReadComtradeFiles(trailing, folder.Write("record.cfg", whole.ConfigurationText()));
    EXPECT_EQ(trailing.oscillogram.SampleCount(), 4u);
    ASSERT_EQ(trailing.oscillogram.loadWarnings.size(), 1u);
    EXPECT_NE(trailing.oscillogram.loadWarnings[0].find("3"), std::string::npos);
}

TEST_F(ReaderTest, BinaryRecordsAreTimedByTheirRateAsciiByTheirStampsTimesTheMultiplier)
{
    RecordBuilder binary = Typical("BINARY");
    binary.Rate(1000, 3).TimeMultiplier("0.001");
    binary.Sample({}, {}, 0xFFFFFFFF).Sample({}, {}, 0xFFFFFFFF).Sample({}, {}, 0xFFFFFFFF);
    EXPECT_EQ(Read(binary).sampleTimes, (std::vector<std::int64_t>{0, 1000, 2000}));

    Document ascii;
    RecordBuilder stamped = Typical("ASCII");
    stamped.Rate(1000, 3).TimeMultiplier("2").Sample({}, {}, -40).Sample({}, {}, 0).Sample({}, {}, 70);
    ReadComtradeFiles(ascii, stamped.Write(folder));
    EXPECT_EQ(ascii.oscillogram.sampleTimes, (std::vector<std::int64_t>{-80, 0, 140}));
}

TEST_F(ReaderTest, RecordsWithoutRateLinesTakeTheRateFromTheirStamps)
{
    RecordBuilder builder = Typical("BINARY");
    builder.NoRateLines().Sample({}, {}, 4294966046).Sample({}, {}, 4294967295).Sample({}, {}, 1249);
    const Oscillogram& record = Read(builder);
    EXPECT_EQ(record.sampleTimes, (std::vector<std::int64_t>{-1250, -1, 1249}));
    EXPECT_EQ(record.sampleRate, 800);

    RecordBuilder missing = Typical("BINARY");
    missing.NoRateLines().Sample({}, {}, 0xFFFFFFFF).Sample({}, {}, 0xFFFFFFFF);
    ExpectFormatError(missing.Write(folder), "record.dat");
    RecordBuilder single = Typical("ASCII");
    single.NoRateLines().Sample({});
    ExpectFormatError(single.Write(folder), "record.dat");
}

TEST_F(ReaderTest, AsciiLayoutsOfRealRecorders)
{
    folder.Write("odd.cfg", Typical("ASCII").Rate(1000, 4).ConfigurationText());
    folder.Write("odd.dat", "1,0, -4 ,7,1,0,1\r\r\n\r\n"
                            "2,1000,2.5e1 ,-3.0,0,1,1\r\n"
                            "3,,1,2,1\n"
                            "4,3000,+5,6,1,1,1\x1A\x1A");
    ReadComtradeFiles(document, folder / "odd.cfg");
    const Oscillogram& record = document.oscillogram;
    ASSERT_EQ(record.SampleCount(), 4u);
    EXPECT_EQ(record.channels[0].samples, (std::vector<double>{-1999, 12501, 501, 2501}));
    EXPECT_EQ(record.channels[1].samples, (std::vector<double>{7, -3, 2, 6}));
    EXPECT_EQ(record.channels[3].samples, (std::vector<double>{0, 1, 0, 1}));
    EXPECT_EQ(record.sampleTimes, (std::vector<std::int64_t>{0, 1000, 0, 3000}));
    EXPECT_TRUE(HasWarning("1"));

    Document unstamped;
    folder.Write("r.dat", "1,,1,2,0,0,0\n2,,1,2,0,0,0\n3,,1,2,0,0,0\n");
    ReadComtradeFiles(unstamped, folder.Write("r.cfg", Typical("ASCII").Rate(2000, 3).ConfigurationText()));
    EXPECT_EQ(unstamped.oscillogram.sampleTimes, (std::vector<std::int64_t>{0, 500, 1000})) << "timed by the rate";
    EXPECT_EQ(unstamped.oscillogram.loadWarnings.size(), 1u);
}

TEST_F(ReaderTest, CompanionFilesFollowTheCaseOfTheExtension)
{
    RecordBuilder builder = Typical("BINARY");
    builder.Ramp(3);
    const auto cfg = builder.Write(folder, "UPPER", ".CFG", ".DAT");
    folder.Write("UPPER.HDR", FromUtf8("Отчёт о повреждении", CodePage::Oem866));
    ReadComtradeFiles(document, cfg);
    EXPECT_EQ(document.oscillogram.SampleCount(), 3u);
    EXPECT_EQ(document.oscillogram.headerCodePage, CodePage::Oem866);
    EXPECT_EQ(document.oscillogram.sourcePath, cfg.string());
}

TEST_F(ReaderTest, MissingAndEmptyFilesFollowTheFailureTable)
{
    const auto cfg = folder.Write("alone.cfg", Typical("BINARY").ConfigurationText());
    EXPECT_THROW(ReadComtradeFiles(document, cfg), FileException);

    Document empty;
    folder.Write("alone.dat", "");
    try {
        ReadComtradeFiles(empty, cfg);
        FAIL();
    } catch (const CZarvaException& error) {
        EXPECT_EQ(error.Parameter(), cfg.string());
    }
    Document none;
    folder.Write("none.dat", "1,0\n2,1000\n");
    EXPECT_THROW(ReadComtradeFiles(none, folder.Write("none.cfg", "S,R,1999\n0,0A,0D\n50\n1\n1000,1\n,\n,\nASCII\n")),
                 CZarvaException);
}

TEST_F(ReaderTest, ProgressCountsBytesAndCancelStopsEarly)
{
    RecordBuilder builder = Typical("BINARY");
    builder.Ramp(2000);
    const auto cfg = builder.Write(folder);
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
