#include "core/document/Document.h"
#include "core/dsp/PhasorMath.h"
#include "support/Phasors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarva {
namespace {

const double kRoot3 = std::sqrt(3.0);

using test::ExpectPhasorNear;
using test::Polar;

bool Finite(Phasor z)
{
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

TEST(SymmetricalComponents, BalancedSetIsPurelyPositiveOrNegative)
{
    const Phasor a = Polar(2.0, 10.0);
    const Phasor b = Polar(2.0, 10.0 - 120.0);
    const Phasor c = Polar(2.0, 10.0 + 120.0);
    ExpectPhasorNear(PositiveSequence(a, b, c), a);
    ExpectPhasorNear(NegativeSequence(a, b, c), 0.0);
    ExpectPhasorNear(PositiveSequence(a, c, b), 0.0);
    ExpectPhasorNear(NegativeSequence(a, c, b), a);
    ExpectPhasorNear(SequenceSum(a, b, c), 0.0);
    ExpectPhasorNear(SequenceSum(a, a, a), 3.0 * a);

    // The same sequences from two line voltages of the set.
    ExpectPhasorNear(PositiveSequenceFromLine(a - b, b - c), a);
    ExpectPhasorNear(NegativeSequenceFromLine(a - b, b - c), 0.0);
    ExpectPhasorNear(NegativeSequenceFromLine(a - c, c - b), a);
}

TEST(PhaseAndLine, PhaseVoltagesComeBackFromLineVoltages)
{
    const Phasor uab = Polar(kRoot3, 30.0);
    const Phasor ubc = Polar(kRoot3, -90.0);
    ExpectPhasorNear(PhaseFromLine(PhaseLetter::A, uab, ubc, Phasor(), 1.0, 1.0), 1.0);
    ExpectPhasorNear(PhaseFromLine(PhaseLetter::B, uab, ubc, Phasor(), 1.0, 1.0), Polar(1.0, -120.0));
    ExpectPhasorNear(PhaseFromLine(PhaseLetter::C, uab, ubc, Phasor(), 1.0, 1.0), Polar(1.0, 120.0));
    // The zero-sequence input is brought to scale by k2 / k1; k1 = 0 is taken as 1e-6.
    ExpectPhasorNear(PhaseFromLine(PhaseLetter::A, uab, ubc, Phasor(3.0), 10.0, 20.0), 3.0);
    EXPECT_DOUBLE_EQ(PhaseFromLine(PhaseLetter::A, 0.0, 0.0, 3e-6, 0.0, 1.0), 1.0);

    EXPECT_EQ(LineFromPhases(5.0, 2.0), 3.0);
    ExpectPhasorNear(ThirdLine(uab, ubc), Polar(kRoot3, 150.0));
    EXPECT_EQ(MissingPhase(1.0, 2.0, 10.0), 7.0);
    ExpectPhasorNear(UncnCombination(1.0, 2.0, 3.0, kRoot3, 0.0), 5.0);
}

TEST(Power, ComplexPowerConjugatesTheFirstArgumentWattmetersTheSecond)
{
    const Phasor j(0.0, 1.0);
    EXPECT_EQ(ComplexPower(1.0, j).imag(), 1.0);
    EXPECT_EQ(ThreeWattmeterPower(1.0, j, 0.0, 0.0, 0.0, 0.0).imag(), -1.0);
    const Phasor u = Polar(100.0, 40.0);
    const Phasor i = Polar(2.0, 10.0);
    ExpectPhasorNear(ComplexPower(i, u), Polar(200.0, 30.0));
    ExpectPhasorNear(ThreeWattmeterPower(u, i, u, i, u, i), 3.0 * Polar(200.0, 30.0));
    ExpectPhasorNear(TwoWattmeterPower(u, i, u, 2.0 * i), -Polar(200.0, 30.0));

    EXPECT_EQ(PowerFactor({0.0005, 0.0}), 1.0);
    EXPECT_DOUBLE_EQ(PowerFactor({3.0, 4.0}), 0.6);
    EXPECT_DOUBLE_EQ(PowerFactor({-3.0, 4.0}), -0.6);
}

TEST(Angles, StayInsideHalfOpenAndClosedRanges)
{
    EXPECT_EQ(AngleDeg({-1.0, 0.0}), -180.0);
    EXPECT_EQ(AngleDeg({-1.0, -0.0}), -180.0);
    EXPECT_DOUBLE_EQ(AngleDeg({0.0, -2.0}), -90.0);
    EXPECT_NEAR(AngleBetween(Polar(1.0, 170.0), Polar(1.0, -170.0)), 20.0, 1e-12);
    EXPECT_NEAR(AngleBetween(Polar(1.0, -170.0), Polar(1.0, 170.0)), -20.0, 1e-12);
    EXPECT_NEAR(AngleBetween(1.0, Polar(3.0, 75.0)), 75.0, 1e-12);
    EXPECT_NEAR(CosBetween(Polar(2.0, 100.0), Polar(5.0, 160.0)), 0.5, 1e-12);
}

TEST(LoopImpedance, CompensatedLoopGivesPositiveSequenceImpedance)
{
    const LineImpedances line{.r0 = 3.0, .r1 = 1.0, .r0m = 0.5, .x0 = 12.0, .x1 = 4.0, .x0m = 2.0};
    const Phasor z1(1.0, 4.0);
    const Phasor k0 = (Phasor(3.0, 12.0) / z1 - 1.0) / 3.0;
    const Phasor k0m = Phasor(0.5, 2.0) / z1 / 3.0;
    const Phasor i = Polar(10.0, -70.0);
    const Phasor i0 = Polar(4.0, -80.0);
    const Phasor i0m = Polar(1.0, -60.0);
    const Phasor u = z1 * (i + k0 * i0 + k0m * i0m);
    ExpectPhasorNear(PhaseLoopImpedance(u, i, i0, i0m, line, 0.1, 1.0), z1);
    ExpectPhasorNear(PhaseLoopImpedanceK(u, i, i0, i0m, std::abs(k0), std::abs(k0m),
                                   std::arg(k0) * 180.0 / 3.141592653589793,
                                   std::arg(k0m) * 180.0 / 3.141592653589793, 0.1, 1.0),
               z1);
    ExpectPhasorNear(LineLoopImpedance(z1 * (i - i0), i, i0, 0.1, 1.0, 1.0), z1);
}

TEST(LoopImpedance, CurrentBelowMinimumGivesNonFiniteResult)
{
    const LineImpedances line{.r0 = 3.0, .r1 = 1.0, .r0m = 0.0, .x0 = 12.0, .x1 = 4.0, .x0m = 0.0};
    // |i| / r = 0.5 against a minimum of 1.
    EXPECT_FALSE(Finite(PhaseLoopImpedance(10.0, 50.0, 0.0, 0.0, line, 1.0, 100.0)));
    EXPECT_TRUE(Finite(PhaseLoopImpedance(10.0, 50.0, 0.0, 0.0, line, 1.0, 10.0)));
    EXPECT_FALSE(Finite(PhaseLoopImpedanceK(10.0, 0.5, 0.0, 0.0, 1.0, 1.0, 0.0, 0.0, 1.0, 1.0)));
    EXPECT_FALSE(Finite(LineLoopImpedance(10.0, 2.0, 2.0, 0.0, 1.0, 1.0)));
    EXPECT_FALSE(Finite(LineLoopImpedance(10.0, 200.0, 100.0, 2.0, 100.0, 100.0)));
    EXPECT_TRUE(Finite(LineLoopImpedance(10.0, 200.0, 100.0, 0.5, 100.0, 100.0)));
}

TEST(DifferentialReduction, DividesByRatioUnlessShowingPrimaryOfSecondarySamples)
{
    Document document;
    Channel current(ChannelKind::Analog, &document);
    current.displayRatio = 0.5;
    current.valuesArePrimary = true;
    EXPECT_EQ(ReductionRatio(current), 0.5);
    current.valuesArePrimary = false;
    current.showPrimary = true;
    current.displayRatio = 200.0;
    EXPECT_EQ(ReductionRatio(current), 1.0);

    // Only the guarded divisors turn 0 into 1e-6.
    EXPECT_EQ(ReduceByCoefficient(3.0, 2.0, 0.0), 6e6);
    EXPECT_EQ(ReduceByPower(1.0, 1.0, 0.0, 10e3, 1.0), 1e6);
    EXPECT_EQ(ReduceByNominalCurrent(10.0, 2.0, 0.0, 1.0), 2e7);
    EXPECT_TRUE(std::isinf(ReduceByTransformerRatio(1.0, 1.0, 0.0, 1.0)));
}

} // namespace
} // namespace zarva
