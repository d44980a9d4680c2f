#include "core/analysis/DifferentialPage.h"
#include "core/analysis/PhaseGuess.h"
#include "core/analysis/QuickAnalysis.h"
#include "core/analysis/SymmetricalPages.h"
#include "core/storage/SettingsSection.h"
#include "core/formats/SettingsFile.h"
#include "core/formula/FormulaTestRecord.h"
#include "support/RecordBuilder.h"
#include "support/SavedRecord.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

using test::FormulaTestRecord;
using test::Polar;

Phasor PhasorOf(const FormulaTestRecord& test, const std::string& name)
{
    return test.Named(name).PhasorSeries().At(30);
}

std::vector<std::string> NamesOf(const FormulaPlan& plan)
{
    std::vector<std::string> names;
    for (const FormulaEntry& entry : plan.Entries())
        names.push_back(entry.name);
    return names;
}

TEST(QuickAnalysis, GuessesPhasesFromNamesAndPhaseFields)
{
    FormulaTestRecord test;
    test.Add("I_A", 0, {}, "A");
    test.Add("Ток фазы В", 0, {}, "A");
    test.Add("IC1", 0, {}, "A");
    test.Add("UAB1", 0, {}, "V");
    test.Add("3I0 линии", 0, {}, "A");
    test.Add("Канал 7", 0, {}, "V").phase = "C";
    const Oscillogram& r = test.record;
    EXPECT_EQ(GuessChannel(r, Quantity::Current, Phase::A), "I_A");
    EXPECT_EQ(GuessChannel(r, Quantity::Current, Phase::B), "Ток фазы В");
    EXPECT_EQ(GuessChannel(r, Quantity::Current, Phase::C), "IC1");
    EXPECT_EQ(GuessChannel(r, Quantity::Voltage, Phase::AB), "UAB1");
    EXPECT_EQ(GuessChannel(r, Quantity::Current, Phase::N), "3I0 линии");
    EXPECT_EQ(GuessChannel(r, Quantity::Voltage, Phase::C), "Канал 7");
    EXPECT_EQ(GuessChannel(r, Quantity::Voltage, Phase::A), "");
}

// An unbalanced set whose components are worked out by hand: only phase A carries current;
// the phase voltages are balanced, so the line voltages give U1 = Ua and no U2.
TEST(QuickAnalysis, SymmetricalComponentsOfAPrefilledRecord)
{
    FormulaTestRecord test;
    test.Add("Ia", 0, Polar(9.0, 20.0), "A");
    test.Add("Ib", 0, {}, "A");
    test.Add("Ic", 0, {}, "A");
    test.Add("Uab", 0, Polar(100.0 * std::sqrt(3.0), 30.0), "V");
    test.Add("Ubc", 0, Polar(100.0 * std::sqrt(3.0), -90.0), "V");
    test.Add("I1", 0, {}, "A");
    test.Add("i2", 0, {}, "A");
    SymmetricalChoices choices;
    choices.phaseVoltages = false;
    choices.Prefill(test.record);
    FormulaPlan plan(test.record);
    choices.Plan(plan);
    EXPECT_EQ(NamesOf(plan), (std::vector<std::string>{"I1_2", "I2_2", "3I0", "U1", "U2"}));
    AddPlanned(test.record, plan.Entries());
    test::ExpectPhasorNear(PhasorOf(test, "I1_2"), Polar(3.0, 20.0), 1e-9);
    test::ExpectPhasorNear(PhasorOf(test, "I2_2"), Polar(3.0, 20.0), 1e-9);
    test::ExpectPhasorNear(PhasorOf(test, "3I0"), Polar(9.0, 20.0), 1e-9);
    test::ExpectPhasorNear(PhasorOf(test, "U1"), Polar(100.0, 0.0), 1e-9);
    test::ExpectPhasorNear(PhasorOf(test, "U2"), {}, 1e-9);

    FormulaPlan again(test.record);
    choices.Plan(again);
    EXPECT_EQ(NamesOf(again)[0], "I1_3");
}

// Ib from Ia, Ic and the residual current: the sequence channels read it under the name it was
// given beside the record's own Ib.
TEST(QuickAnalysis, CalculatedIbIsReadByItsUniqueName)
{
    FormulaTestRecord test;
    test.Add("Ia", 0, Polar(10.0, -30.0), "A");
    test.Add("Ib", 0, {}, "A");
    test.Add("Ic", 0, Polar(10.0, 90.0), "A");
    test.Add("3I0", 0, {}, "A");
    SymmetricalChoices choices;
    choices.Prefill(test.record);
    choices.calculateIb = true;
    choices.voltagesOff = true;
    FormulaPlan plan(test.record);
    choices.Plan(plan);
    ASSERT_EQ(NamesOf(plan), (std::vector<std::string>{"Ib_2", "I1", "I2"}));
    EXPECT_EQ(plan.Entries()[1].formula, "I1: (Ia, \"Ib_2\", Ic)");
    AddPlanned(test.record, plan.Entries());
    test::ExpectPhasorNear(PhasorOf(test, "Ib_2"), Polar(10.0, -150.0), 1e-9);
    test::ExpectPhasorNear(PhasorOf(test, "I1"), Polar(10.0, -30.0), 1e-9);
    test::ExpectPhasorNear(PhasorOf(test, "I2"), {}, 1e-9);
}

TEST(QuickAnalysis, BothGroupsOffAddNothingAndChoicesSurviveTheSettings)
{
    FormulaTestRecord test;
    test.AddPhaseSet();
    SymmetricalChoices choices;
    choices.Prefill(test.record);
    choices.currentsOff = choices.voltagesOff = true;
    FormulaPlan plan(test.record);
    choices.Plan(plan);
    EXPECT_TRUE(plan.Entries().empty());

    choices.phaseVoltages = false;
    SettingsSection section;
    choices.Save(section);
    EXPECT_EQ(section.GetString("IB"), "Ib");
    EXPECT_EQ(section.GetInt("lineVoltState", 0), 1);
    SymmetricalChoices read;
    read.Load(section);
    EXPECT_EQ(read.ib, "Ib");
    EXPECT_TRUE(read.currentsOff && read.voltagesOff && !read.phaseVoltages);
}

TEST(QuickAnalysis, MissingChannelIsNamed)
{
    FormulaTestRecord test;
    test.Add("Ia", 0, {}, "A");
    SymmetricalChoices choices;
    choices.Prefill(test.record);
    choices.voltagesOff = true;
    FormulaPlan plan(test.record);
    EXPECT_EQ(test::ErrorText([&] { choices.Plan(plan); }), "Канал отсутствует - Ib");
}

// The differential page's pairs go on the differential diagram: drawn at once and after the
// record is saved and read again. A pair listed before is shown again rather than repeated,
// and one the engineer chose stays as it was.
TEST(QuickAnalysis, DifferentialPairsGoOnTheDiagramAndStayWithTheRecord)
{
    const test::TempFolder folder;
    test::RecordBuilder builder;
    for (const char* id : {"I1a", "I1b", "I1c", "I2a", "I2b", "I2c"})
        builder.Analog({.id = id, .unit = "A"});
    const std::filesystem::path cfg = builder.Ramp(100).Write(folder, "d");
    const auto document = test::ReadRecord(cfg);
    WritePairs(document->settings, ChartKind::Differential, {{"I1a", "I2a", false}, {"IbiasB", "IdiffB", false}});
    DifferentialChoices choices;
    choices.legs[0] = {.ia = "I1a", .ib = "I1b", .ic = "I1c"};
    choices.legs[1] = {.ia = "I2a", .ib = "I2b", .ic = "I2c"};
    FormulaPlan plan(document->oscillogram);
    const std::vector<ChannelPair> made = choices.Plan(plan);
    AddPlanned(document->oscillogram, plan.Entries());
    ShowPairs(document->settings, ChartKind::Differential, made);

    const std::vector<ChannelPair> expected{
        {"I1a", "I2a", false}, {"IbiasB", "IdiffB", true}, {"IbiasA", "IdiffA", true}, {"IbiasC", "IdiffC", true}};
    EXPECT_EQ(ReadPairs(document->settings, ChartKind::Differential), expected);
    WriteSettings(*document, folder / "d.set");
    const auto reopened = test::ReadRecord(cfg);
    const std::vector<ChannelPair> pairs = ReadPairs(reopened->settings, ChartKind::Differential);
    EXPECT_EQ(pairs, expected);
    const std::vector<Trajectory> drawn = DiffTrajectories(reopened->oscillogram, pairs, {0, 99}, 50);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[1].name, "IbiasA IdiffA");
    EXPECT_EQ(drawn[1].points.size(), 100u);
}

} // namespace
} // namespace zarva
