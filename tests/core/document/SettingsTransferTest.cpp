#include "core/document/SettingsTransfer.h"

#include "core/document/Document.h"
#include "core/formats/ComtradeReader.h"
#include "core/model/ZarvaException.h"

#include "support/RecordBuilder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

class SettingsTransferTest : public ::testing::Test {
protected:
    SettingsTransferTest()
    {
        test::RecordBuilder builder;
        builder.Station("S").Analog({.id = "UA", .unit = "V"}).Analog({.id = "IA", .unit = "A"})
            .Discrete({.id = "TRIP"}).Rate(1000, 4).Ramp(4);
        ReadComtrade(document, builder.Write(folder));
    }

    const Channel& Named(const std::string& name) const
    {
        return document.oscillogram.channels[document.oscillogram.FindChannel(name)];
    }

    test::TempFolder folder;
    Document document;
};

TEST_F(SettingsTransferTest, ChannelsMatchedByIdentifierTakeTheOtherRecordsChoicesAndTheRestIsListed)
{
    SettingsStore source;
    source.LoadText("[UA]\nShowFlags=224\nPrimaryMul=110000\nSecondaryMul=100\nAliasName=Bus\n"
                    "CustomColorSet=1\ncolorCustom=255\nNetFreq=49,49,49,49\n"
                    "[IB]\nShowFlags=225\n"
                    "[Double]\nShowFlags=229\n"
                    "[CalculatedChannels]\nChannel0=Double,Bus*2\n"
                    "[Oscillogram]\nDiscretisationFrequensy=9999\n"
                    "[Vector Chart]\nAbsoluteAngle=1\n"
                    "[View]\nXScale=7\n");
    const std::vector<double> frequencies = Named("UA").lineFrequencySeries;

    const SettingsTransferReport report = ApplyRecordSettings(document, source);
    const Channel& bus = Named("Bus");
    EXPECT_EQ(bus.channelId, "UA");
    EXPECT_FALSE(bus.HasFlag(display::kVisible));
    EXPECT_EQ(bus.primary, 110000.0);
    EXPECT_EQ(bus.secondary, 100.0);
    EXPECT_TRUE(bus.customColourSet);
    EXPECT_EQ(bus.lineFrequencySeries, frequencies) << "a series of the other record's samples";
    EXPECT_EQ(document.oscillogram.sampleRate, 1000);
    EXPECT_EQ(Named("Double").samples, std::vector<double>({0.0, 2.0, 4.0, 6.0}));
    EXPECT_TRUE(Named("Double").HasFlag(display::kOnVectorDiagram));
    EXPECT_EQ(document.settings.Section("Vector Chart").GetInt("AbsoluteAngle", 0), 1);
    EXPECT_EQ(document.settings.Find("View"), nullptr);

    EXPECT_EQ(report.notInRecord, std::vector<std::string>{"IB"});
    EXPECT_EQ(report.notInFile, (std::vector<std::string>{"IA", "TRIP"}));
    EXPECT_TRUE(report.formulaFailures.empty());
}

TEST_F(SettingsTransferTest, AFormulaThatFailsIsReportedAndTheChannelSettingsStillApply)
{
    SettingsStore source;
    source.LoadText("[CalculatedChannels]\nChannel0=Bad,Nowhere*2\n[IA]\nShowFlags=225\nAliasName=Line\n");
    const SettingsTransferReport report = ApplyRecordSettings(document, source);
    ASSERT_EQ(report.formulaFailures.size(), 1u);
    EXPECT_NE(report.formulaFailures[0].find("Nowhere"), std::string::npos) << report.formulaFailures[0];
    EXPECT_EQ(Named("Line").channelId, "IA");
}

} // namespace
} // namespace zarva
