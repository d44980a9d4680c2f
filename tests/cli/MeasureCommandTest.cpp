#include "CliRun.h"
#include "core/document/Document.h"
#include "core/dsp/PhasorMath.h"
#include "core/dsp/WindowMeasures.h"
#include "core/formats/ComtradeReader.h"
#include "support/Json.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zarva::cli {
namespace {

using test::Json;

constexpr double kAmplitude = 100.0;
constexpr int kSamples = 200;

// Three currents of a balanced set sampled 1000 times a second, phase A at 20 degrees at
// sample 100, and a frequency channel reading 49 Hz.
class MeasureCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RecordBuilder builder;
        for (const char* name : {"Ia", "Ib", "Ic"})
            builder.Analog({.id = name, .unit = "A", .a = 0.001});
        builder.Analog({.id = "F", .unit = "Hz", .a = 0.001}).Rate(1000, kSamples);
        for (int i = 0; i < kSamples; ++i) {
            std::vector<double> codes;
            for (const double shift : {0.0, -120.0, 120.0}) {
                const double angle = 2 * std::numbers::pi * 50.0 * (i - 100) / 1000.0 +
                                     (20.0 + shift) * std::numbers::pi / 180.0;
                codes.push_back(std::round(1000.0 * kAmplitude * std::sin(angle)));
            }
            codes.push_back(49000.0);
            builder.Sample(codes);
        }
        cfg = builder.Write(folder, "three").string();
        ReadComtrade(document, cfg);
    }

    // zarva-cli measure over the record with the options given.
    CliRun Measure(std::vector<std::string> options) const
    {
        options.insert(options.begin(), {"measure", cfg});
        return Cli(options);
    }

    const Channel& Named(const std::string& name) const
    {
        return document.oscillogram.channels[document.oscillogram.FindChannel(name)];
    }

    test::TempFolder folder;
    std::string cfg;
    Document document;
};

TEST_F(MeasureCommandTest, JsonGivesEveryMeasureOfEveryAnalogChannel)
{
    const CliRun run = Measure({"--at", "100", "--periods", "2", "--harmonics", "3", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json all = Json::Parse(run.out);
    ASSERT_EQ(all.Items().size(), 4u);
    const Json& ia = all.Items()[0];
    const Channel& channel = Named("Ia");
    EXPECT_EQ(ia["name"].String(), "Ia");
    EXPECT_EQ(ia["unit"].String(), "A");
    EXPECT_EQ(ia["value"].Number(), Value(channel, 100));
    EXPECT_EQ(ia["rms"].Number(), Rms(channel, 100, 2));
    EXPECT_EQ(ia["dc"].Number(), DcComponent(channel, 100, 2));
    EXPECT_EQ(ia["fault"].Number(), FaultComponent(channel, 100));
    EXPECT_EQ(ia["phasor"].Items()[0].Number(), channel.PhasorSeries().At(100).real());
    ASSERT_EQ(ia["harmonics"].Items().size(), 4u);
    EXPECT_EQ(ia["harmonics"].Items()[3].Number(), HarmonicRms(channel, 3, 100));
    EXPECT_NEAR(ia["magnitude"].Number(), kAmplitude / std::sqrt(2.0), 1e-3);
    EXPECT_NEAR(ia["angle_deg"].Number(), 20.0, 1e-3);
    EXPECT_NEAR(all.Items()[1]["angle_deg"].Number(), -100.0, 1e-3);
}

TEST_F(MeasureCommandTest, SequenceOfABalancedSetIsAllPositive)
{
    const CliRun run = Measure({"--at", "150", "--sequence", "Ia,Ib,Ic", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json sequence = Json::Parse(run.out);
    EXPECT_EQ(sequence["positive"]["name"].String(), "I1");
    EXPECT_EQ(sequence["zero"]["name"].String(), "3I0");
    EXPECT_NEAR(sequence["positive"]["magnitude"].Number(), kAmplitude / std::sqrt(2.0), 1e-3);
    EXPECT_NEAR(sequence["negative"]["magnitude"].Number(), 0.0, 1e-3);
    EXPECT_NEAR(sequence["zero"]["magnitude"].Number(), 0.0, 1e-3);

    const CliRun text = Measure({"--at", "150", "--sequence", "Ia,Ib,Ic"});
    EXPECT_EQ(text.out.rfind("I1  ", 0), 0u) << text.out;
}

TEST_F(MeasureCommandTest, FrequencyChannelSwitchesToTheTrackingForms)
{
    const CliRun run = Measure({"--at", "100", "--frequency-channel", "F", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Phasor tracked = TrackedPhasor(Named("Ia"), 1, 100, Named("F"), false, 1);
    const Json all = Json::Parse(run.out);
    const Json& ia = all.Items()[0];
    EXPECT_NEAR(ia["phasor"].Items()[0].Number(), tracked.real(), 1e-9 * std::abs(tracked));
    EXPECT_NEAR(ia["phasor"].Items()[1].Number(), tracked.imag(), 1e-9 * std::abs(tracked));
    EXPECT_GT(std::abs(tracked - Named("Ia").PhasorSeries().At(100)), 0.1);

    const CliRun notFrequency = Measure({"--at", "100", "--frequency-channel", "Ib"});
    EXPECT_EQ(notFrequency.code, 1);
    EXPECT_NE(notFrequency.err.find("--frequency-channel"), std::string::npos);
}

TEST_F(MeasureCommandTest, MistakesFailWithAMessage)
{
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {}, {"--at", "200"}, {"--at", "-1"}, {"--at", "5", "--periods", "0"},
             {"--at", "5", "--sequence", "Ia,Ib"}, {"--at", "5", "--sequence", "Ia,Ib,Nope"}}) {
        const CliRun run = Measure(options);
        EXPECT_EQ(run.code, 1) << options.size();
        EXPECT_FALSE(run.err.empty());
    }
}

} // namespace
} // namespace zarva::cli
