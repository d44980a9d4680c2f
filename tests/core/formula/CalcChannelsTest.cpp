#include "FormulaTestRecord.h"

#include "core/document/Recompute.h"
#include "core/formula/CalcChannels.h"
#include "core/model/CodePage.h"
#include "core/storage/SettingsStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace zarva {
namespace {

using test::ErrorText;
using test::FormulaTestRecord;
using test::Polar;

class CalcChannelsTest : public ::testing::Test {
protected:
    CalcChannelsTest() { fixture.AddPhaseSet(); }

    const Channel& ChannelNamed(const std::string& name) const { return fixture.Named(name); }

    // The error that left formula k without values.
    std::string FailureText(std::size_t k) const
    {
        const CZarvaException* failure = set.Failure(k);
        return failure != nullptr ? failure->what() : "no error";
    }

    // Computes the set; the error of its last formula.
    std::string ComputeError()
    {
        set.Compute();
        return FailureText(set.Names().size() - 1);
    }

    static bool NoValues(const Channel& channel)
    {
        return channel.samples.Size() == 40 && channel.suppliedPhasors == nullptr &&
               std::ranges::all_of(channel.samples.View().ToVector(), [](double x) { return std::isnan(x); });
    }

    FormulaTestRecord fixture;
    CalcChannels& set = fixture.record.calcChannels;
    test::TempFolder folder;
};

TEST_F(CalcChannelsTest, AddingCreatesTheChannelsAndComputeFillsThemByTheKindOfResult)
{
    const std::size_t before = fixture.record.channels.size();
    set.Add("Sum", "Ia + Ib * 2");
    set.Add("P", "pf:(Ia, Ua)");
    set.Add("R", "sin:(30) * Ia");
    ASSERT_EQ(fixture.record.channels.size(), before + 3);
    EXPECT_EQ(ChannelNamed("Sum").samples.View().ToVector(), std::vector<double>(40, 0.0));
    set.Compute();
    const Channel& sum = ChannelNamed("Sum");
    EXPECT_EQ(sum.samples.View().ToVector(), std::vector<double>(40, 5.0));
    ASSERT_EQ(sum.suppliedPhasors->size(), 40u);
    EXPECT_EQ((*sum.suppliedPhasors)[7], Polar(10.0, -30.0) + Polar(10.0, -150.0) * 2.0);
    EXPECT_EQ(sum.unit, "A");
    EXPECT_TRUE(sum.HasFlag(display::kSuppliedPhasors));
    // A phasor-only result stores its real part as samples, a real-only one no phasors.
    const Channel& power = ChannelNamed("P");
    EXPECT_NEAR(power.samples.At(0), 1000.0 * std::cos(std::numbers::pi / 6), 1e-9);
    EXPECT_EQ(power.suppliedPhasors->size(), 40u);
    EXPECT_EQ(power.unit, "W");
    EXPECT_EQ(ChannelNamed("R").suppliedPhasors, nullptr);
    EXPECT_NEAR(ChannelNamed("R").samples.At(3), 0.5, 1e-15);
}

TEST_F(CalcChannelsTest, AFailingFormulaLeavesItsChannelWithoutValuesAndTheOthersGoOn)
{
    set.Add("First", "Ia * 2");
    set.Add("Second", "pf:(1, 1) + null");
    set.Add("Third", "Ia * 3");
    set.Add("Fourth", "Second + First");
    set.Compute();
    EXPECT_EQ(FailureText(0), "no error");
    EXPECT_EQ(FailureText(1), "Second: Результат не действителен");
    EXPECT_EQ(FailureText(3), "Fourth: 'Second' -  не определен");
    EXPECT_EQ(ChannelNamed("First").samples.At(0), 2.0);
    EXPECT_EQ(ChannelNamed("Third").samples.At(0), 3.0);
    EXPECT_TRUE(NoValues(ChannelNamed("Second")));
    EXPECT_TRUE(NoValues(ChannelNamed("Fourth")));
}

TEST_F(CalcChannelsTest, UnitComesFromATrailingDimensionOrTheUnitRules)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Mod:(Pf: (Ia, Ua))[VA]", "VA"}, {"Im: (Pf: (Ia, Ua))[var]", "var"}, {"Ia[kA] * 2", "A"},
        {"Ua + Ia", "V"}, {"2 * Ia", ""}, {"-Ia", "A"}, {"Ia ^ 2", ""}, {"sin:(Ia)", ""}, {"rms:(Ua)", "V"},
        {"frequency:()", "Hz"}, {"i1:(Ua, Ua, Ua)", "A"}, {"ulf:(Ia, Ib)", "V"}, {"zl:(Ua, Ia, Ib, 0)", "Ohm"},
        {"coeffamppriv:(Ia, 1, 1)", "ном"}, {"tormsumcur:(2, Ua" + std::string(23, ',') + ")", "V"},
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
    EXPECT_EQ(ChannelNamed("Quad").samples.At(0), 4.0);
    const Phasor quad = ChannelNamed("Quad").PhasorSeries().At(5);
    EXPECT_NEAR(std::abs(quad - Polar(40.0, -30.0)), 0.0, 1e-12);

    set.Add("Early", "late + 1");
    set.Add("Late", "Ia");
    set.Compute();
    EXPECT_EQ(FailureText(2), "Early: 'late' -  не определен");
}

TEST_F(CalcChannelsTest, ErrorsNameTheComputedChannel)
{
    const std::vector<std::array<std::string, 3>> cases = {
        {"Self", "Self + 1", "Self: 'Self' -  не определен"},
        {"Пуск", "пуск + 1", "Пуск: 'пуск' -  не определен"},
        {"Bad", "null", "Bad: Результат не действителен"},
        {"Bad1", "Ia +", "Bad1: Синтаксическая ошибка в формуле"},
        {"Bad2", "rms:(Ia, Ib)", "Неправильное число переменных: 'Bad2'"},
        {"Bad3", "1.2.3", " не определен 'Bad3'"},
        {"Bad4", "Ia + \"I x\" * 2", "Имя канала задано неправильно. - Bad4: 'I x'"},
    };
    for (const auto& [name, formula, message] : cases) {
        set.Add(name, formula);
        EXPECT_EQ(ComputeError(), message);
        set.RemoveAll();
    }
}

TEST_F(CalcChannelsTest, NamesAlreadyTakenAreRefused)
{
    EXPECT_EQ(ErrorText([&] { set.Add("Ia", "Ib"); }), "Данное имя канала уже существует. - Ia");
    set.Add("ia", "Ib");
    EXPECT_EQ(ErrorText([&] { set.Add("ia", "Ic"); }), "Данное имя канала уже существует. - ia");
    // The formula's channel is the one of exactly its name, not the record's IA.
    set.Compute();
    EXPECT_EQ(fixture.record.channels[0].samples.At(0), 1.0);
    EXPECT_EQ(fixture.record.channels.back().samples.At(0), 2.0);
}

TEST_F(CalcChannelsTest, AFormulaAddedFromTheDesktopIsKeptOnlyWhenItComputes)
{
    set.AddComputed("Double", "Ia * 2");
    EXPECT_EQ(ChannelNamed("Double").samples.At(0), 2.0);
    const std::size_t channels = fixture.record.channels.size();
    EXPECT_EQ(ErrorText([&] { set.AddComputed("Bad", "rms:(Ia, Ib)"); }), "Неправильное число переменных: 'Bad'");
    EXPECT_EQ(set.Names(), std::vector<std::string>{"Double"});
    EXPECT_EQ(fixture.record.channels.size(), channels);
}

TEST_F(CalcChannelsTest, RemovingOneKeepsTheOthersAndRefusesWhileAnotherFormulaNeedsIt)
{
    set.Add("Double", "Ia * 2");
    set.Add("Quad", "Double * 2");
    set.Add("Half", "Ia / 2");
    set.Add("Broken", "Ia + + double");
    set.Compute();
    const std::vector<std::string> names{"Double", "Quad", "Half", "Broken"};

    // Case ignored, as formulas find channels.
    EXPECT_EQ(ErrorText([&] { set.Remove("Double"); }),
              "Вычисляемый канал Double нельзя удалить: на него ссылается формула канала Quad");
    EXPECT_EQ(set.Names(), names);

    set.Remove("Quad");
    set.Remove("Broken");
    set.Remove("Double");
    EXPECT_EQ(set.Names(), std::vector<std::string>{"Half"});
    EXPECT_EQ(ChannelNamed("Half").samples.At(0), 0.5);
    EXPECT_THROW(ChannelNamed("Double"), CZarvaException);
    set.Remove("Ia");  // not computed: nothing happens
    EXPECT_EQ(ChannelNamed("Ia").samples.At(0), 1.0);
}

TEST_F(CalcChannelsTest, WholeRecordRecomputeComputesTheSetAfterTheChannels)
{
    set.Add("Double", "Ia * 2");
    set.Compute();
    Channel& ia = fixture.record.channels[0];
    ia.showPrimary = true;
    ia.primary = 100.0;
    RecomputeAll(fixture.document);
    EXPECT_EQ(ChannelNamed("Double").samples.At(0), 200.0);
}

TEST_F(CalcChannelsTest, RenamingKeepsEveryFormulaOnTheChannelsItReferredTo)
{
    set.Add("Sum", "Ia + \"Ib\"");
    set.Add("Double", "sum * 2 + ia[A]");
    const std::size_t sum = fixture.record.FindChannel("Sum");
    EXPECT_FALSE(set.IsReferenced(sum + 1));
    set.RenameChannel(sum, "Сумма токов");
    EXPECT_EQ(fixture.record.channels[sum].channelId, "Сумма токов");
    // A name that only now matches a reference exactly takes it over: that reference is
    // written as the name of the channel it found before.
    set.RenameChannel(fixture.record.FindChannel("Ib"), "IA");
    set.RenameChannel(0, "Pickup");
    EXPECT_EQ(set.Formulas()[0], "\"Pickup\" + IA");
    EXPECT_EQ(set.Formulas()[1], "\"Сумма токов\" * 2 + \"Pickup\"[A]");
    set.Compute();
    EXPECT_EQ(FailureText(1), "no error");
    EXPECT_EQ(ChannelNamed("Double").samples.At(0), 7.0);
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
    EXPECT_EQ(ParseFrmText("I1,I1: (Ia, Ib, Ic),\r\nSum,Ia+Ib,\nraw,Ia\n,nameless,\nno comma\n\n"),
              (std::vector<FormulaEntry>{{"I1", "I1: (Ia, Ib, Ic)"}, {"Sum", "Ia+Ib"}, {"raw", "Ia"}}));
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

TEST_F(CalcChannelsTest, FrmFileRoundTripReplacesTheSetAndAnUnreadableOneKeepsIt)
{
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
    EXPECT_NEAR(ChannelNamed("I1").samples.At(0), 10.0, 1e-12);
    EXPECT_EQ(ErrorText([&] { fixture.record.FindChannel("Other"); }),
              "Имя канала задано неправильно.");

    // A file that cannot be read leaves the set as it is.
    EXPECT_THROW(set.LoadFrm(folder / "missing.frm"), FileException);
    EXPECT_EQ(set.Names(), (std::vector<std::string>{"Old", "I1", "Sum"}));
    EXPECT_THROW(set.SaveFrm(folder / "no" / "such" / "folder.frm"), FileException);
}

TEST_F(CalcChannelsTest, PairsWhoseNameIsTakenAreKeptWithoutAChannelAndNeverTouchTheOther)
{
    const auto file = folder.Write("taken.frm", "Ia,Ib,\nGood,Ic + Ia,\n");
    set.LoadFrm(file);
    EXPECT_EQ(set.Names(), (std::vector<std::string>{"Ia", "Good"}));
    EXPECT_FALSE(set.HasChannel(0));
    EXPECT_EQ(FailureText(0), "Данное имя канала уже существует. - Ia");
    EXPECT_EQ(FailureText(1), "no error") << "a taken name does not hide the channel from earlier formulas";
    EXPECT_EQ(ChannelNamed("Good").samples.At(0), 4.0);
    EXPECT_EQ(ChannelNamed("Ia").samples.At(0), 1.0);
    set.RemoveAll();
    EXPECT_EQ(fixture.record.channels.size(), 6u);
    EXPECT_EQ(ChannelNamed("Ia").samples.At(0), 1.0);
}

TEST_F(CalcChannelsTest, SettingsEntriesRoundTripThroughTheSettingsFile)
{
    set.Add("I1", "I1: (Ia, Ib, Ic)");
    set.Add("P", "Re: (Pf: (Ia, Ua))[W]");
    set.Add("Gone", "Ia");
    SettingsStore store;
    set.SaveSettings(store.Section(kCalcChannelsSection));
    // Saving a shorter set leaves no entry of the longer one behind.
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
    EXPECT_EQ(ChannelNamed("Sum").samples.At(0), 3.0);
}

} // namespace
} // namespace zarva
