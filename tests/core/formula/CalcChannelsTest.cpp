#include "FormulaTestRecord.h"

#include "core/document/Recompute.h"
#include "core/formula/CalcChannels.h"
#include "core/model/CodePage.h"
#include "core/storage/SettingsStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zarva {
namespace {

using test::ErrorText;
using test::FormulaTestRecord;
using test::Polar;

class CalcChannelsTest : public ::testing::Test {
protected:
    CalcChannelsTest() { fixture.AddPhaseSet(); }

    const Channel& ChannelNamed(const std::string& name) const
    {
        return fixture.record.channels[fixture.record.FindChannel(name)];
    }

    FormulaTestRecord fixture;
    CalcChannels& set = fixture.record.calcChannels;
};

TEST_F(CalcChannelsTest, AddingCreatesTheChannelAndComputeFillsIt)
{
    const std::size_t before = fixture.record.channels.size();
    set.Add("Sum", "Ia + Ib * 2");
    ASSERT_EQ(fixture.record.channels.size(), before + 1);
    EXPECT_EQ(fixture.record.channels.back().samples, std::vector<double>(40, 0.0));
    set.Compute();
    const Channel& sum = ChannelNamed("Sum");
    EXPECT_EQ(sum.samples, std::vector<double>(40, 5.0));
    ASSERT_EQ(sum.suppliedPhasors.size(), 40u);
    EXPECT_EQ(sum.suppliedPhasors[7], Polar(10.0, -30.0) + Polar(10.0, -150.0) * 2.0);
    EXPECT_EQ(sum.unit, "A");
    EXPECT_TRUE(sum.HasFlag(display::kSuppliedPhasors));
}

TEST_F(CalcChannelsTest, PhasorOnlyResultStoresItsRealPartAsSamples)
{
    set.Add("P", "pf:(Ia, Ua)");
    set.Compute();
    const Channel& power = ChannelNamed("P");
    EXPECT_NEAR(power.samples[0], 1000.0 * std::cos(std::numbers::pi / 6), 1e-9);
    EXPECT_EQ(power.suppliedPhasors.size(), 40u);
    EXPECT_EQ(power.unit, "W");
}

TEST_F(CalcChannelsTest, RealOnlyResultHasNoSuppliedPhasors)
{
    set.Add("R", "sin:(30) * Ia");
    set.Compute();
    EXPECT_TRUE(ChannelNamed("R").suppliedPhasors.empty());
    EXPECT_NEAR(ChannelNamed("R").samples[3], 0.5, 1e-15);
}

TEST_F(CalcChannelsTest, ResultThatIsNeitherRealNorPhasorEverywhereFails)
{
    // A phasor from sample 20 on, a real number before: "arg:" is 0 in the first period.
    set.Add("Bad", "null");
    EXPECT_EQ(ErrorText([&] { set.Compute(); }), "Bad: Результат не действителен");

    FormulaTestRecord mixed;
    mixed.AddSamples("X", std::vector<double>(40, 1.0));
    mixed.record.calcChannels.Add("First", "X * 2");
    mixed.record.calcChannels.Add("Second", "pf:(1, 1) + null");
    mixed.record.calcChannels.Add("Third", "X * 3");
    EXPECT_EQ(ErrorText([&] { mixed.record.calcChannels.Compute(); }),
              "Second: Результат не действителен");
    const Oscillogram& record = mixed.record;
    EXPECT_EQ(record.channels[record.FindChannel("First")].samples[0], 2.0);
    EXPECT_EQ(record.channels[record.FindChannel("Third")].samples[0], 0.0);
}

TEST_F(CalcChannelsTest, UnitComesFromATrailingDimensionOrTheUnitRules)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Mod:(Pf: (Ia, Ua))[VA]", "VA"},
        {"Im: (Pf: (Ia, Ua))[var]", "var"},
        {"Ia[kA] * 2", "A"},
        {"Ua + Ia", "V"},
        {"2 * Ia", ""},
        {"-Ia", "A"},
        {"Ia ^ 2", ""},
        {"sin:(Ia)", ""},
        {"rms:(Ua)", "V"},
        {"frequency:()", "Hz"},
        {"i1:(Ua, Ua, Ua)", "A"},
        {"ulf:(Ia, Ib)", "V"},
        {"zl:(Ua, Ia, Ib, 0)", "Ohm"},
        {"coeffamppriv:(Ia, 1, 1)", "ном"},
        {"tormsumcur:(2, Ua" + std::string(23, ',') + ")", "V"},
        {"(Ia) [В]", "V"},
        {"Ia [V]", "A"},  // a unit right after a primary belongs to the primary
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        set.Add("F" + std::to_string(k), cases[k].first);
        set.Compute();
        EXPECT_EQ(ChannelNamed("F" + std::to_string(k)).unit, cases[k].second) << cases[k].first;
        set.RemoveAll();
    }
}

TEST_F(CalcChannelsTest, FormulaMayReferToEarlierComputedChannelsOnly)
{
    set.Add("Double", "Ia * 2");
    set.Add("Quad", "Double * 2");
    set.Compute();
    EXPECT_EQ(ChannelNamed("Quad").samples[0], 4.0);
    const Phasor quad = ChannelNamed("Quad").phasorSeries[5];
    EXPECT_NEAR(std::abs(quad - Polar(40.0, -30.0)), 0.0, 1e-12);

    set.Add("Early", "late + 1");
    set.Add("Late", "Ia");
    EXPECT_EQ(ErrorText([&] { set.Compute(); }), "Early: 'late' -  не определен");
    set.RemoveAll();
    set.Add("Self", "Self + 1");
    EXPECT_EQ(ErrorText([&] { set.Compute(); }), "Self: 'Self' -  не определен");
}

TEST_F(CalcChannelsTest, ErrorsNameTheComputedChannel)
{
    set.Add("Bad1", "Ia +");
    EXPECT_EQ(ErrorText([&] { set.Compute(); }), "Bad1: Синтаксическая ошибка в формуле");
    set.RemoveAll();
    set.Add("Bad2", "rms:(Ia, Ib)");
    EXPECT_EQ(ErrorText([&] { set.Compute(); }), "Неправильное число переменных: 'Bad2'");
    set.RemoveAll();
    set.Add("Bad3", "1.2.3");
    EXPECT_EQ(ErrorText([&] { set.Compute(); }), " не определен 'Bad3'");
}

TEST_F(CalcChannelsTest, NamesAlreadyTakenAreRefused)
{
    EXPECT_EQ(ErrorText([&] { set.Add("Ia", "Ib"); }), "Данное имя канала уже существует. - Ia");
    set.Add("ia", "Ib");
    EXPECT_EQ(ErrorText([&] { set.Add("ia", "Ic"); }), "Данное имя канала уже существует. - ia");
    // The formula's channel is the one of exactly its name, not the record's IA.
    set.Compute();
    EXPECT_EQ(fixture.record.channels[0].samples[0], 1.0);
    EXPECT_EQ(fixture.record.channels.back().samples[0], 2.0);
}

TEST_F(CalcChannelsTest, WholeRecordRecomputeComputesTheSetAfterTheChannels)
{
    set.Add("Double", "Ia * 2");
    set.Compute();
    Channel& ia = fixture.record.channels[0];
    ia.showPrimary = true;
    ia.primary = 100.0;
    RecomputeAll(fixture.document);
    EXPECT_EQ(ChannelNamed("Double").samples[0], 200.0);
}

TEST_F(CalcChannelsTest, RemoveAllTakesOnlyTheComputedChannels)
{
    set.Add("X", "Ia");
    set.Add("Y", "Ib");
    set.RemoveAll();
    EXPECT_TRUE(set.Empty());
    ASSERT_EQ(fixture.record.channels.size(), 6u);
    EXPECT_EQ(fixture.record.channels.back().name, "Uc");
}

TEST_F(CalcChannelsTest, CallsBackToTheRecordForFrequencyAndPeriod)
{
    EXPECT_EQ(set.SamplesPerPeriod(), 20u);
    fixture.record.lineFrequency = 60.7;
    EXPECT_EQ(set.SamplesPerPeriod(), 16u);
    fixture.record.lineFrequency = 0.5;
    EXPECT_EQ(set.SamplesPerPeriod(), 0u);
    EXPECT_EQ(set.Frequency(-1), 0.0);
}

TEST(FrmText, LinesSplitAtTheFirstCommaAndDropTheTrailingOne)
{
    const auto entries = ParseFrmText("I1,I1: (Ia, Ib, Ic),\r\nSum,Ia+Ib,\nraw,Ia\n,nameless,\nno comma\n\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], (FormulaEntry{"I1", "I1: (Ia, Ib, Ic)"}));
    EXPECT_EQ(entries[1], (FormulaEntry{"Sum", "Ia+Ib"}));
    EXPECT_EQ(entries[2], (FormulaEntry{"raw", "Ia"}));
}

TEST(FrmText, WrittenInTheSystemCodePageUnlessItCannotHoldTheText)
{
    const std::vector<FormulaEntry> cyrillic = {{"Ток", "\"Ток A\" * 2"}};
    const std::string bytes = FormatFrmText(cyrillic);
    EXPECT_EQ(bytes, FromUtf8("Ток,\"Ток A\" * 2,\r\n", CodePage::Windows1251));
    EXPECT_EQ(ParseFrmText(bytes), cyrillic);

    const std::vector<FormulaEntry> greek = {{"Ω", "Ia"}};
    EXPECT_EQ(FormatFrmText(greek), "Ω,Ia,\r\n");
    EXPECT_EQ(ParseFrmText(FormatFrmText(greek)), greek);
    EXPECT_EQ(ParseFrmText("\xEF\xBB\xBFΩ,Ia,\n"), greek);
}

TEST_F(CalcChannelsTest, FrmFileRoundTripReplacesTheSet)
{
    test::TempFolder folder;
    set.Add("Old", "Ia");
    set.Add("I1", "I1: (Ia, Ib, Ic)");
    set.Add("Sum", "GrsSumCur: (Ia, Ib" + std::string(22, ',') + ")");
    const std::filesystem::path file = folder / "set.frm";
    set.SaveFrm(file);

    set.RemoveAll();
    set.Add("Other", "Ib");
    set.LoadFrm(file);
    EXPECT_EQ(set.Names(), (std::vector<std::string>{"Old", "I1", "Sum"}));
    EXPECT_EQ(set.Formulas()[2], "GrsSumCur: (Ia, Ib" + std::string(22, ',') + ")");
    EXPECT_EQ(fixture.record.channels.size(), 9u);
    EXPECT_NEAR(ChannelNamed("I1").samples[0], 10.0, 1e-12);
    EXPECT_EQ(ErrorText([&] { fixture.record.FindChannel("Other"); }),
              "Имя канала задано неправильно.");
}

TEST_F(CalcChannelsTest, UnreadableFrmFileKeepsTheSet)
{
    test::TempFolder folder;
    set.Add("Keep", "Ia");
    EXPECT_THROW(set.LoadFrm(folder / "missing.frm"), FileException);
    EXPECT_EQ(set.Names(), std::vector<std::string>{"Keep"});
    EXPECT_THROW(set.SaveFrm(folder / "no" / "such" / "folder.frm"), FileException);
}

TEST_F(CalcChannelsTest, FrmPairsWhoseNameIsTakenAreReportedAfterTheOthersLoad)
{
    test::TempFolder folder;
    const auto file = folder.Write("taken.frm", "Ia,Ib,\nGood,Ic,\n");
    EXPECT_EQ(ErrorText([&] { set.LoadFrm(file); }), "Данное имя канала уже существует. - Ia");
    EXPECT_EQ(set.Names(), std::vector<std::string>{"Good"});
    EXPECT_EQ(ChannelNamed("Good").samples[0], 3.0);
    EXPECT_EQ(ChannelNamed("Ia").samples[0], 1.0);
}

TEST_F(CalcChannelsTest, SettingsEntriesRoundTripThroughTheSettingsFile)
{
    test::TempFolder folder;
    set.Add("I1", "I1: (Ia, Ib, Ic)");
    set.Add("P", "Re: (Pf: (Ia, Ua))[W]");
    set.Add("Gone", "Ia");
    SettingsStore store;
    set.SaveSettings(store.Section(kCalcChannelsSection));
    set.RemoveAll();
    set.Add("I1", "I1: (Ia, Ib, Ic)");
    set.Add("P", "Re: (Pf: (Ia, Ua))[W]");
    set.SaveSettings(store.Section(kCalcChannelsSection));
    store.Save(folder / "record.set");

    SettingsStore loaded;
    loaded.Load(folder / "record.set");
    set.RemoveAll();
    set.LoadSettings(loaded.Section(kCalcChannelsSection));
    EXPECT_EQ(set.Names(), (std::vector<std::string>{"I1", "P"}));
    EXPECT_EQ(set.Formulas()[1], "Re: (Pf: (Ia, Ua))[W]");
    EXPECT_EQ(ChannelNamed("P").unit, "W");
}

TEST_F(CalcChannelsTest, SettingsEntriesWithoutNameOrFormulaAreSkipped)
{
    SettingsSection section;
    section.SetString("Channel0", "no comma");
    section.SetString("Channel1", ",Ia");
    section.SetString("Channel2", "Empty,");
    section.SetString("Channel3", "Sum,Ia + Ib\r\nrest");
    section.SetString("Channel5", "After,Ia");
    set.LoadSettings(section);
    EXPECT_EQ(set.Entries(), (std::vector<FormulaEntry>{{"Sum", "Ia + Ib"}}));
    EXPECT_EQ(ChannelNamed("Sum").samples[0], 3.0);
}

} // namespace
} // namespace zarva
