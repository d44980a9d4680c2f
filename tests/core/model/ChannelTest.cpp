#include "core/document/Document.h"
#include "core/dsp/InstantValue.h"
#include "core/model/ZarvaException.h"

#include <gtest/gtest.h>

#include <limits>

namespace zarva {
namespace {

Channel NamedAnalog(Document& document, const std::string& name)
{
    Channel channel(ChannelKind::Analog, &document);
    channel.name = name;
    return channel;
}

TEST(FindChannel, PrefersExactCaseThenFirstCaseInsensitiveMatchElseANameError)
{
    Document document;
    auto& channels = document.oscillogram.channels;
    channels.push_back(NamedAnalog(document, "IA"));
    channels.push_back(NamedAnalog(document, "ia"));
    EXPECT_EQ(document.oscillogram.FindChannel("ia"), 1u);
    EXPECT_EQ(document.oscillogram.FindChannel("Ia"), 0u);
    channels.pop_back();
    EXPECT_EQ(document.oscillogram.FindChannel("ia"), 0u);
    channels.push_back(NamedAnalog(document, "Пуск защиты"));
    channels.push_back(NamedAnalog(document, "Uф"));
    EXPECT_EQ(document.oscillogram.FindChannel("пуск защиты"), 1u);
    EXPECT_EQ(document.oscillogram.FindChannel("uФ"), 2u);
    try {
        document.oscillogram.FindChannel("Ub");
        FAIL() << "no exception";
    } catch (const CZarvaException& error) {
        EXPECT_EQ(error.MessageId(), 354);
        EXPECT_STREQ(error.what(), "Имя канала задано неправильно.");
    }
}

TEST(SamplesPerPeriod, UsesWholeLineFrequencyOrOwnRateAndRefusesUnusableRates)
{
    Document document;
    Oscillogram& record = document.oscillogram;
    record.sampleRate = 1000;
    record.lineFrequency = 50.9;
    Channel channel(ChannelKind::Analog, &document);
    EXPECT_EQ(record.SamplesPerPeriod(channel), 20);
    record.lineFrequency = 60.0;
    channel.ownSampleRate = 1000.0;
    EXPECT_EQ(record.SamplesPerPeriod(channel), 20);

    channel.ownSampleRate = 0.0;
    record.lineFrequency = 50.0;
    record.sampleRate = 40;
    EXPECT_THROW(record.SamplesPerPeriod(channel), CZarvaException);
    record.sampleRate = 1000;
    for (const double frequency : {0.0, std::numeric_limits<double>::quiet_NaN()}) {
        record.lineFrequency = frequency;
        EXPECT_THROW(record.SamplesPerPeriod(channel), CZarvaException) << frequency;
    }
}

TEST(DiscreteChannel, InversionSwapsDisplayedStatesButNotExtremes)
{
    Document document;
    Channel channel = Channel::FromStates(&document, "Trip", {0, 0, 5, 0}, Rgb(1, 2, 3));
    EXPECT_EQ(channel.samples.View().ToVector(), (std::vector<double>{0, 0, 1, 0}));
    channel.SetFlag(display::kInverted, true);
    channel.Recompute();
    EXPECT_EQ(channel.DisplaySeries().ToVector(),
              (std::vector<double>{1, 1, 0, 1}));
    EXPECT_EQ(channel.minValue, 0.0);
    EXPECT_EQ(channel.maxValue, 1.0);
}

TEST(Channel, FrequencyChannelsAreFoundByPhaseOrUnit)
{
    Document document;
    Oscillogram& record = document.oscillogram;
    record.channels.push_back(NamedAnalog(document, "Ua"));
    record.channels.push_back(NamedAnalog(document, "F"));
    record.channels.back().unit = "Hz";
    record.channels.push_back(NamedAnalog(document, "F2"));
    record.channels.back().phase = "system";
    Channel discrete(ChannelKind::Discrete, &document);
    discrete.phase = "system";
    record.channels.push_back(discrete);
    record.RebuildFrequencyChannels();
    EXPECT_EQ(record.frequencyChannels, (std::vector<std::size_t>{1, 2}));
}

TEST(Channel, RawSamplesAreTheValueInTheWrittenUnitTimesItsPrefix)
{
    Document document;
    Channel channel(ChannelKind::Analog, &document);
    channel.unitFactor = 1000.0;
    channel.multiplier = 0.5;
    channel.offset = 3.0;
    channel.AddRawSample(2.0);
    EXPECT_DOUBLE_EQ(channel.samples.At(channel.samples.Size() - 1), 4000.0);  // (0.5 · 2 + 3) kV
    EXPECT_DOUBLE_EQ(channel.RawCode(channel.samples.At(channel.samples.Size() - 1)), 2.0);
    EXPECT_EQ(AdcCode(channel, channel.samples.At(channel.samples.Size() - 1)), 2.0);
}

TEST(Channel, CyrillicVoltLetterIsKeptInLatinForm)
{
    Document document;
    document.oscillogram.sampleRate = 1000;
    Channel channel = Channel::FromValues(&document, "U", "В", {1.0, 2.0}, {});
    EXPECT_EQ(channel.unit8, "V");
    EXPECT_TRUE(channel.showPrimary);
    EXPECT_TRUE(channel.HasFlag(display::kSuppliedPhasors));
}

} // namespace
} // namespace zarva
