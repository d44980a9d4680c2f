#include "core/document/Document.h"
#include "core/formats/ComtradeConfiguration.h"
#include "core/model/ZarvaException.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zarva {
namespace {

using test::RecordBuilder;

class ConfigurationTest : public ::testing::Test {
protected:
    Oscillogram& Read(const std::string& text)
    {
        configuration = ReadConfiguration(document.oscillogram, text, "/data/r.cfg");
        return document.oscillogram;
    }

    void ExpectBroken(const std::string& text)
    {
        try {
            Read(text);
            ADD_FAILURE() << "read: " << text;
        } catch (const CZarvaException& error) {
            EXPECT_EQ(error.MessageId(), messages::kBadFileFormat);
            EXPECT_EQ(error.Parameter(), "/data/r.cfg");
        }
    }

    static std::string Tail(const std::string& type = "ASCII")
    {
        return "50\n1\n1000,10\n01/01/2020,00:00:00.0\n01/01/2020,00:00:00.0\n" + type + "\n1\n";
    }

    Document document;
    Configuration configuration;
};

TEST_F(ConfigurationTest, ChannelCountsLineWithOrWithoutAnalogCountAndPadded)
{
    const std::tuple<const char*, std::size_t, std::size_t> cases[] = {
        {"S,R,1999\n5,5A,0D\n", 5, 0}, {"S,R,1999\n3,3D\n", 0, 3}, {" S,R,1999\n 6, 4A , 2D \n", 4, 2}};
    for (const auto& [head, analog, discrete] : cases) {
        std::string text = head;
        for (std::size_t i = 0; i < analog; ++i)
            text += "1,a,,,V,1,0,0,-1,1\n";
        for (std::size_t i = 0; i < discrete; ++i)
            text += "1,d,,,0\n";
        Document one;
        ReadConfiguration(one.oscillogram, text + Tail(), "r.cfg");
        EXPECT_EQ(one.oscillogram.analogCount, analog) << head;
        EXPECT_EQ(one.oscillogram.discreteCount, discrete) << head;
        EXPECT_TRUE(one.oscillogram.loadWarnings.empty()) << head;
    }
}

TEST_F(ConfigurationTest, AnalogLineFields)
{
    const RecordBuilder builder = RecordBuilder()
                                      .Analog({.id = "Ia  ", .unit = "kA", .a = 0.5, .b = 2, .phase = "A",
                                               .ccbm = "Line", .skew = "12.5", .min = "-100.0", .max = "100",
                                               .primary = "600", .secondary = "5", .ps = "p "})
                                      .Analog({.id = "U", .primary = "", .secondary = ""});
    const Oscillogram& record = Read(builder.ConfigurationText());
    const Channel& current = record.channels[0];
    EXPECT_EQ(current.channelId, "Ia");
    EXPECT_EQ(current.name, "Ia");
    EXPECT_EQ(current.phase, "A");
    EXPECT_EQ(current.circuitComponent, "Line");
    EXPECT_EQ(current.unit8, "kA");
    EXPECT_EQ(current.unit, "A");
    EXPECT_DOUBLE_EQ(current.unitFactor, 1000.0);
    EXPECT_DOUBLE_EQ(current.multiplier, 0.5);
    EXPECT_DOUBLE_EQ(current.offset, 2.0);
    EXPECT_DOUBLE_EQ(current.timeShift, 12.5);
    EXPECT_DOUBLE_EQ(current.rangeMin, -48.0);
    EXPECT_DOUBLE_EQ(current.rangeMax, 52.0);
    EXPECT_DOUBLE_EQ(current.primary, 600.0);
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
    const std::string text = "S,R,1999\n4,0A,4D\n"
                             "1,full,ph,cc,1\n"
                             "2,short,1\n"
                             "3,no state,,cc\n"
                             "4,last,,,1\n" + Tail();
    const Oscillogram& record = Read(text);
    ASSERT_EQ(record.discreteCount, 4u);
    EXPECT_EQ(record.channels[0].normalState, 1);
    EXPECT_EQ(record.channels[0].phase, "ph");
    EXPECT_EQ(record.channels[1].normalState, 1);
    EXPECT_EQ(record.channels[2].channelId, "no state");
    EXPECT_EQ(record.channels[2].normalState, 0);
    EXPECT_EQ(record.channels[3].channelId, "last");
    EXPECT_EQ(record.channels[3].normalState, 1);

    Document old;
    ReadConfiguration(old.oscillogram, "S,R\n1,0A,1D\n1,d,1\n" + Tail(), "r.cfg");
    EXPECT_EQ(old.oscillogram.channels[0].normalState, 1);
    EXPECT_TRUE(old.oscillogram.channels[0].multiplier == 1.0 && old.oscillogram.channels[0].offset == 0.0);
}

TEST_F(ConfigurationTest, FileTypesAreAcceptedInAnyCase)
{
    const std::pair<const char*, const char*> kinds[] = {
        {"ascii", "ASCII"}, {"binary", "BINARY"}, {"BINARY32", "binary32"}, {"Float32", "FLOAT32"}};
    for (const auto& [written, kept] : kinds) {
        Document one;
        ReadConfiguration(one.oscillogram, "S,R,1999\n1,1A,0D\n1,a,,,V,1,0,0,-1,1\n" + Tail(written), "r.cfg");
        EXPECT_EQ(one.oscillogram.fileType, kept);
    }
    ExpectBroken("S,R,1999\n1,1A,0D\n1,a,,,V,1,0,0,-1,1\n" + Tail("BINARY16"));
}

TEST_F(ConfigurationTest, RatesAndLineFrequency)
{
    Read(RecordBuilder().Analog({.id = "a"}).LineFrequency("60.000000000").Rate(1000, 5).Rate(1200, 9).ConfigurationText());
    EXPECT_DOUBLE_EQ(document.oscillogram.lineFrequency, 60.0);
    EXPECT_EQ(document.oscillogram.sampleRate, 960);
    EXPECT_EQ(configuration.declaredSamples, 9);

    Document windows;
    ReadConfiguration(windows.oscillogram, RecordBuilder().Analog({.id = "a"}).Rate(1000, 200).Rate(1000, 950).ConfigurationText(), "r.cfg");
    EXPECT_EQ(windows.oscillogram.sampleRate, 1000);

    Document fastAndSlow;
    ReadConfiguration(fastAndSlow.oscillogram,
                      RecordBuilder().Analog({.id = "a"}).Rate(4000, 1120).Rate(200, 1256).Rate(4000, 2376).ConfigurationText(),
                      "r.cfg");
    EXPECT_EQ(fastAndSlow.oscillogram.sampleRate, 4000);

    Document zero;
    const auto text = RecordBuilder().Analog({.id = "a"}).LineFrequency("0").NoRateLines().Ramp(3).ConfigurationText();
    ReadConfiguration(zero.oscillogram, text, "r.cfg");
    EXPECT_DOUBLE_EQ(zero.oscillogram.lineFrequency, 50.0);
    EXPECT_EQ(zero.oscillogram.sampleRate, 0);
    ASSERT_EQ(zero.oscillogram.rateSegments.size(), 1u);
    EXPECT_EQ(zero.oscillogram.rateSegments[0].endSample, 3);
    ASSERT_EQ(zero.oscillogram.loadWarnings.size(), 1u);
    EXPECT_NE(zero.oscillogram.loadWarnings[0].find("\"0\""), std::string::npos);
}

TEST_F(ConfigurationTest, TailLinesAndPadding)
{
    const std::string base = "S,R,2013\n1,1A,0D\n1,a,,,V,1,0,0,-1,1\n50\n1\n1000,10\n01/01/2020,00:00:00.0\n"
                             "01/01/2020,00:00:00.0\nASCII\n";
    EXPECT_DOUBLE_EQ(Read(base + "0.001\n+3h30,-5h30\nB,3\n").timeMultiplier, 0.001);
    EXPECT_EQ(document.oscillogram.localCode, "-5h30");

    Document padded;
    ReadConfiguration(padded.oscillogram, base + "\x1A\x1A\x1A", "r.cfg");
    EXPECT_DOUBLE_EQ(padded.oscillogram.timeMultiplier, 1.0);
    EXPECT_TRUE(padded.oscillogram.localCode.empty());
    EXPECT_TRUE(padded.oscillogram.loadWarnings.empty());

    Document blank;
    ReadConfiguration(blank.oscillogram, base + ",\n", "r.cfg");
    EXPECT_DOUBLE_EQ(blank.oscillogram.timeMultiplier, 1.0);
    EXPECT_EQ(blank.oscillogram.loadWarnings.size(), 1u);
}

TEST_F(ConfigurationTest, BrokenConfigurationsFailWithTheFormatError)
{
    ExpectBroken("");
    ExpectBroken("S,R,1999\n2,2A,0D\n1,a,,,V,1,0,0,-1,1\n");
    ExpectBroken("S,R,1999\n2000000000,2000000000A,0D\n1,a,,,V,1,0,0,-1,1\n" + Tail());
    ExpectBroken("S,R,1999\n1,1A,0D\n1,a,,,V,1,0,0,-1,1\n50\n1\n1000,2000000000\n");
    ExpectBroken("S,R,1999\n1,1A,0D\n1,a,,,V,1,0,0,-1,1\n50\n2000000000\n1000,20\n");
}

TEST_F(ConfigurationTest, TextsAreDecodedByTheRecordsCodePage)
{
    const std::string stationUtf8 = "Подстанция";
    const std::string channelUtf8 = "Ток фазы А";
    for (const CodePage page : {CodePage::Windows1251, CodePage::Oem866, CodePage::Utf8}) {
        Document one;
        const std::string text = RecordBuilder()
                                     .Station(FromUtf8(stationUtf8, page))
                                     .Analog({.id = FromUtf8(channelUtf8, page), .unit = FromUtf8("кВ", page)})
                                     .ConfigurationText();
        ReadConfiguration(one.oscillogram, text, "r.cfg");
        EXPECT_EQ(one.oscillogram.codePage, page);
        EXPECT_EQ(one.oscillogram.stationText, stationUtf8);
        EXPECT_EQ(one.oscillogram.stationName, FromUtf8(stationUtf8, page));
        EXPECT_EQ(one.oscillogram.channels[0].name, channelUtf8);
        EXPECT_EQ(one.oscillogram.channels[0].unit, "V");
    }
}

} // namespace
} // namespace zarva
