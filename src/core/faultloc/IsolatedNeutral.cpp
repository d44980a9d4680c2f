#include "core/faultloc/DistanceEstimators.h"

#include <cmath>
#include <limits>

namespace zarva {
namespace {

// Loops of the pairs AB, BC, CA: line voltage over the difference of the phase currents.
// When more pairs are flagged, the last of them is taken.
Phasor LoopImpedance(const StationPhasors& station, std::size_t n, const FaultFlags& flags)
{
    Phasor u{1.0, 0.0};
    Phasor i{1.0, 0.0};
    for (std::size_t p = 0; p < 3; ++p) {
        const std::size_t q = (p + 1) % 3;
        if (flags.phases[p] && flags.phases[q]) {
            u = station.lineVoltage[n][p];
            i = station.current[n][p] - station.current[n][q];
        }
    }
    return u / i;
}

// The walk over the sections with the accumulated length and impedance.
double Walk(const LineData& line, Phasor z)
{
    double start = 0.0;
    Phasor before;
    for (std::size_t k = 0; k < line.sections.size(); ++k) {
        const LineSection& section = line.sections[k];
        const Phasor rest = z - before;
        const double r = section.z.real();
        const double x = section.z.imag();
        // A loop flatter than the line holds fault resistance: reactance rule; else resistance.
        const bool flatter = std::atan2(x, r) - std::atan2(rest.imag(), rest.real()) > 0.0;
        const double d = flatter ? rest.imag() / x : rest.real() / r;
        if (!std::isfinite(d))
            return std::numeric_limits<double>::quiet_NaN();
        if (section.length >= d || k + 1 == line.sections.size())
            return start + std::max(d, 0.0);
        start += section.length;
        before += section.z * section.length;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

} // namespace

std::vector<double> IsolatedNeutralDistances(const LocatorInput& input, const LineData& line,
                                             const std::vector<FaultFlags>& flags)
{
    std::vector<double> distances(flags.size(), 0.0);
    for (std::size_t n = 0; n < flags.size(); ++n) {
        if (flags[n].Any())
            distances[n] = Walk(line, LoopImpedance(input.stations[0], n, flags[n]));
    }
    return distances;
}

} // namespace zarva
