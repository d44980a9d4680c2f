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

TEST(InterpretUnit, PrefixesScaleTheBaseUnitUnlessTheLetterIsAUnitOrThePrefixIsUndone)
{
    struct Case {
        const char* written;
        const char* unit;
        double factor;
        bool perSecond = false;
    };
    const Case cases[] = {
        {"kV", "V", 1e3}, {"KV", "V", 1e3}, {"кВ", "V", 1e3}, {"мкА", "A", 1e-6}, {"uA", "A", 1e-6},
        {"µA", "A", 1e-6}, {"mA", "A", 1e-3}, {"MVA", "VA", 1e6}, {"МВ·А", "VA", 1e6}, {"ГВт", "W", 1e9},
        {"Mvar", "var", 1e6}, {"ns", "s", 1e-9}, {"mOhm", "Ohm", 1e-3},
        // Letters that look like prefixes.
        {"Гц", "Hz", 1.0}, {"Гн", "H", 1.0}, {"m", "m", 1.0}, {"M", "m", 1.0}, {"m/s", "m", 1.0, true},
        {"м/с", "m", 1.0, true}, {"mm/s", "m", 1e-3, true}, {"ном", "nom", 1.0}, {"NOM", "nom", 1.0},
        {"Ом", "Ohm", 1.0}, {"Ω", "Ohm", 1.0}, {"S", "S", 1.0}, {"См", "S", 1.0},
        // No prefix for degrees, nominal and per-unit values.
        {"kDEG", "kDEG", 1.0}, {"deg", "DEG", 1.0}, {"°", "DEG", 1.0}, {"гр", "DEG", 1.0},
        {"о.е.", "p. u.", 1.0}, {"pu", "p. u.", 1.0}, {"kpu", "kpu", 1.0},
        // Spelled out.
        {"ampere", "A", 1.0}, {"AMPS", "A", 1.0}, {"Volt", "V", 1.0}, {"volts", "V", 1.0},
        {"KiloVolt", "V", 1e3}, {"hertz", "Hz", 1.0}, {"Ohm", "Ohm", 1.0}, {"ohms", "Ohm", 1.0},
    };
    for (const Case& c : cases) {
        const Interpreted result = Interpret(c.written);
        EXPECT_EQ(result.unit, c.unit) << c.written;
        EXPECT_DOUBLE_EQ(result.factor, c.factor) << c.written;
        EXPECT_EQ(result.perSecond, c.perSecond) << c.written;
    }
}

TEST(InterpretUnit, UnknownEmptyAndCyrillicUnitsInEveryCodePage)
{
    const Interpreted bar = Interpret("mbar");
    EXPECT_EQ(bar.unit, "mbar");
    EXPECT_DOUBLE_EQ(bar.factor, 1.0);
    EXPECT_TRUE(bar.unrecognised);
    EXPECT_EQ(Interpret("NONE").unit, "");
    EXPECT_FALSE(Interpret("none").unrecognised);
    EXPECT_EQ(Interpret("").unit, "");
    EXPECT_EQ(Interpret(" kV  ").unit, "V");
    for (const CodePage page : {CodePage::Windows1251, CodePage::Oem866, CodePage::Utf8}) {
        EXPECT_EQ(Interpret("кВ", page).unit, "V");
        EXPECT_DOUBLE_EQ(Interpret("кВ", page).factor, 1e3);
        EXPECT_EQ(Interpret("Гц", page).unit, "Hz");
    }
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

TEST_F(DisplayUnitTest, RussianInterfaceLocalisesCanonicalUnitsEnglishShowsOhmAsOmega)
{
    const std::pair<const char*, const char*> russian[] = {
        {"kV", "В"}, {"MVA", "ВА"}, {"Ohm", "Ом"}, {"Hz", "Гц"}, {"deg", "°"}, {"kV/s", "В/с"}, {"bar", "bar"}};
    for (const auto& [written, shown] : russian)
        EXPECT_EQ(Shown(written), shown);
    EXPECT_EQ(LocaliseUnit("var"), "вар");

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
