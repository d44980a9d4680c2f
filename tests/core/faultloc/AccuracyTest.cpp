// Every algorithm over a grid of simulated faults: the ten kinds of fault at 10, 50 and 90 %
// of the line, through 0, 5 and 20 ohm, at load angles 0 and 20 degrees, on the two-section
// line with a parallel circuit and a tap.
#include "SimulatedRecord.h"
#include "StandardNetwork.h"
#include "core/document/Document.h"
#include "core/faultloc/FaultLocator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>

namespace zarva {
namespace {

using namespace sim;

struct Case {
    FaultKind kind;
    double share;
    double resistance;
    double loadAngle;
};

struct Outcome {
    Case c;
    double errorPercent;  // of the line length; 100 when no fault on the line was found
    double boundPercent;  // what the isolated-neutral reactance rule allows
};

std::vector<Case> Grid()
{
    std::vector<Case> grid;
    for (FaultKind kind : kAllFaultKinds)
        for (double share : {0.1, 0.5, 0.9})
            for (double resistance : {0.0, 5.0, 20.0})
                for (double angle : {0.0, 20.0})
                    grid.push_back({kind, share, resistance, angle});
    return grid;
}

// The isolated-neutral loop's reactance error: Rf times the imaginary part of the fault
// loop current over the measured loop current, over the line's reactance per km.
double ReactanceBound(const NetworkData& network, const SimulatedRecord& record, const FaultData& fault)
{
    const std::array<bool, 3> phases = FaultPhases(fault.kind);
    std::size_t p = 2;
    if (!(phases[0] && phases[1] && phases[2]))
        p = phases[0] ? (phases[1] ? 0 : 2) : 1;
    const std::size_t q = (p + 1) % 3;
    const Complex ratio = (record.fault.faultCurrent[p] - record.fault.faultCurrent[q]) /
                          (record.fault.m.current[p] - record.fault.m.current[q]);
    const double x = fault.distance <= network.sections[0].length ? network.sections[0].z1.imag()
                                                                   : network.sections[1].z1.imag();
    return fault.resistance * std::abs(ratio.imag()) / x / network.Length() * 100.0;
}

std::map<int, std::vector<Outcome>> RunGrid()
{
    std::map<int, std::vector<Outcome>> outcomes;
    for (const Case& c : Grid()) {
        const NetworkData network = StandardNetwork(c.loadAngle, true, true);
        const FaultData fault{c.kind, c.share * network.Length(), c.resistance};
        const SimulatedRecord record = SimulateRecord(network, &fault, RecordTiming{});
        Document document;
        FillDocument(document, record);
        for (int type : {1, 2, 4}) {
            const Location location = LocateFaultInRecord(document.oscillogram, LocatorModel(network, type));
            const LocationResult& r = location.result;
            const double error = r.fault && r.onLine ? std::abs(r.distance - fault.distance) / network.Length() * 100.0
                                                     : 100.0;
            outcomes[type].push_back({c, error, type == 1 ? ReactanceBound(network, record, fault) : 0.0});
        }
    }
    return outcomes;
}

void PrintTable(const std::map<int, std::vector<Outcome>>& outcomes)
{
    std::printf("algorithm  fault  mean %%  worst %%  worst at Rf 0 %%\n");
    for (const auto& [type, list] : outcomes) {
        for (FaultKind kind : kAllFaultKinds) {
            double sum = 0.0, worst = 0.0, bolted = 0.0;
            int count = 0;
            for (const Outcome& o : list) {
                if (o.c.kind != kind)
                    continue;
                sum += o.errorPercent;
                worst = std::max(worst, o.errorPercent);
                bolted = o.c.resistance == 0.0 ? std::max(bolted, o.errorPercent) : bolted;
                ++count;
            }
            std::printf("%9d  %5s  %6.3f  %7.3f  %7.3f\n", type, FaultName(kind), sum / count, worst, bolted);
        }
    }
}

TEST(LocatorAccuracy, SimulatedFaultGrid)
{
    const auto outcomes = RunGrid();
    PrintTable(outcomes);
    for (const Outcome& o : outcomes.at(1)) {
        if (FaultToEarth(o.c.kind))
            continue;
        const double allowed = 1.0 + o.boundPercent;
        EXPECT_LE(o.errorPercent, allowed) << "type 1 " << FaultName(o.c.kind) << " at " << o.c.share
                                           << " Rf " << o.c.resistance << " angle " << o.c.loadAngle;
    }
    for (const auto& [type, limit] : {std::pair{2, 2.0}, {4, 0.5}}) {
        for (const Outcome& o : outcomes.at(type))
            EXPECT_LE(o.errorPercent, limit) << "type " << type << " " << FaultName(o.c.kind) << " at "
                                             << o.c.share << " Rf " << o.c.resistance << " angle " << o.c.loadAngle;
    }
}

} // namespace
} // namespace zarva
