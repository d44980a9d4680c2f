#include "core/dsp/PhasorMath.h"

namespace zarva {
namespace {

constexpr double kPi = 3.141592653589793;
const Phasor kJ{0.0, 1.0};

double Degrees(double radians)
{
    return radians * 180.0 / kPi;
}

Phasor Polar(double modulus, double angleDeg)
{
    const double radians = angleDeg * kPi / 180.0;
    return {modulus * std::cos(radians), modulus * std::sin(radians)};
}

Phasor LoopImpedance(Phasor u, Phasor i, Phasor i0, Phasor i0m, Phasor k0, Phasor k0m,
                     double iMin, double ratio)
{
    if (BelowMinimumCurrent(i, ratio, iMin))
        return u / Phasor{};
    return u / (i + k0 * i0 + k0m * i0m);
}

} // namespace

Phasor PositiveSequence(Phasor a, Phasor b, Phasor c)
{
    return (2.0 * a - b - c + kJ * std::sqrt(3.0) * (b - c)) / 6.0;
}

Phasor NegativeSequence(Phasor a, Phasor b, Phasor c)
{
    return (2.0 * a - b - c - kJ * std::sqrt(3.0) * (b - c)) / 6.0;
}

Phasor SequenceSum(Phasor a, Phasor b, Phasor c)
{
    return a + b + c;
}

Phasor PositiveSequenceFromLine(Phasor uab, Phasor ubc)
{
    return (2.0 * uab + ubc + kJ * std::sqrt(3.0) * ubc) / 6.0;
}

Phasor NegativeSequenceFromLine(Phasor uab, Phasor ubc)
{
    return (2.0 * uab + ubc - kJ * std::sqrt(3.0) * ubc) / 6.0;
}

Phasor UncnCombination(Phasor a, Phasor b, Phasor c, Phasor d, Phasor e)
{
    return b + c - a + (d - e) / std::sqrt(3.0);
}

Phasor ComplexPower(Phasor a, Phasor b)
{
    return std::conj(a * std::conj(b));
}

Phasor ThreeWattmeterPower(Phasor u1, Phasor i1, Phasor u2, Phasor i2, Phasor u3, Phasor i3)
{
    return u1 * std::conj(i1) + u2 * std::conj(i2) + u3 * std::conj(i3);
}

Phasor TwoWattmeterPower(Phasor u1, Phasor i1, Phasor u2, Phasor i2)
{
    return u1 * std::conj(i1) - u2 * std::conj(i2);
}

double PowerFactor(Phasor s)
{
    const double modulus = std::abs(s);
    return modulus > 0.001 ? s.real() / modulus : 1.0;
}

double AngleDeg(Phasor z)
{
    const double angle = Degrees(std::atan2(z.imag(), z.real()));
    return angle >= 180.0 ? angle - 360.0 : angle;
}

double AngleBetween(Phasor a, Phasor b)
{
    const double angle = Degrees(std::atan2(b.imag(), b.real()) - std::atan2(a.imag(), a.real()));
    if (angle > 180.0)
        return angle - 360.0;
    if (angle < -180.0)
        return angle + 360.0;
    return angle;
}

double CosBetween(Phasor a, Phasor b)
{
    return std::cos(std::atan2(b.imag(), b.real()) - std::atan2(a.imag(), a.real()));
}

bool BelowMinimumCurrent(Phasor current, double ratio, double iMin)
{
    return std::abs(current) / ratio < iMin;
}

Phasor PhaseLoopImpedance(Phasor u, Phasor i, Phasor i0, Phasor i0m, const LineImpedances& line,
                          double iMin, double ratio)
{
    const Phasor z0{line.r0, line.x0};
    const Phasor z1{line.r1, line.x1};
    const Phasor z0m{line.r0m, line.x0m};
    const Phasor k0 = (z0 / z1 - 1.0) / 3.0;
    const Phasor k0m = (z0m / z1) / 3.0;
    return LoopImpedance(u, i, i0, i0m, k0, k0m, iMin, ratio);
}

Phasor PhaseLoopImpedanceK(Phasor u, Phasor i, Phasor i0, Phasor i0m, double k0Modulus,
                           double k0mModulus, double k0AngleDeg, double k0mAngleDeg, double iMin,
                           double ratio)
{
    return LoopImpedance(u, i, i0, i0m, Polar(k0Modulus, k0AngleDeg),
                         Polar(k0mModulus, k0mAngleDeg), iMin, ratio);
}

Phasor LineLoopImpedance(Phasor u, Phasor i1, Phasor i2, double iMin, double ratio1,
                         double ratio2)
{
    if (std::abs(i1 / ratio1 - i2 / ratio2) < iMin)
        return u / Phasor{};
    return u / (i1 - i2);
}

double ReductionRatio(const Channel& current)
{
    if (current.showPrimary && !current.valuesArePrimary)
        return 1.0;
    return current.displayRatio;
}

} // namespace zarva
