#include "core/formats/Osc2Reader.h"

#include "ErrorOf.h"
#include "core/document/Document.h"
#include "core/model/CodePage.h"
#include "support/Osc2Writer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarva {
namespace {

using test::Osc2Record;

Osc2Record ThreeChannelRecord(std::size_t samples = 30)
{
    Osc2Record record;
    record.zeroSample = 12;
    test::Osc2Analog voltage{FromUtf8("Ua фидер", CodePage::Windows1251), "A", "kV", 0.01f, 0.5f, 110.0f, 0.1f, {}};
    test::Osc2Discrete trip{"", 1, {}};
    for (std::size_t i = 0; i < samples; ++i) {
        voltage.codes.push_back(static_cast<std::int16_t>(std::lround(10000 * std::sin(0.26 * i))));
        trip.states.push_back(i >= samples / 2);
    }
    test::Osc2Analog current = voltage;
    current.name = "Ia";
    current.unit = "A";
    current.gain = 0.002f;
    current.offset = 0.0f;
    record.analog = {voltage, current};
    record.discrete = {trip};
    return record;
}

class Osc2Reader : public ::testing::Test {
protected:
    void Read(const Osc2Record& source) { Read(test::WriteOsc2(source)); }
    void Read(const std::string& bytes)
    {
        path = folder.Write("record.osc", bytes);
        ReadOsc2(document, path);
    }

    test::TempFolder folder;
    std::filesystem::path path;
    Document document;
    const Oscillogram& record = document.oscillogram;
};

TEST_F(Osc2Reader, FillsTheRecordAsTheComtradeReaderDoes)
{
    const Osc2Record source = ThreeChannelRecord();
    const std::string bytes = test::WriteOsc2(source);
    Read(bytes);

    ASSERT_EQ(record.channels.size(), 3u);
    EXPECT_EQ(record.analogCount, 2u);
    EXPECT_EQ(record.discreteCount, 1u);
    EXPECT_EQ(record.channels[0].Name(), "Ua фидер");
    EXPECT_EQ(record.channels[0].phase, "A");
    EXPECT_EQ(record.channels[2].Name(), "Резерв.") << "an empty discrete name";
    EXPECT_EQ(record.channels[2].normalState, 1);
    EXPECT_DOUBLE_EQ(record.channels[0].primary, 110.0);
    EXPECT_DOUBLE_EQ(record.channels[0].secondary, 0.1f);

    ASSERT_EQ(record.SampleCount(), 30u);
    for (std::size_t i : {0u, 7u, 29u}) {
        // (a · code + b) kV
        const double volts = (source.analog[0].codes[i] * double{0.01f} + double{0.5f}) * 1000.0;
        EXPECT_NEAR(record.channels[0].samples.At(i), volts, 1e-6) << i;
        EXPECT_NEAR(record.channels[1].samples.At(i), source.analog[1].codes[i] * double{0.002f}, 1e-9) << i;
        EXPECT_EQ(record.channels[2].samples.At(i), i >= 15 ? 1.0 : 0.0) << i;
    }

    EXPECT_EQ(record.oscBytes, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    EXPECT_EQ(record.sourcePath, path.string());
    EXPECT_EQ(record.recorderId, "-");
    EXPECT_EQ(record.fileType, "ASCII");
    EXPECT_EQ(record.lineFrequency, 50.0);
    EXPECT_EQ(record.sampleRate, 2400);
    EXPECT_EQ(record.zeroSample, 12);
    EXPECT_EQ(record.startDate, "5/03/2024");
    EXPECT_EQ(record.startTime, "7:08:09.045");
    EXPECT_EQ(record.triggerTime, "7:08:09.095");
    EXPECT_EQ(record.channels[0].DisplaySeries().Size(), 30u) << "channels are recomputed";
}

TEST_F(Osc2Reader, FirstHarmonicFactorFollowsTheRecorderVersion)
{
    const std::pair<int, double> expected[] = {{2, 1.0},      {3, 1.0128},    {4, 1.0128}, {5, 1.0128},
                                               {6, 1.00259},  {7, 1.00259},   {8, 1.0128}, {9, 1.014065},
                                               {10, 1.0}};
    for (const auto& [minor, factor] : expected) {
        Osc2Record source = ThreeChannelRecord();
        source.minor = minor;
        Document fresh;
        ReadOsc2(fresh, folder.Write("v.osc", test::WriteOsc2(source)));
        EXPECT_DOUBLE_EQ(fresh.oscillogram.firstHarmonicFactor, factor) << "2." << minor;
        EXPECT_EQ(fresh.oscillogram.stationText, "OSC Осциллограф. Версия 2." + std::to_string(minor));
    }
}

TEST_F(Osc2Reader, RateChangeStartsANewSegmentAndTimesFollowEachRate)
{
    Osc2Record source = ThreeChannelRecord(60);
    source.runs = {{500, 40}, {1000, 20}};  // 2400 Hz, then 1200 Hz
    Read(source);
    ASSERT_EQ(record.rateSegments.size(), 2u);
    EXPECT_DOUBLE_EQ(record.rateSegments[0].rate, 2400.0);
    EXPECT_EQ(record.rateSegments[0].endSample, 40);
    EXPECT_DOUBLE_EQ(record.rateSegments[1].rate, 1200.0);
    EXPECT_EQ(record.rateSegments[1].endSample, 60);
    ASSERT_EQ(record.sampleTimes.size(), 60u);
    EXPECT_EQ(record.sampleTimes[1], 417);
    EXPECT_EQ(record.sampleTimes[40], 16667);
    EXPECT_EQ(record.sampleTimes[41], 16667 + 833);
    ASSERT_EQ(record.lineFrequencySeries.size(), 60u);
}

TEST_F(Osc2Reader, ManyChannelsSpreadOverTwoInformationBlocks)
{
    Osc2Record source = ThreeChannelRecord();
    for (int i = 0; i < 10; ++i) {
        source.analog.push_back(source.analog[1]);
        source.analog.back().name = "I" + std::to_string(i);
        source.analog.back().gain = 0.5f * (i + 1);
    }
    for (int i = 0; i < 20; ++i)
        source.discrete.push_back({"D" + std::to_string(i), 0, std::vector<bool>(30, i % 2 == 1)});
    Read(source);
    ASSERT_EQ(record.channels.size(), 33u);
    EXPECT_DOUBLE_EQ(record.channels[11].multiplier, 5.0) << "the tenth extra channel, in the second block";
    EXPECT_EQ(record.channels[32].Name(), "D19");
    EXPECT_EQ(record.channels[32].samples.At(3), 1.0);
    EXPECT_EQ(record.channels[31].samples.At(3), 0.0);
}

TEST_F(Osc2Reader, MalformedFilesAreReportedWithTheirPath)
{
    const std::string good = test::WriteOsc2(ThreeChannelRecord());
    std::string badMagic = good;
    badMagic[0] = 'X';
    std::string badVersion = good;
    badVersion[4] = 3;
    std::string zeroPeriod = good;
    zeroPeriod[good.size() - 128] = 0;
    zeroPeriod[good.size() - 127] = 0;
    std::string tooManySamples = good;
    tooManySamples[good.size() - 126] = 0x7F;
    std::string headerPastEnd = good;
    headerPastEnd[6] = 0x7F;
    std::string noTextLines = good;
    noTextLines.replace(2 * 128, 128, std::string(128, '\0'));
    const std::string cases[] = {badMagic, badVersion, zeroPeriod, tooManySamples, headerPastEnd,
                                 noTextLines, good.substr(0, good.size() - 1), good.substr(0, 4 * 128), ""};
    for (const std::string& bytes : cases) {
        Document fresh;
        const auto file = folder.Write("bad.osc", bytes);
        const CZarvaException error = test::ErrorOf([&] { ReadOsc2(fresh, file); });
        EXPECT_EQ(error.MessageId(), messages::kBadFileFormat) << "a file of " << bytes.size() << " bytes";
        EXPECT_EQ(error.Parameter(), file.string());
    }
}

TEST_F(Osc2Reader, CancelStopsBeforeTheSamples)
{
    document.progress.RequestCancel();
    Read(ThreeChannelRecord());
    EXPECT_EQ(record.SampleCount(), 0u);
}

} // namespace
} // namespace zarva
