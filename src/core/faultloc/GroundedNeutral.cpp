#include "core/faultloc/DistanceEstimators.h"

#include "core/dsp/PhasorMath.h"
#include "core/faultloc/LinearSolver.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace zarva {
namespace {

constexpr double kNoAnswer = std::numeric_limits<double>::quiet_NaN();
constexpr int kRefinements = 3;
const Phasor kAlpha = std::polar(1.0, 2.0 * std::numbers::pi / 3.0);

// The measured loop at one sample, a phase to earth or a pair p, p + 1, and the network the
// polarising current belongs to: one that only the fault drives (negative sequence, or the
// change since before the fault), seen at station 1 as a voltage and the line's current.
struct Loop {
    bool toEarth = false;
    std::size_t phase = 0;
    Phasor rotation{1.0, 0.0};  // from the network's quantities to the loop's phase
    Phasor voltage;
    Phasor current;             // into the line; polarises when nothing better is known
    bool known = false;         // the network's quantities are usable
};

// One phase: the negative sequence, whose share of the fault current is free of the
// zero-sequence network, the taps and the parallel lines. Two or three phases (three use the
// loop CA): the change of the loop since before the fault, or the loop current alone when
// the record holds no pre-fault state.
Loop ChooseLoop(const StationPhasors& station, std::size_t n, const FaultFlags& flags,
                std::optional<std::size_t> preFault)
{
    const PhaseTriple& i = station.current[n];
    const PhaseTriple& u = station.voltage[n];
    if (flags.PhaseCount() == 1) {
        const std::size_t k = flags.phases[0] ? 0 : flags.phases[1] ? 1 : 2;
        const Phasor rotations[] = {1.0, kAlpha, kAlpha * kAlpha};
        return {true, k, rotations[k], NegativeSequence(u[0], u[1], u[2]), NegativeSequence(i[0], i[1], i[2]), true};
    }
    std::size_t p = 2;
    if (flags.PhaseCount() == 2)
        p = flags.phases[0] ? (flags.phases[1] ? 0 : 2) : 1;
    const std::size_t q = (p + 1) % 3;
    Loop loop{false, p, 1.0, u[p] - u[q], i[p] - i[q], preFault.has_value()};
    if (preFault) {
        loop.voltage -= station.voltage[*preFault][p] - station.voltage[*preFault][q];
        loop.current -= station.current[*preFault][p] - station.current[*preFault][q];
    }
    return loop;
}

// The current into the fault in the loop's network, for a fault at `distance`: station 1
// supplies the measured current; the far end's share follows from the fault point's voltage,
// with the source behind station 2 taken to be like the one behind station 1. With a
// parallel circuit over the whole line (same ends, same impedance) that circuit carries
// part of both; the near source impedance then comes from a quadratic. Null when no passive
// source fits.
std::optional<Phasor> FaultCurrent(const LineData& line, const Loop& loop, double distance)
{
    Phasor whole;
    Phasor toFault;
    double start = 0.0;
    bool parallelEverywhere = true;
    for (const LineSection& section : line.sections) {
        whole += section.z1 * section.length;
        toFault += section.z1 * std::clamp(distance - start, 0.0, section.length);
        start += section.length;
        parallelEverywhere = parallelEverywhere && !section.parallels.empty();
    }
    const Phasor rest = whole - toFault;
    const Phasor v = loop.voltage;
    const Phasor i = loop.current;
    const Phasor atFault = v - toFault * i;
    const auto passive = [](Phasor z) { return z.real() > 0.0 && z.imag() > 0.0 && std::isfinite(std::abs(z)); };
    if (!parallelEverywhere) {
        const Phasor source = -v / i;  // behind station 1: V = -Zs I
        if (!passive(source))
            return std::nullopt;
        return i - atFault / (source + rest);
    }
    // With Y = 1/Zs, the far bus V2 = V + c (Y V + I) (c the parallel circuit), and at it
    // Y V2 + (V2 - Vf) / rest + (V2 - V) / c = 0: c V Y² + (2 V + c I + c V / rest) Y + (V + c I - Vf) / rest + I = 0.
    const Phasor c = whole;
    const Phasor a2 = c * v;
    const Phasor a1 = 2.0 * v + c * i + c * v / rest;
    const Phasor a0 = (v + c * i - atFault) / rest + i;
    const Phasor root = std::sqrt(a1 * a1 - 4.0 * a2 * a0);
    for (const Phasor y : {(-a1 + root) / (2.0 * a2), (-a1 - root) / (2.0 * a2)}) {
        if (!passive(1.0 / y))
            continue;
        const Phasor farBus = v + c * (y * v + i);
        return i + (farBus - atFault) / rest;
    }
    return std::nullopt;
}

// The state at the start of a section as seen from station 1.
struct SectionStart {
    PhaseTriple u;
    PhaseTriple i;
};

Phasor ParallelTerm(const LineSection& section, const LocatorInput& input, std::size_t n)
{
    Phasor sum;
    for (const ParallelCoupling& parallel : section.parallels) {
        const auto found = input.residuals.find(parallel.residual);
        if (found != input.residuals.end())
            sum += parallel.zm * found->second[n];
    }
    return sum;  // Zm 3I0m per km
}

// Takagi: U = d Z1 I + k Ip with real d and k, Ip in phase with the fault current; the
// parts of U across Ip give d.
double DistanceInSection(const Loop& loop, Phasor polarising, const SectionStart& at, const LineSection& section,
                         Phasor mutual)
{
    const PhaseTriple& u = at.u;
    const PhaseTriple& i = at.i;
    const std::size_t p = loop.phase;
    const std::size_t q = (p + 1) % 3;
    Phasor voltage = u[p] - u[q];
    Phasor current = i[p] - i[q];
    if (loop.toEarth) {
        // Ia + K0 3I0 + K0m 3I0m, K0 = (Z0 - Z1) / 3 Z1, K0m = Zm / 3 Z1
        voltage = u[p];
        current = i[p] + (section.z0 - section.z1) / (3.0 * section.z1) * (i[0] + i[1] + i[2]) +
                  mutual / (3.0 * section.z1);
    }
    const Phasor drop = section.z1 * current;
    const std::vector<double> x = SolveLinearSystem({drop.real(), polarising.real(), drop.imag(), polarising.imag()},
                                                    {voltage.real(), voltage.imag()});
    return x[0];
}

// Along the section (no shunt admittance is known): each phase drops Z1 I + (Z0 - Z1) I0 +
// Zm I0m per km. A tap at its end draws U0 / Z0tap from every phase.
SectionStart Across(const SectionStart& at, const LineSection& section, Phasor mutual)
{
    SectionStart next = at;
    const Phasor i0 = (at.i[0] + at.i[1] + at.i[2]) / 3.0;
    for (std::size_t k = 0; k < 3; ++k)
        next.u[k] -= section.length * (section.z1 * at.i[k] + (section.z0 - section.z1) * i0 + mutual / 3.0);
    const Phasor u0 = (next.u[0] + next.u[1] + next.u[2]) / 3.0;
    for (const Phasor tap : section.taps) {
        for (Phasor& current : next.i)
            current -= u0 / tap;
    }
    return next;
}

double Walk(const LocatorInput& input, const LineData& line, std::size_t n, const Loop& loop, Phasor polarising)
{
    SectionStart at{input.stations[0].voltage[n], input.stations[0].current[n]};
    double start = 0.0;
    for (std::size_t k = 0; k < line.sections.size(); ++k) {
        const LineSection& section = line.sections[k];
        const Phasor mutual = ParallelTerm(section, input, n);
        const double d = DistanceInSection(loop, polarising, at, section, mutual);
        if (!std::isfinite(d))
            return kNoAnswer;
        if (section.length >= d || k + 1 == line.sections.size())
            return start + std::max(d, 0.0);
        at = Across(at, section, mutual);
        start += section.length;
    }
    return kNoAnswer;
}

// The plain Takagi distance first, then refined with the fault current estimated for it.
// The refinement rests on a guess about the far source; a guess that moves a fault found on
// the line off it is not trusted.
double Distance(const LocatorInput& input, const LineData& line, std::size_t n, const Loop& loop)
{
    const double plain = Walk(input, line, n, loop, loop.current * loop.rotation);
    const double length = line.Length();
    double d = plain;
    for (int step = 0; step < kRefinements && loop.known && std::isfinite(d); ++step) {
        const auto fault = FaultCurrent(line, loop, std::clamp(d, 0.0, 0.99 * length));
        if (!fault)
            break;
        d = Walk(input, line, n, loop, *fault * loop.rotation);
    }
    const auto onLine = [&](double x) { return x > 0.0 && x <= length; };
    return onLine(plain) && !onLine(d) ? plain : d;
}

} // namespace

std::vector<double> GroundedNeutralDistances(const LocatorInput& input, const LineData& line,
                                             const std::vector<FaultFlags>& flags,
                                             std::optional<std::size_t> preFault)
{
    std::vector<double> distances(flags.size(), 0.0);
    for (std::size_t n = 0; n < flags.size(); ++n) {
        if (!flags[n].Any())
            continue;
        try {
            distances[n] = Distance(input, line, n, ChooseLoop(input.stations[0], n, flags[n], preFault));
        } catch (const CZarvaException&) {
            distances[n] = kNoAnswer;  // no single solution at this sample
        }
    }
    return distances;
}

} // namespace zarva
