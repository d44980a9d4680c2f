#pragma once

#include "core/model/Channel.h"

#include <cmath>

namespace zarva {

// Electrical formulas on first-harmonic RMS phasors. Nothing here raises: a division by the
// zero phasor gives a result that is not finite, and the guarded real divisors below turn
// 0.0 into 1e-6. The operations marked "phasors and reals" apply to either.

// A real divisor of exactly 0.0 becomes 1e-6.
inline double GuardDivisor(double divisor)
{
    return divisor == 0.0 ? 1e-6 : divisor;
}

// Symmetrical components of the phase quantities a, b, c.
Phasor PositiveSequence(Phasor a, Phasor b, Phasor c);
Phasor NegativeSequence(Phasor a, Phasor b, Phasor c);
// a + b + c: 3I0 or 3U0.
Phasor SequenceSum(Phasor a, Phasor b, Phasor c);
// Phase-A positive and negative sequence voltages from the line voltages uab, ubc.
Phasor PositiveSequenceFromLine(Phasor uab, Phasor ubc);
Phasor NegativeSequenceFromLine(Phasor uab, Phasor ubc);
// b + c - a + (d - e) / sqrt(3).
Phasor UncnCombination(Phasor a, Phasor b, Phasor c, Phasor d, Phasor e);

// The third phase current from two currents and their sum 3I0; phasors and reals.
template <class T>
T MissingPhase(T x, T y, T sum)
{
    return sum - (x + y);
}

// Line quantity between two phases; phasors and reals.
template <class T>
T LineFromPhases(T a, T b)
{
    return a - b;
}

// Uca from the two others; phasors and reals.
template <class T>
T ThirdLine(T uab, T ubc)
{
    return -(uab + ubc);
}

enum class PhaseLetter { A, B, C };

// A phase voltage from two line voltages and the zero-sequence voltage u0, which k2 / k1
// brings to the scale of the line voltages; phasors and reals.
template <class T>
T PhaseFromLine(PhaseLetter phase, T uab, T ubc, T u0, double k1, double k2)
{
    const T w = u0 * k2 / GuardDivisor(k1);
    switch (phase) {
    case PhaseLetter::A:
        return (2.0 * uab + ubc + w) / 3.0;
    case PhaseLetter::B:
        return (-uab + ubc + w) / 3.0;
    case PhaseLetter::C:
        break;
    }
    return (-uab - 2.0 * ubc + w) / 3.0;
}

// conj(a * conj(b)), that is b * conj(a): called with the current first and the voltage
// second it gives u * conj(i), active power in the real part.
Phasor ComplexPower(Phasor a, Phasor b);
// Sums of u * conj(i) over voltage, current pairs.
Phasor ThreeWattmeterPower(Phasor u1, Phasor i1, Phasor u2, Phasor i2, Phasor u3, Phasor i3);
Phasor TwoWattmeterPower(Phasor u1, Phasor i1, Phasor u2, Phasor i2);
// Re(s) / |s|, or 1.0 when |s| is at most 0.001.
double PowerFactor(Phasor s);

// Angles in degrees: arg z in [-180, 180); arg b - arg a in [-180, 180]; its cosine.
double AngleDeg(Phasor z);
double AngleBetween(Phasor a, Phasor b);
double CosBetween(Phasor a, Phasor b);

// The line's impedances that set the earth-fault compensation.
struct LineImpedances {
    double r0 = 0.0;
    double r1 = 0.0;
    double r0m = 0.0;  // mutual, to the parallel line
    double x0 = 0.0;
    double x1 = 0.0;
    double x0m = 0.0;
};

// A loop current below iMin (in stored units; r is the current channel's display ratio)
// leaves the loop impedances with the zero phasor as divisor.
bool BelowMinimumCurrent(Phasor current, double ratio, double iMin);

// u / (i + K0 i0 + K0m i0m), i0 the line's residual current 3I0 and i0m the parallel line's.
Phasor PhaseLoopImpedance(Phasor u, Phasor i, Phasor i0, Phasor i0m, const LineImpedances& line,
                          double iMin, double ratio);
// The same with the coefficients given as moduli and angles in degrees.
Phasor PhaseLoopImpedanceK(Phasor u, Phasor i, Phasor i0, Phasor i0m, double k0Modulus,
                           double k0mModulus, double k0AngleDeg, double k0mAngleDeg, double iMin,
                           double ratio);
// u / (i1 - i2), each current with its own channel's display ratio for the guard.
Phasor LineLoopImpedance(Phasor u, Phasor i1, Phasor i2, double iMin, double ratio1,
                         double ratio2);

// The ratio the reductions for differential protection divide by: the display ratio, or 1.0
// when the channel shows primary values of secondary samples.
double ReductionRatio(const Channel& current);

// Reductions of a current for differential protection; phasors and reals.
template <class T>
T ReduceByCoefficient(T i, double k, double ratio)
{
    return i * k / GuardDivisor(ratio);
}

template <class T>
T ReduceByTransformerRatio(T i, double k1, double k2, double ratio)
{
    return i * (k1 / k2) / GuardDivisor(ratio);
}

// In units of the base current of power S at voltage U.
template <class T>
T ReduceByPower(T i, double k, double power, double voltage, double ratio)
{
    return i * k / GuardDivisor(power / (std::sqrt(3.0) * voltage)) / GuardDivisor(ratio);
}

template <class T>
T ReduceByNominalCurrent(T i, double k, double nominal, double ratio)
{
    return i * k / GuardDivisor(nominal) / GuardDivisor(ratio);
}

} // namespace zarva
