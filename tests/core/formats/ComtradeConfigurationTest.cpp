#include "ErrorOf.h"

#include "core/document/Document.h"
#include "core/formats/ComtradeConfiguration.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

#include <list>
#include <tuple>

namespace zarva {
namespace {

using test::RecordBuilder;

const std::string kAnalogLine = "1,a,,,V,1,0,0,-1,1\n";

class ConfigurationTest : public ::testing::Test {
protected:
    // Each configuration is read into a record of its own.
    Oscillogram& Read(const std::string& text)
    {
        Oscillogram& record = documents.emplace_back().oscillogram;
        configuration = ReadConfiguration(record, text, "/data/r.cfg");
        return record;
    }

    // `where` is the place as the message names it ("строка 9, поле 1: ...").
    void ExpectBroken(const std::string& text, const std::string& where)
    {
        const CZarvaException error = test::ErrorOf([&] { Read(text); });
        EXPECT_EQ(error.MessageId(), messages::kBadFileFormat) << text;
        EXPECT_EQ(error.Parameter(), "/data/r.cfg, " + where);
    }

    static std::string Tail(const std::string& type = "ASCII")
    {
        return "50\n1\n1000,10\n01/01/2020,00:00:00.0\n01/01/2020,00:00:00.0\n" + type + "\n1\n";
    }

    static RecordBuilder OneChannel() { return RecordBuilder().Analog({.id = "a"}); }

    std::list<Document> documents;
    Configuration configuration;
};

TEST_F(ConfigurationTest, ChannelCountsLineWithOrWithoutAnalogCountAndPadded)
{
    const std::tuple<const char*, std::size_t, std::size_t> cases[] = {
        {"S,R,1999\n5,5A,0D\n", 5, 0}, {"S,R,1999\n3,3D\n", 0, 3}, {" S,R,1999\n 6, 4A , 2D \n", 4, 2}};
    for (const auto& [head, analog, discrete] : cases) {
        std::string text = head;
        for (std::size_t i = 0; i < analog; ++i)
            text += kAnalogLine;
        for (std::size_t i = 0; i < discrete; ++i)
            text += "1,d,,,0\n";
        const Oscillogram& record = Read(text + Tail());
        EXPECT_EQ(record.analogCount, analog) << head;
        EXPECT_EQ(record.discreteCount, discrete) << head;
        EXPECT_TRUE(record.loadWarnings.empty()) << head;
    }
}

TEST_F(ConfigurationTest, AnalogLineFields)
{
    const Oscillogram& record = Read(RecordBuilder()
                                         .Analog({.id = "Ia  ", .unit = "kA", .a = 0.5, .b = 2, .phase = "A",
                                                  .ccbm = "Line", .skew = "12.5", .min = "-100.0", .max = "100",
                                                  .primary = "600", .secondary = "5", .ps = "p "})
                                         .Analog({.id = "U", .primary = "", .secondary = ""})
                                         .ConfigurationText());
    const Channel& current = record.channels[0];
    EXPECT_EQ(current.channelId, "Ia");
    EXPECT_EQ(current.name, "Ia");
    EXPECT_EQ(current.phase, "A");
    EXPECT_EQ(current.circuitComponent, "Line");
    EXPECT_EQ(current.unit8, "kA");
    EXPECT_EQ(current.unit, "A");
    EXPECT_DOUBLE_EQ(current.unitFactor, 1000.0);
    EXPECT_DOUBLE_EQ(current.timeShift, 12.5);
    EXPECT_DOUBLE_EQ(current.rangeMin, -48.0);
    EXPECT_DOUBLE_EQ(current.rangeMax, 52.0);
    EXPECT_DOUBLE_EQ(current.fileSecondary, 5.0);
    EXPECT_EQ(current.primaryText, "600");
    EXPECT_TRUE(current.valuesArePrimary);
    EXPECT_FALSE(current.showPrimary);

    const Channel& old = record.channels[1];
    EXPECT_DOUBLE_EQ(old.primary, 1.0);
    EXPECT_DOUBLE_EQ(old.secondary, 1.0);
    EXPECT_FALSE(old.valuesArePrimary);
}

TEST_F(ConfigurationTest, StatusLinesOfEveryLayoutStayOnTheirOwnLine)
{
    const Oscillogram& record = Read("S,R,1999\n4,0A,4D\n"
                                     "1,full,ph,cc,1\n"
                                     "2,short,1\n"
                                     "3,no state,,cc\n"
                                     "4,last,,,1\n" + Tail());
    ASSERT_EQ(record.discreteCount, 4u);
    EXPECT_EQ(record.channels[0].normalState, 1);
    EXPECT_EQ(record.channels[0].phase, "ph");
    EXPECT_EQ(record.channels[1].normalState, 1);
    EXPECT_EQ(record.channels[2].channelId, "no state");
    EXPECT_EQ(record.channels[2].normalState, 0);
    EXPECT_EQ(record.channels[3].channelId, "last");
    EXPECT_EQ(record.channels[3].normalState, 1);

    const Channel& old = Read("S,R\n1,0A,1D\n1,d,1\n" + Tail()).channels[0];
    EXPECT_EQ(old.normalState, 1);
    EXPECT_TRUE(old.multiplier == 1.0 && old.offset == 0.0);
}

TEST_F(ConfigurationTest, FileTypesAreAcceptedInAnyCase)
{
    const std::pair<const char*, const char*> kinds[] = {
        {"ascii", "ASCII"}, {"binary", "BINARY"}, {"BINARY32", "binary32"}, {"Float32", "FLOAT32"}};
    for (const auto& [written, kept] : kinds)
        EXPECT_EQ(Read("S,R,1999\n1,1A,0D\n" + kAnalogLine + Tail(written)).fileType, kept);
    ExpectBroken("S,R,1999\n1,1A,0D\n" + kAnalogLine + Tail("BINARY16"), "строка 9, поле 1: недопустимое значение «BINARY16»");
}

TEST_F(ConfigurationTest, RatesAndLineFrequency)
{
    const Oscillogram& sixty = Read(OneChannel().LineFrequency("60.000000000").Rate(1000, 5).Rate(1200, 9).ConfigurationText());
    EXPECT_DOUBLE_EQ(sixty.lineFrequency, 60.0);
    EXPECT_EQ(sixty.sampleRate, 960);
    EXPECT_EQ(configuration.declaredSamples, 9);
    EXPECT_EQ(Read(OneChannel().Rate(1000, 200).Rate(1000, 950).ConfigurationText()).sampleRate, 1000);
    EXPECT_EQ(Read(OneChannel().Rate(4000, 1120).Rate(200, 1256).Rate(4000, 2376).ConfigurationText()).sampleRate, 4000);

    const Oscillogram& zero = Read(OneChannel().LineFrequency("0").NoRateLines().Ramp(3).ConfigurationText());
    EXPECT_DOUBLE_EQ(zero.lineFrequency, 50.0);
    EXPECT_EQ(zero.sampleRate, 0);
    ASSERT_EQ(zero.rateSegments.size(), 1u);
    EXPECT_EQ(zero.rateSegments[0].endSample, 3);
    ASSERT_EQ(zero.loadWarnings.size(), 1u);
    EXPECT_NE(zero.loadWarnings[0].find("\"0\""), std::string::npos);
}

TEST_F(ConfigurationTest, TailLinesAndPadding)
{
    const std::string base = "S,R,2013\n1,1A,0D\n" + kAnalogLine +
                             "50\n1\n1000,10\n01/01/2020,00:00:00.0\n01/01/2020,00:00:00.0\nASCII\n";
    const Oscillogram& coded = Read(base + "0.001\n+3h30,-5h30\nB,3\n");
    EXPECT_DOUBLE_EQ(coded.timeMultiplier, 0.001);
    EXPECT_EQ(coded.localCode, "-5h30");

    const Oscillogram& padded = Read(base + "\x1A\x1A\x1A");
    EXPECT_DOUBLE_EQ(padded.timeMultiplier, 1.0);
    EXPECT_TRUE(padded.localCode.empty());
    EXPECT_TRUE(padded.loadWarnings.empty());

    const Oscillogram& blank = Read(base + ",\n");
    EXPECT_DOUBLE_EQ(blank.timeMultiplier, 1.0);
    EXPECT_EQ(blank.loadWarnings.size(), 1u);
}

TEST_F(ConfigurationTest, BrokenConfigurationsFailWithTheFormatError)
{
    const std::string ends = ": файл обрывается раньше времени";
    ExpectBroken("", "строка 1" + ends);
    ExpectBroken("S,R,1999\n2,2A,0D\n" + kAnalogLine, "строка 4" + ends);
    ExpectBroken("S,R,1999\n1,1A,0D\n" + kAnalogLine + "50\n2000000000\n1000,20\n", "строка 7" + ends);
    ExpectBroken("S,R,1999\n2000000000,2000000000A,0D\n" + kAnalogLine + Tail(),
                 "строка 2, поле 2: недопустимое значение «2000000000A»");
    ExpectBroken("S,R,1999\n1,1A,0D\n" + kAnalogLine + "50\n1\n1000,2000000000\n",
                 "строка 6, поле 2: недопустимое значение «2000000000»");
    // Lines are counted as an editor counts them, blank ones and CR LF included.
    ExpectBroken("S,R,1999\r\n1,1A,0D\r\n\r\n1,a,,,V,abc,0,0,-1,1\r\n" + Tail(), "строка 4, поле 6: «abc» не число");
    ExpectBroken("S,R,1999\n1,1A,0D\n1,a,,,V,1,0,0,-1,1,x1,1,S\n" + Tail(), "строка 3, поле 11: «x1» не число");
    ExpectBroken("S,R,1999\n1,1A,0D\n" + kAnalogLine + "50\n1\nfast,20\n", "строка 6, поле 1: «fast» не число");
}

TEST_F(ConfigurationTest, TextsAreDecodedByTheRecordsCodePage)
{
    const std::string station = "Подстанция";
    for (const CodePage page : {CodePage::Windows1251, CodePage::Oem866, CodePage::Utf8}) {
        const Oscillogram& record = Read(RecordBuilder()
                                             .Station(FromUtf8(station, page))
                                             .Analog({.id = FromUtf8("Ток фазы А", page), .unit = FromUtf8("кВ", page)})
                                             .ConfigurationText());
        EXPECT_EQ(record.codePage, page);
        EXPECT_EQ(record.stationText, station);
        EXPECT_EQ(record.stationName, FromUtf8(station, page));
        EXPECT_EQ(record.channels[0].name, "Ток фазы А");
        EXPECT_EQ(record.channels[0].unit, "V");
    }
}

} // namespace
} // namespace zarva
