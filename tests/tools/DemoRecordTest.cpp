#include "ComtradeOut.h"
#include "FaultNetwork.h"
#include "core/document/Document.h"
#include "core/document/RecordLoader.h"
#include "core/faultloc/FaultLocator.h"
#include "core/faultloc/LocatorText.h"
#include "core/formats/ComtradeReader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarva::demo {
namespace {

std::string ReadSample(const std::string& extension)
{
    return test::FileBytes(std::string(ZARVA_SAMPLES_DIR) + "/demo-110kv-ag-fault" + extension);
}

TEST(DemoRecord, CommittedFilesAreWhatTheGeneratorWrites)
{
    const DemoFiles files = FormatDemoRecord(kDemoParameters, Simulate(kDemoParameters));
    EXPECT_EQ(ReadSample(".cfg"), files.cfg);
    EXPECT_EQ(ReadSample(".dat"), files.dat) << "regenerate with the target demo-record-files";
    EXPECT_EQ(ReadSample(".hdr"), files.hdr);
    EXPECT_EQ(ReadSample(".set"), files.set);
}

TEST(DemoRecord, ReadsBackThroughTheRecordReaderWithoutWarnings)
{
    Document document;
    ReadComtradeFiles(document, std::string(ZARVA_SAMPLES_DIR) + "/demo-110kv-ag-fault.cfg");
    const Oscillogram& record = document.oscillogram;
    EXPECT_TRUE(record.loadWarnings.empty());
    EXPECT_EQ(record.stationText, "ПС Северная");
    ASSERT_EQ(record.channels.size(), 14u);
    EXPECT_EQ(record.channels[6].name, "3I0");
    EXPECT_EQ(record.channels[7].name, "Пуск защиты");
    EXPECT_EQ(record.sampleRate, 2400);

    // Its settings hold the line, so fault location works on opening.
    const LocationResult located = LocateFaultInRecord(record, document.lineModel).result;
    EXPECT_EQ(PhaseLetters(located), "A");
    EXPECT_NEAR(located.distance, kDemoParameters.faultDistance, 0.3);

    const DemoSamples simulated = Simulate(kDemoParameters);
    const std::vector<double>* expected[] = {
        &simulated.voltage[0], &simulated.voltage[1], &simulated.voltage[2], &simulated.current[0],
        &simulated.current[1], &simulated.current[2], &simulated.residualCurrent};
    for (std::size_t c = 0; c < 7; ++c) {
        const std::vector<double> read = record.channels[c].samples.View().ToVector();
        ASSERT_EQ(read.size(), expected[c]->size());
        for (std::size_t n = 0; n < read.size(); ++n)
            ASSERT_NEAR(read[n], (*expected[c])[n], 0.0021) << record.channels[c].name << " at " << n;
    }
}

// The computed channels that the circle and differential diagrams open on: the phase-A loop
// impedance a relay at M measures, in primary ohms, and the residual differential current.
TEST(DemoRecord, ComputedChannelsShowTheFaultToTheDiagrams)
{
    Document document;
    LoadRecord(document, std::string(ZARVA_SAMPLES_DIR) + "/demo-110kv-ag-fault.cfg", {});
    const Oscillogram& record = document.oscillogram;
    ASSERT_TRUE(record.loadWarnings.empty());
    const auto at = [&](const char* name, double seconds) {
        return record.channels[record.FindChannel(name)].PhasorSeries().At(static_cast<std::size_t>(seconds * 2400));
    };
    // A bolted fault 24 km out reads its line reactance, 24 × 0.40 Ω; the 1 Ω fault resistance
    // fed from both ends shows only in R.
    const Complex z = at("Za", 0.14);
    EXPECT_NEAR(z.imag(), 9.6, 0.5);
    EXPECT_GT(z.real(), 2.88);
    EXPECT_LT(z.real(), 6.0);
    // Before the fault the relay sees the load, far to the right.
    EXPECT_GT(at("Za", 0.06).real(), 150.0);
    // The residual current, 3I0, in multiples of the CT's 5 A.
    const double residual = std::abs(at("3I0", 0.14)) / 5.0;
    EXPECT_NEAR(record.channels[record.FindChannel("Idiff")].samples[336], residual, 0.02 * residual);
    EXPECT_NEAR(record.channels[record.FindChannel("Idiff")].samples[144], 0.0, 1e-6);
}

void ExpectNear(Complex actual, Complex expected, const char* what)
{
    EXPECT_LT(std::abs(actual - expected), 1e-6 * std::abs(expected) + 1e-9) << what;
}

// The sequence solution must satisfy the network's own equations, written independently
// of the solver: each source drives its side of the line, the two sides feed the fault,
// and the fault path holds phase A at Rf times the fault current.
TEST(DemoRecord, FaultSolutionSatisfiesTheNetworkEquations)
{
    const DemoParameters p = kDemoParameters;
    const NetworkSolution s = SolveNetwork(p);
    const Complex emfM = s.sourceM[0];
    const Complex emfN = std::polar(p.sourceNVoltage * p.nominalVoltage / std::sqrt(3.0),
                                    -p.transferAngleDeg * std::numbers::pi / 180.0);
    const double m = p.faultDistance, rest = p.lineLength - p.faultDistance;
    const Complex sourceM[3] = {p.sourceM0, p.sourceM1, p.sourceM1};
    const Complex sourceN[3] = {p.sourceN0, p.sourceN1, p.sourceN1};
    const Complex line[3] = {p.lineZ0PerKm, p.lineZ1PerKm, p.lineZ1PerKm};
    for (int k = 0; k < 3; ++k) {
        const Complex driveM = k == 1 ? emfM : 0.0;
        const Complex driveN = k == 1 ? emfN : 0.0;
        ExpectNear(driveM - (sourceM[k] + m * line[k]) * s.faultSequenceCurrentM[k],
                   s.faultSequenceVoltage[k], "from M");
        ExpectNear(driveN - (sourceN[k] + rest * line[k]) * s.faultSequenceCurrentN[k],
                   s.faultSequenceVoltage[k], "from N");
    }
    const Complex drawn = s.faultSequenceCurrentM[0] + s.faultSequenceCurrentN[0];
    ExpectNear(s.faultSequenceCurrentM[1] + s.faultSequenceCurrentN[1], drawn, "I1 = I0");
    ExpectNear(s.faultSequenceCurrentM[2] + s.faultSequenceCurrentN[2], drawn, "I2 = I0");
    const Complex faultVoltageA =
        s.faultSequenceVoltage[0] + s.faultSequenceVoltage[1] + s.faultSequenceVoltage[2];
    ExpectNear(faultVoltageA, 3.0 * drawn * p.faultResistance, "Va = Rf * 3I0");
}

double PeakBetween(const std::vector<double>& values, std::size_t from, std::size_t to)
{
    double peak = 0.0;
    for (std::size_t n = from; n < to; ++n)
        peak = std::max(peak, std::abs(values[n]));
    return peak;
}

TEST(DemoRecord, KeyFactsOfTheEvent)
{
    const DemoParameters p = kDemoParameters;
    const DemoSamples s = Simulate(p);
    ASSERT_EQ(s.time.size(), 960u);
    const std::size_t inception = 240, period = 48;

    // Phase A is the faulted one, its current offset by a decaying DC component.
    const double load = PeakBetween(s.current[0], 0, inception);
    EXPECT_GT(PeakBetween(s.current[0], inception, inception + 2 * period), 6 * load);
    for (int k : {1, 2})
        EXPECT_LT(PeakBetween(s.current[k], inception, inception + 2 * period), 1.5 * load);
    EXPECT_LT(PeakBetween(s.voltage[0], inception + period, inception + 2 * period),
              0.8 * PeakBetween(s.voltage[0], 0, inception));
    double firstCycle = 0.0;
    for (std::size_t n = inception; n < inception + period; ++n)
        firstCycle += s.current[0][n] / period;
    EXPECT_GT(std::abs(firstCycle), 0.2 * load);

    // Nothing changes before inception; the currents are gone, and the start and trip
    // signals reset, after the breaker.
    EXPECT_EQ(std::find(s.start.begin(), s.start.end(), 1) - s.start.begin(),
              static_cast<long>(std::ceil((p.faultInception + p.startDelay) * p.sampleRate)));
    const double contactsPart = p.faultInception + p.tripDelay + p.breakerOpeningTime;
    for (double clearing : s.poleClearing) {
        EXPECT_GT(clearing, contactsPart);
        EXPECT_LT(clearing, contactsPart + 0.5 / p.frequency);
    }
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(PeakBetween(s.current[k], 432, s.time.size()), 0.0);
    EXPECT_EQ(s.trip.back() + s.start.back(), 0);
}

} // namespace
} // namespace zarva::demo
