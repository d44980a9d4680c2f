#include "core/faultloc/FaultDetector.h"

#include "core/dsp/PhasorMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarva {
namespace {

constexpr double kSqrt2 = std::numbers::sqrt2;
constexpr double kMinimumShare = 0.1;          // of In: less is no fault
constexpr double kIsolatedThreePhase = 1.15;   // of In
constexpr double kUnbalance = 4.0;             // |I1| against 4 |I2| or 4 |I0|
constexpr double kThreePhaseCurrent = 2.0;     // of In, earthed neutral
constexpr double kThreePhaseChange = 0.5;      // of In, the change of I1 since before the fault
constexpr double kVoltageDip = 0.9;            // of the pre-fault positive-sequence voltage
constexpr double kEarthFaultRatio = 4.0;       // largest against smallest phase difference
constexpr double kTwoEndedThreePhase = 1.1;    // of In
constexpr double kFaultedShare = 4.0;          // largest current into the fault against a phase's

double Amplitude(Phasor rms)
{
    return kSqrt2 * std::abs(rms);
}

struct Sequences {
    Phasor i1;
    Phasor i2;
    Phasor i0;  // I0, not 3I0
};

Sequences SequencesOf(const PhaseTriple& i)
{
    return {PositiveSequence(i[0], i[1], i[2]), NegativeSequence(i[0], i[1], i[2]),
            SequenceSum(i[0], i[1], i[2]) / 3.0};
}

bool Unbalanced(const Sequences& s)
{
    return kUnbalance * std::abs(s.i2) > std::abs(s.i1) || kUnbalance * std::abs(s.i0) > std::abs(s.i1);
}

// Of the differences AB, BC, CA: a fault to earth leaves the one without its phase small.
std::array<bool, 3> PhasesFromDifferences(const PhaseTriple& i)
{
    const std::array<double, 3> differences{std::abs(i[0] - i[1]), std::abs(i[1] - i[2]), std::abs(i[2] - i[0])};
    const auto largest = static_cast<std::size_t>(std::max_element(differences.begin(), differences.end()) -
                                                  differences.begin());
    const auto smallest = static_cast<std::size_t>(std::min_element(differences.begin(), differences.end()) -
                                                   differences.begin());
    std::array<bool, 3> phases{};
    if (differences[largest] > kEarthFaultRatio * differences[smallest]) {
        phases[(smallest + 2) % 3] = true;  // AB small: C; BC small: A; CA small: B
    } else {
        phases[largest] = true;
        phases[(largest + 1) % 3] = true;
    }
    return phases;
}

PhaseTriple Difference(const PhaseTriple& a, const PhaseTriple& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

PhaseTriple Sum(const PhaseTriple& a, const PhaseTriple& b)
{
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

} // namespace

std::vector<FaultFlags> DetectIsolatedNeutral(const std::vector<PhaseTriple>& currents, std::size_t first,
                                              double ratedCurrent)
{
    std::vector<FaultFlags> flags(currents.size());
    const double minimum = kMinimumShare * kSqrt2 * ratedCurrent;
    for (std::size_t n = first; n < currents.size(); ++n) {
        const PhaseTriple& i = currents[n];
        const Sequences s = SequencesOf(i);
        const double i1 = Amplitude(s.i1);
        if (i1 <= minimum)
            continue;
        FaultFlags& f = flags[n];
        f.unbalanced = 3.0 * Amplitude(s.i2) > i1;
        f.threePhase = !f.unbalanced && i1 > kIsolatedThreePhase * kSqrt2 * ratedCurrent;
        for (std::size_t k = 0; k < 3; ++k) {
            const double own = std::abs(i[k]);
            f.phases[k] = f.threePhase ||
                          (f.unbalanced && (own > std::abs(i[(k + 1) % 3]) || own > std::abs(i[(k + 2) % 3])));
        }
    }
    return flags;
}

std::vector<FaultFlags> DetectGroundedNeutral(const StationPhasors& station, std::size_t first, double ratedCurrent,
                                              std::optional<std::size_t> reference)
{
    const std::vector<PhaseTriple>& currents = station.current;
    std::vector<FaultFlags> flags(currents.size());
    const double minimum = kMinimumShare * ratedCurrent;
    const auto voltageOf = [&](std::size_t n) {
        const PhaseTriple& u = station.voltage[n];
        return std::abs(PositiveSequence(u[0], u[1], u[2]));
    };
    const double referenceVoltage = reference && !station.voltage.empty() ? voltageOf(*reference) : 0.0;
    for (std::size_t n = first; n < currents.size(); ++n) {
        const Sequences s = SequencesOf(currents[n]);
        if (std::abs(s.i1) <= minimum && 3.0 * std::abs(s.i0) <= minimum)
            continue;
        FaultFlags& f = flags[n];
        f.unbalanced = Unbalanced(s);
        const bool dip = referenceVoltage > 0.0 && voltageOf(n) < kVoltageDip * referenceVoltage;
        const bool rise =
            std::abs(s.i1) > kThreePhaseCurrent * ratedCurrent ||
            (reference && std::abs(s.i1 - SequencesOf(currents[*reference]).i1) > kThreePhaseChange * ratedCurrent);
        f.threePhase = !f.unbalanced && (dip || rise);
        if (f.threePhase)
            f.phases = {true, true, true};
        else if (f.unbalanced)
            f.phases = PhasesFromDifferences(reference ? Difference(currents[n], currents[*reference]) : currents[n]);
    }
    return flags;
}

std::vector<FaultFlags> DetectTwoEnded(const StationPhasors& near, const StationPhasors& far, std::size_t first,
                                       double ratedCurrent)
{
    const std::size_t count = std::min(near.current.size(), far.current.size());
    std::vector<FaultFlags> flags(near.current.size());
    for (std::size_t n = first; n < count; ++n) {
        const PhaseTriple into = Sum(near.current[n], far.current[n]);
        const double largest = std::max({std::abs(into[0]), std::abs(into[1]), std::abs(into[2])});
        if (largest <= kMinimumShare * ratedCurrent)
            continue;
        const Sequences s = SequencesOf(into);
        FaultFlags& f = flags[n];
        f.unbalanced = Unbalanced(s);
        f.threePhase = !f.unbalanced && std::abs(s.i1) > kTwoEndedThreePhase * ratedCurrent;
        for (std::size_t k = 0; k < 3; ++k)
            f.phases[k] = f.threePhase || (f.unbalanced && kFaultedShare * std::abs(into[k]) > largest);
    }
    return flags;
}

std::optional<std::size_t> PreFaultSample(const std::vector<FaultFlags>& flags, std::size_t period)
{
    const std::size_t earliest = period - 1;
    if (flags.size() <= earliest)
        return std::nullopt;
    const auto fault = std::find_if(flags.begin() + static_cast<std::ptrdiff_t>(earliest), flags.end(),
                                    [](const FaultFlags& f) { return f.Any(); });
    if (fault == flags.end())
        return earliest;  // nothing seen: the record starts before whatever it holds
    const auto firstFault = static_cast<std::size_t>(fault - flags.begin());
    if (firstFault < earliest + period)
        return std::nullopt;
    return std::max(earliest, firstFault - std::min(firstFault, 2 * period));
}

FaultStretch FindStretch(const std::vector<FaultFlags>& flags, std::size_t first, std::size_t period,
                         bool samePhases)
{
    const std::size_t count = flags.size();
    std::size_t n = first;
    while (n < count && count - n >= period) {
        if (!flags[n].Any()) {
            ++n;
            continue;
        }
        std::size_t end = n + 1;
        while (end < count && flags[end].Any() && (!samePhases || flags[end].Code() == flags[n].Code()))
            ++end;
        if (end - n >= period)
            return {n, end, true};
        n = end;
    }
    return {first, std::max(first, count), false};
}

} // namespace zarva
