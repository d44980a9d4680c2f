#include "core/faultloc/DistanceEstimators.h"

#include "core/dsp/PhasorMath.h"

#include <cmath>
#include <limits>

namespace zarva {
namespace {

constexpr double kNoAnswer = std::numeric_limits<double>::quiet_NaN();
constexpr int kNewtonSteps = 6;

// A sequence voltage and the current flowing on along the line in the direction of travel.
struct Wave {
    Phasor u;
    Phasor i;
};

// A section as a long line of its positive-sequence impedance z and shunt admittance y per
// km: propagation constant γ = sqrt(z y), surge impedance Zc = sqrt(z / y). Without y it is
// the series impedance alone.
struct LongLine {
    Phasor z;
    Phasor gamma;
    Phasor surge;
    bool lumped;

    LongLine(Phasor perKm, Phasor shunt)
        : z(perKm), gamma(std::sqrt(perKm * shunt)), surge(std::sqrt(perKm / shunt)), lumped(shunt == Phasor())
    {
    }

    // U(x) = U cosh γx - Zc I sinh γx, I(x) = I cosh γx - U sinh γx / Zc
    Wave Along(const Wave& w, double x) const
    {
        if (lumped)
            return {w.u - z * x * w.i, w.i};
        const Phasor ch = std::cosh(gamma * x);
        const Phasor sh = std::sinh(gamma * x);
        return {w.u * ch - surge * w.i * sh, w.i * ch - w.u * sh / surge};
    }

    // dU(x)/dx
    Phasor Slope(const Wave& w, double x) const
    {
        if (lumped)
            return -z * w.i;
        return gamma * (w.u * std::sinh(gamma * x) - surge * w.i * std::cosh(gamma * x));
    }
};

// Within a section of length l, from the near end's wave and the far end's wave (travelling
// back), the d where the two voltages meet: U_near(d) = U_far(l - d). Linear in d on a
// lumped line; Gauss-Newton on the complex mismatch from there on a long one.
double Meeting(const LongLine& line, const Wave& near, const Wave& far, double length)
{
    const Phasor a = line.z * (near.i + far.i);
    const Phasor b = near.u - far.u + line.z * length * far.i;
    double d = std::real(b * std::conj(a)) / std::norm(a);
    for (int step = 0; step < kNewtonSteps && !line.lumped && std::isfinite(d); ++step) {
        const Phasor mismatch = line.Along(near, d).u - line.Along(far, length - d).u;
        const Phasor slope = line.Slope(near, d) + line.Slope(far, length - d);
        d -= std::real(mismatch * std::conj(slope)) / std::norm(slope);
    }
    return d;
}

Phasor Sequence(const PhaseTriple& x, bool positive)
{
    return positive ? PositiveSequence(x[0], x[1], x[2]) : NegativeSequence(x[0], x[1], x[2]);
}

// Shunt admittance per km from the state before the fault: both ends' positive-sequence
// currents into the line together charge it, at about the mean of the two voltages. Averaged
// over the period that ends at the pre-fault sample; only its susceptance is kept.
Phasor ShuntPerKm(const LocatorInput& input, double length, std::optional<std::size_t> preFault)
{
    if (!preFault || !(length > 0.0))
        return {};
    const StationPhasors& near = input.stations[0];
    const StationPhasors& far = input.stations[1];
    Phasor sum;
    const std::size_t first = *preFault + 1 >= input.period ? *preFault + 1 - input.period : 0;
    std::size_t samples = 0;
    for (std::size_t m = std::max(first, input.period - 1); m <= *preFault; ++m, ++samples) {
        const Phasor charging = Sequence(near.current[m], true) + Sequence(far.current[m], true);
        const Phasor mean = 0.5 * (Sequence(near.voltage[m], true) + Sequence(far.voltage[m], true));
        sum += charging / mean;
    }
    const double susceptance = sum.imag() / static_cast<double>(samples) / length;
    return std::isfinite(susceptance) && susceptance > 0.0 ? Phasor(0.0, susceptance) : Phasor();
}

double Locate(const std::vector<LongLine>& lines, const LineData& line, const Wave& near, const Wave& far)
{
    const std::size_t count = line.sections.size();
    // The far end's wave at the far end of every section, brought back from station 2.
    std::vector<Wave> fromFar(count);
    Wave back = far;
    for (std::size_t k = count; k-- > 0;) {
        fromFar[k] = back;
        back = lines[k].Along(back, line.sections[k].length);
    }
    Wave ahead = near;
    double start = 0.0;
    double best = kNoAnswer;
    double bestOutside = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < count; ++k) {
        const double length = line.sections[k].length;
        const double d = Meeting(lines[k], ahead, fromFar[k], length);
        if (!std::isfinite(d))
            return kNoAnswer;
        if (d >= 0.0 && d <= length)
            return start + d;
        const double outside = d < 0.0 ? -d : d - length;
        if (outside < bestOutside) {
            bestOutside = outside;
            best = start + d;
        }
        ahead = lines[k].Along(ahead, length);
        start += length;
    }
    return best;
}

} // namespace

std::vector<double> TwoEndedDistances(const LocatorInput& input, const LineData& line,
                                      const std::vector<FaultFlags>& flags, std::optional<std::size_t> preFault)
{
    const Phasor shunt = ShuntPerKm(input, line.Length(), preFault);
    std::vector<LongLine> lines;
    for (const LineSection& section : line.sections)
        lines.emplace_back(section.z1, shunt);
    const StationPhasors& near = input.stations[0];
    const StationPhasors& far = input.stations[1];
    std::vector<double> distances(flags.size(), 0.0);
    for (std::size_t n = 0; n < flags.size(); ++n) {
        if (!flags[n].Any())
            continue;
        const bool positive = flags[n].threePhase;
        distances[n] = Locate(lines, line, {Sequence(near.voltage[n], positive), Sequence(near.current[n], positive)},
                              {Sequence(far.voltage[n], positive), Sequence(far.current[n], positive)});
    }
    return distances;
}

} // namespace zarva
