#include "core/model/Channel.h"
#include "core/model/StringTable.h"
#include "core/model/Units.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

struct Interpreted {
    std::string unit;
    double factor;
    bool perSecond;
    bool unrecognised;
};

Interpreted Interpret(const std::string& unit8, CodePage page = CodePage::Utf8)
{
    Channel channel(ChannelKind::Analog, nullptr);
    channel.unit8 = page == CodePage::Utf8 ? unit8 : FromUtf8(unit8, page);
    InterpretUnit(channel, page);
    return {channel.unit, channel.unitFactor, channel.perSecond, channel.unitUnrecognised};
}

void ExpectUnit(const std::string& unit8, const std::string& unit, double factor, bool perSecond = false)
{
    const Interpreted result = Interpret(unit8);
    EXPECT_EQ(result.unit, unit) << unit8;
    EXPECT_DOUBLE_EQ(result.factor, factor) << unit8;
    EXPECT_EQ(result.perSecond, perSecond) << unit8;
}

TEST(InterpretUnit, PrefixesScaleTheBaseUnit)
{
    ExpectUnit("kV", "V", 1e3);
    ExpectUnit("KV", "V", 1e3);
    ExpectUnit("кВ", "V", 1e3);
    ExpectUnit("мкА", "A", 1e-6);
    ExpectUnit("uA", "A", 1e-6);
    ExpectUnit("µA", "A", 1e-6);
    ExpectUnit("mA", "A", 1e-3);
    ExpectUnit("MVA", "VA", 1e6);
    ExpectUnit("МВ·А", "VA", 1e6);
    ExpectUnit("ГВт", "W", 1e9);
    ExpectUnit("Mvar", "var", 1e6);
    ExpectUnit("ns", "s", 1e-9);
    ExpectUnit("mOhm", "Ohm", 1e-3);
}

TEST(InterpretUnit, LettersThatLookLikePrefixesStayUnits)
{
    ExpectUnit("Гц", "Hz", 1.0);
    ExpectUnit("Гн", "H", 1.0);
    ExpectUnit("m", "m", 1.0);
    ExpectUnit("M", "m", 1.0);
    ExpectUnit("m/s", "m", 1.0, true);
    ExpectUnit("м/с", "m", 1.0, true);
    ExpectUnit("mm/s", "m", 1e-3, true);
    ExpectUnit("ном", "nom", 1.0);
    ExpectUnit("NOM", "nom", 1.0);
    ExpectUnit("Ом", "Ohm", 1.0);
    ExpectUnit("Ω", "Ohm", 1.0);
    ExpectUnit("S", "S", 1.0);
    ExpectUnit("См", "S", 1.0);
}

TEST(InterpretUnit, PrefixIsUndoneForDegreesNominalAndPerUnit)
{
    ExpectUnit("kDEG", "kDEG", 1.0);
    ExpectUnit("deg", "DEG", 1.0);
    ExpectUnit("°", "DEG", 1.0);
    ExpectUnit("гр", "DEG", 1.0);
    ExpectUnit("о.е.", "p. u.", 1.0);
    ExpectUnit("pu", "p. u.", 1.0);
    ExpectUnit("kpu", "kpu", 1.0);
}

TEST(InterpretUnit, UnknownAndEmptyUnits)
{
    const Interpreted bar = Interpret("mbar");
    EXPECT_EQ(bar.unit, "mbar");
    EXPECT_DOUBLE_EQ(bar.factor, 1.0);
    EXPECT_TRUE(bar.unrecognised);
    EXPECT_EQ(Interpret("NONE").unit, "");
    EXPECT_FALSE(Interpret("none").unrecognised);
    EXPECT_EQ(Interpret("").unit, "");
    EXPECT_EQ(Interpret(" kV  ").unit, "V");
}

TEST(InterpretUnit, CyrillicUnitsInEveryCodePage)
{
    for (const CodePage page : {CodePage::Windows1251, CodePage::Oem866, CodePage::Utf8}) {
        const Interpreted kiloVolt = Interpret("кВ", page);
        EXPECT_EQ(kiloVolt.unit, "V");
        EXPECT_DOUBLE_EQ(kiloVolt.factor, 1e3);
        EXPECT_EQ(Interpret("Гц", page).unit, "Hz");
    }
}

TEST(InterpretUnit, StoredSamplesCarryThePrefix)
{
    Channel channel(ChannelKind::Analog, nullptr);
    channel.unit8 = "kV";
    channel.multiplier = 0.5;
    InterpretUnit(channel);
    channel.AddRawSample(2.0);
    EXPECT_DOUBLE_EQ(channel.samples.back(), 1000.0);
}

class DisplayUnitTest : public ::testing::Test {
protected:
    void TearDown() override { UseRussianTable(); }

    static std::string Shown(const std::string& unit8)
    {
        Channel channel(ChannelKind::Analog, nullptr);
        channel.unit8 = unit8;
        InterpretUnit(channel, CodePage::Utf8);
        return DisplayUnit(channel);
    }
};

TEST_F(DisplayUnitTest, RussianInterfaceLocalisesCanonicalUnits)
{
    EXPECT_EQ(Shown("kV"), "В");
    EXPECT_EQ(Shown("MVA"), "ВА");
    EXPECT_EQ(Shown("Ohm"), "Ом");
    EXPECT_EQ(Shown("Hz"), "Гц");
    EXPECT_EQ(Shown("deg"), "°");
    EXPECT_EQ(Shown("kV/s"), "В/с");
    EXPECT_EQ(Shown("bar"), "bar");
    EXPECT_EQ(LocaliseUnit("var"), "вар");
}

TEST_F(DisplayUnitTest, EnglishInterfaceShowsOhmAsOmega)
{
    const test::TempFolder folder;
    ASSERT_TRUE(UseEnglishTable(folder.Write("en.txt", "3546\tΩ\n3105\t°\n")));
    EXPECT_EQ(Shown("Ohm"), "Ω");
    EXPECT_EQ(Shown("deg"), "°");
    EXPECT_EQ(Shown("kV/s"), "V/s");
}

TEST(DisplayRatio, FollowsTheSideShownAndSurvivesZeroRatios)
{
    Channel channel(ChannelKind::Analog, nullptr);
    channel.primary = 110000.0;
    channel.secondary = 100.0;
    EXPECT_DOUBLE_EQ(DisplayRatio(channel), 1.0);
    channel.showPrimary = true;
    EXPECT_DOUBLE_EQ(DisplayRatio(channel), 1100.0);
    channel.valuesArePrimary = true;
    EXPECT_DOUBLE_EQ(DisplayRatio(channel), 1.0);
    channel.showPrimary = false;
    EXPECT_DOUBLE_EQ(DisplayRatio(channel), 100.0 / 110000.0);
    channel.primary = 0.0;
    EXPECT_DOUBLE_EQ(DisplayRatio(channel), 1.0);
}

} // namespace
} // namespace zarva
