// The pages' channels on simulated faults: loop impedances against the line's own impedance to
// the fault, differential currents against the currents the legs carry.
#include "SimulatedRecord.h"
#include "StandardNetwork.h"
#include "core/analysis/DifferentialPage.h"
#include "core/analysis/ImpedancePages.h"
#include "core/analysis/QuickAnalysis.h"
#include "core/analysis/SymmetricalPages.h"
#include "core/document/Document.h"
#include "core/formula/FormulaTestRecord.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

using test::Polar;

constexpr double kDistance = 30.0;  // km from M
const sim::LineSectionData kLine{.length = 80.0, .z1 = {0.1, 0.42}, .z0 = {0.3, 1.2}, .c1 = 0.0, .c0 = 0.0};

struct FaultRecord {
    Document document;
    Oscillogram& record = document.oscillogram;
    std::int64_t inFault = 0;
};

// A bolted fault 30 km from M on one section without shunt capacitance, recorded without noise.
void Simulate(FaultRecord& out, sim::FaultKind kind)
{
    sim::NetworkData network = sim::StandardNetwork(10.0);
    network.sections = {kLine};
    const sim::FaultData fault{kind, kDistance, 0.0};
    sim::RecordTiming timing;
    timing.noise = 0.0;
    timing.faultDuration = 0.3;  // long enough for the offset to die away
    timing.duration = 0.5;
    sim::FillDocument(out.document, sim::SimulateRecord(network, &fault, timing));
    out.document.lineModel = sim::LocatorModel(network, 2);
    out.inFault = static_cast<std::int64_t>((timing.inception + 0.25) * timing.sampleRate);
}

// The line's impedance to the fault in the secondary ohms the record holds.
Phasor ExpectedLoop()
{
    const sim::Transformers t;
    return kLine.z1 * kDistance * (t.ctPrimary / t.ctSecondary) / (t.vtPrimary / t.vtSecondary);
}

void ExpectWithinOnePercent(const FaultRecord& fault, const std::string& name)
{
    const Channel& channel = fault.record.channels[fault.record.FindChannel(name)];
    const Phasor z = channel.suppliedPhasors->at(static_cast<std::size_t>(fault.inFault));
    EXPECT_LT(std::abs(z - ExpectedLoop()), 0.01 * std::abs(ExpectedLoop())) << name << ": " << z;
    EXPECT_NEAR(channel.samples.At(static_cast<std::size_t>(fault.inFault)), std::abs(z), 1e-9);
}

TEST(QuickAnalysisOnFaults, EarthLoopWithTheModelsCompensationMeasuresTheLineToTheFault)
{
    FaultRecord fault;
    Simulate(fault, sim::FaultKind::AG);
    PhaseImpedanceChoices choices;
    choices.Prefill(fault.record);
    FormulaPlan plan(fault.record);
    choices.Plan(plan, fault.document.lineModel);
    AddPlanned(fault.record, plan.Entries());
    ExpectWithinOnePercent(fault, "ZfA");

    // The same factor typed on the page.
    choices.lineFromModel = false;
    choices.line = {.r1 = 0.1, .x1 = 0.42, .r0 = 0.3, .x0 = 1.2};
    FormulaPlan typed(fault.record);
    choices.Plan(typed, {});
    AddPlanned(fault.record, typed.Entries());
    ExpectWithinOnePercent(fault, "ZfA_2");
}

TEST(QuickAnalysisOnFaults, PhaseToPhaseLoopFromPhaseVoltagesMeasuresTheLineToTheFault)
{
    FaultRecord fault;
    Simulate(fault, sim::FaultKind::BC);
    LineImpedanceChoices choices;
    choices.Prefill(fault.record);
    choices.phaseVoltages = true;
    FormulaPlan plan(fault.record);
    choices.Plan(plan);
    EXPECT_EQ(plan.Entries()[0].formula, "Ulf: (UA1, UB1)");
    AddPlanned(fault.record, plan.Entries());
    ExpectWithinOnePercent(fault, "ZlBC");
}

TEST(QuickAnalysisOnFaults, ZeroSequenceFromPhasesAndTheAngleBetween)
{
    test::FormulaTestRecord test;
    test.Add("Ia", 0, Polar(6.0, -80.0), "A");
    test.Add("Ib", 0, {}, "A");
    test.Add("Ic", 0, {}, "A");
    test.Add("Ua", 0, Polar(20.0, 0.0), "V");
    test.Add("Ub", 0, Polar(100.0, -120.0), "V");
    test.Add("Uc", 0, Polar(100.0, 120.0), "V");
    ZeroSequenceChoices choices;
    choices.Prefill(test.record);
    FormulaPlan plan(test.record);
    choices.Plan(plan);
    AddPlanned(test.record, plan.Entries());
    test::ExpectPhasorNear(test.Named("3I0").PhasorSeries().At(30), Polar(6.0, -80.0), 1e-9);
    test::ExpectPhasorNear(test.Named("3U0").PhasorSeries().At(30), Polar(80.0, 180.0), 1e-9);
    EXPECT_NEAR(test.Named("Fi0").samples[30], 100.0, 1e-9);
}

// Two legs of a Yd11 transformer: the delta side's currents lead the star side's by 30° and
// flow out on through-load. Reduced to the rated currents they cancel; a fault inside fed
// from the star side alone leaves its reduced current as the differential.
TEST(QuickAnalysisOnFaults, DifferentialCurrentCancelsOnThroughLoadAndEqualsAnInternalFault)
{
    test::FormulaTestRecord test;
    const double hvRated = 40000.0 / (std::sqrt(3.0) * 110.0);  // A, 40 MVA at 110 kV
    const double lvRated = 40000.0 / (std::sqrt(3.0) * 10.0);
    const double load = 0.8;  // per unit
    const char* phases[3] = {"a", "b", "c"};
    for (int p = 0; p < 3; ++p) {
        const double angle = -120.0 * p;
        test.Add(std::string("I1") + phases[p], 0, Polar(load * hvRated, angle), "A");
        test.Add(std::string("I2") + phases[p], 0, Polar(load * lvRated, angle + 30.0 + 180.0), "A");
        test.Add(std::string("J1") + phases[p], 0, Polar(3.0 * hvRated, angle - 70.0), "A");
        test.Add(std::string("J2") + phases[p], 0, {}, "A");
    }
    DifferentialChoices choices;
    choices.legs[0] = {.ia = "I1a", .ib = "I1b", .ic = "I1c", .reduction = LegReduction::RatedPower,
                       .power = 40000.0, .voltage = 110.0, .removeZeroSequence = true};
    choices.legs[1] = {.ia = "I2a", .ib = "I2b", .ic = "I2c", .reduction = LegReduction::NominalCurrent,
                       .nominalCurrent = lvRated, .group = 11};
    FormulaPlan through(test.record);
    const auto pairs = choices.Plan(through);
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[1], (ChannelPair{"IbiasB", "IdiffB", true}));
    AddPlanned(test.record, through.Entries());
    for (const char* name : {"IdiffA", "IdiffB", "IdiffC"})
        EXPECT_NEAR(test.Named(name).samples[30], 0.0, 1e-9) << name;
    EXPECT_NEAR(test.Named("IbiasA").samples[30], load, 1e-9);

    choices.legs[0].ia = "J1a", choices.legs[0].ib = "J1b", choices.legs[0].ic = "J1c";
    choices.legs[1].ia = "J2a", choices.legs[1].ib = "J2b", choices.legs[1].ic = "J2c";
    FormulaPlan inside(test.record);
    const auto internal = choices.Plan(inside);
    AddPlanned(test.record, inside.Entries());
    EXPECT_NEAR(test.Named(internal[0].second).samples[30], 3.0, 1e-9);
    EXPECT_NEAR(test.Named(internal[2].second).samples[30], 3.0, 1e-9);
}

} // namespace
} // namespace zarva
