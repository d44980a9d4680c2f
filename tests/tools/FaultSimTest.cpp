// The simulator checked against textbook network solutions written independently of it.
#include "SimulatedRecord.h"
#include "StandardNetwork.h"
#include "core/document/Document.h"
#include "core/dsp/WindowMeasures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zarva::sim {
namespace {

const Complex kA = std::polar(1.0, 2.0 * std::numbers::pi / 3.0);

Complex Positive(const PhaseSet& x)
{
    return (x[0] + kA * x[1] + kA * kA * x[2]) / 3.0;
}

void ExpectClose(Complex actual, Complex expected, double relative, const char* what)
{
    EXPECT_LT(std::abs(actual - expected), relative * std::abs(expected)) << what << ": " << actual << " vs " << expected;
}

NetworkData OneSection(double c1)
{
    NetworkData network = StandardNetwork(15.0);
    network.sections = {{.length = 80.0, .z1 = {0.1, 0.42}, .z0 = {0.3, 1.2}, .c1 = c1, .c0 = c1 * 0.6}};
    return network;
}

// Without shunt capacitance: the symmetrical-component solution of an earth fault through Rf,
// with the pre-fault voltage at the fault point from the load flow.
TEST(FaultSim, EarthFaultMatchesTheSequenceNetworks)
{
    const NetworkData network = OneSection(0.0);
    const FaultData fault{FaultKind::AG, 30.0, 7.0};
    const NetworkState state = SolveNetwork(network, &fault);
    const LineSectionData& line = network.sections[0];
    const Complex em = SourceEmf(network, network.sourceM)[0];
    const Complex en = SourceEmf(network, network.sourceN)[0];
    const auto parallel = [](Complex a, Complex b) { return a * b / (a + b); };
    const Complex m1 = network.sourceM.z1 + fault.distance * line.z1;
    const Complex n1 = network.sourceN.z1 + (line.length - fault.distance) * line.z1;
    const Complex m0 = network.sourceM.z0 + fault.distance * line.z0;
    const Complex n0 = network.sourceN.z0 + (line.length - fault.distance) * line.z0;
    const Complex load = (em - en) / (m1 + n1);
    const Complex before = em - m1 * load;
    const Complex i0 = before / (2.0 * parallel(m1, n1) + parallel(m0, n0) + 3.0 * fault.resistance);
    ExpectClose(state.faultCurrent[0], 3.0 * i0, 1e-6, "fault current");
    EXPECT_LT(std::abs(state.faultCurrent[1]), 1e-6);
    ExpectClose(state.faultVoltage[0], fault.resistance * 3.0 * i0, 1e-6, "fault voltage");
    const Complex fromM = load + i0 * n1 / (m1 + n1);  // positive sequence at M
    ExpectClose(Positive(state.m.current), fromM, 1e-6, "I1 at M");
}

// With it: the healthy line's ends obey the long-line equations.
TEST(FaultSim, HealthyLineObeysTheLongLineEquations)
{
    const NetworkData network = OneSection(9e-9);
    const NetworkState state = SolveNetwork(network, nullptr);
    const LineSectionData& line = network.sections[0];
    const Complex y(0.0, 2.0 * std::numbers::pi * network.frequency * line.c1);
    const Complex gamma = std::sqrt(line.z1 * y);
    const Complex surge = std::sqrt(line.z1 / y);
    const Complex um = Positive(state.m.voltage);
    const Complex im = Positive(state.m.current);
    const Complex gl = gamma * line.length;
    ExpectClose(Positive(state.n.voltage), um * std::cosh(gl) - surge * im * std::sinh(gl), 1e-9, "U at N");
    ExpectClose(-Positive(state.n.current), im * std::cosh(gl) - um / surge * std::sinh(gl), 1e-9, "I at N");
    EXPECT_GT(std::abs(Positive(state.m.current) + Positive(state.n.current)), 20.0) << "the line charges";
}

// The record: continuous currents at inception, and the steady states as the window
// measures read them back, in secondary values.
TEST(FaultSim, WaveformsCarryTheSteadyStates)
{
    const NetworkData network = StandardNetwork(20.0, true, true);
    const FaultData fault{FaultKind::BC, 40.0, 1.0};
    RecordTiming timing;
    timing.noise = 0.0;
    timing.faultDuration = 0.15;
    const SimulatedRecord record = SimulateRecord(network, &fault, timing);
    Document document;
    FillDocument(document, record);
    const Oscillogram& oscillogram = document.oscillogram;
    const Channel& ib = oscillogram.channels[oscillogram.FindChannel(kStationM.ib)];
    const std::size_t inception = 200;
    const double step = std::abs(ib.samples[inception] - ib.samples[inception - 1]);
    EXPECT_LT(step, 0.2 * std::abs(record.fault.m.current[1]) / 1000.0) << "no jump at inception";

    const double turn = 2.0 * std::numbers::pi * 50.0 / 2000.0;
    const auto phasorAt = [&](const char* name, std::size_t pos) {
        const Channel& channel = oscillogram.channels[oscillogram.FindChannel(name)];
        return FirstHarmonicPhasor(channel, static_cast<std::int64_t>(pos)) * std::polar(1.0, -turn * pos);
    };
    ExpectClose(phasorAt(kStationN.ua, 150), record.preFault.n.voltage[0] / 2200.0, 1e-4, "Ua at N before");
    ExpectClose(phasorAt(kStationM.uab, 450), (record.fault.m.voltage[0] - record.fault.m.voltage[1]) / 2200.0,
                1e-4, "Uab at M during");
    ExpectClose(phasorAt(kStationM.ib, 480), record.fault.m.current[1] / 1000.0, 2e-3, "Ib at M, DC decayed");
    EXPECT_LT(std::abs(phasorAt(kStationM.ia, 560)), 1e-9) << "the breakers have cleared";
}

} // namespace
} // namespace zarva::sim
