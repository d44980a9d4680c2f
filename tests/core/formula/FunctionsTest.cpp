#include "FormulaTestRecord.h"

#include "core/formula/Calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zarva {
namespace {

using test::ErrorText;
using test::ExpectPhasorNear;
using test::FormulaTestRecord;
using test::Polar;

constexpr std::uint8_t kRealPhasor = FormulaValue::kReal | FormulaValue::kPhasor;
const double kSqrt3 = std::sqrt(3.0);

class FunctionsTest : public ::testing::Test {
protected:
    FunctionsTest() { fixture.AddPhaseSet(); }

    FormulaValue Eval(const std::string& formula, std::int64_t sample = 0)
    {
        return fixture.Evaluate(formula, sample);
    }

    std::string Error(const std::string& formula)
    {
        return ErrorText([&] { Eval(formula); });
    }

    FormulaTestRecord fixture;
};

TEST_F(FunctionsTest, TrigonometryTakesDegrees)
{
    EXPECT_NEAR(Eval("sin:(30)").real, 0.5, 1e-15);
    EXPECT_NEAR(Eval("cos:(60)").real, 0.5, 1e-15);
    EXPECT_NEAR(Eval("tg:(45)").real, 1.0, 1e-15);
    EXPECT_NEAR(Eval("ctg:(45)").real, 1.0, 1e-15);
    EXPECT_NEAR(Eval("sqrt:(2) * sqrt:(2)").real, 2.0, 1e-15);
    EXPECT_NEAR(Eval("exp:(1)").real, std::numbers::e, 1e-15);
    EXPECT_EQ(Eval("sin:(30)").flags, FormulaValue::kReal);
    EXPECT_TRUE(std::isnan(Eval("sqrt:(0-1)").real));
}

TEST_F(FunctionsTest, PartsModulusAndAnglesOfPhasors)
{
    EXPECT_NEAR(Eval("re:(Ia)").real, 10.0 * std::cos(std::numbers::pi / 6), 1e-12);
    EXPECT_NEAR(Eval("im:(Ia)").real, -5.0, 1e-12);
    const FormulaValue modulus = Eval("mod:(Ia)");
    EXPECT_NEAR(modulus.real, 10.0, 1e-12);
    EXPECT_EQ(modulus.flags, kRealPhasor);
    ExpectPhasorNear(modulus.phasor, Polar(10.0, -30.0));
    EXPECT_NEAR(Eval("cosui:(Ua, Ia)").real, std::cos(std::numbers::pi / 6), 1e-12);
    EXPECT_NEAR(Eval("absig:(Ua, Ia)").real, -30.0, 1e-12);
}

TEST_F(FunctionsTest, AngleIsZeroDuringTheFirstPeriod)
{
    EXPECT_EQ(Eval("arg:(Ia)", 19).real, 0.0);
    EXPECT_NEAR(Eval("arg:(Ia)", 20).real, -30.0, 1e-12);
    Calculator plain;
    plain.Tokenize("arg:(pf:(1, 0-1))");
    EXPECT_NEAR(plain.Evaluate().real, -180.0, 1e-12);
}

TEST_F(FunctionsTest, SequenceComponentsOfABalancedSet)
{
    const FormulaValue positive = Eval("i1:(Ia, Ib, Ic)");
    ExpectPhasorNear(positive.phasor, Polar(10.0, -30.0));
    EXPECT_NEAR(positive.real, 10.0, 1e-12);
    EXPECT_EQ(positive.flags, kRealPhasor);
    EXPECT_NEAR(Eval("i2:(Ia, Ib, Ic)").real, 0.0, 1e-12);
    EXPECT_NEAR(Eval("3i0:(Ia, Ib, Ic)").real, 0.0, 1e-12);
    EXPECT_NEAR(Eval("i2:(Ia, Ic, Ib)").real, 10.0, 1e-12);
    EXPECT_NEAR(Eval("u1f:(Ua, Ub, Uc)").real, 100.0, 1e-12);
    EXPECT_NEAR(Eval("u2f:(Ua, Ub, Uc)").real, 0.0, 1e-12);
    EXPECT_NEAR(Eval("3u0:(Ua, Ua, Ua)").real, 300.0, 1e-12);
}

TEST_F(FunctionsTest, MissingPhaseWorksOnPhasorsAndReals)
{
    const FormulaValue ib = Eval("ib:(Ia, Ic, 3i0:(Ia, Ib, Ic))");
    ExpectPhasorNear(ib.phasor, Polar(10.0, -150.0));
    EXPECT_NEAR(ib.real, 0.0 - (1.0 + 3.0), 1e-12);  // 3i0: has the modulus 0 as its real
    EXPECT_EQ(ib.flags, kRealPhasor);
    EXPECT_EQ(Eval("ib:(Ia, Ib, pf:(1, 1))").flags, FormulaValue::kPhasor);
}

TEST_F(FunctionsTest, LineAndPhaseVoltages)
{
    const FormulaValue uab = Eval("ulf:(Ua, Ub)");
    ExpectPhasorNear(uab.phasor, Polar(100.0 * kSqrt3, 30.0), 1e-9);
    EXPECT_EQ(uab.real, -10.0);
    EXPECT_EQ(uab.flags, kRealPhasor | FormulaValue::kChannelRef);
    ExpectPhasorNear(Eval("ull:(ulf:(Ua, Ub), ulf:(Ub, Uc))").phasor, Polar(100.0 * kSqrt3, 150.0), 1e-9);

    fixture.Add("Uab", 1.0, Polar(kSqrt3, 30.0));
    fixture.Add("Ubc", 2.0, Polar(kSqrt3, -90.0));
    fixture.Add("U0", 0.0, {});
    ExpectPhasorNear(Eval("ua:(Uab, Ubc, U0, 1, 1)").phasor, Polar(1.0, 0.0));
    ExpectPhasorNear(Eval("ub:(Uab, Ubc, U0, 1, 1)").phasor, Polar(1.0, -120.0));
    ExpectPhasorNear(Eval("uc:(Uab, Ubc, U0, 1, 1)").phasor, Polar(1.0, 120.0));
    EXPECT_NEAR(Eval("ua:(Uab, Ubc, U0, 1, 1)").real, (2.0 + 2.0) / 3.0, 1e-12);
    EXPECT_NEAR(Eval("u1l:(Uab, Ubc)").real, 1.0, 1e-12);
    EXPECT_NEAR(Eval("u2l:(Uab, Ubc)").real, 0.0, 1e-12);
    // b + c - a + (d - e) / sqrt(3)
    EXPECT_NEAR(Eval("uncn:(1, 2, 3, 4, 1)").real, 4.0 + std::sqrt(3.0), 1e-12);
}

TEST_F(FunctionsTest, PowersAreVoltageTimesConjugateCurrent)
{
    const FormulaValue s = Eval("pf:(Ia, Ua)");
    EXPECT_EQ(s.flags, FormulaValue::kPhasor);
    ExpectPhasorNear(s.phasor, Polar(1000.0, 30.0), 1e-9);
    EXPECT_NEAR(Eval("pk:(pf:(Ia, Ua))").real, std::cos(std::numbers::pi / 6), 1e-12);

    const FormulaValue three = Eval("pf3wm:(Ua, Ia, Ub, Ib, Uc, Ic)");
    ExpectPhasorNear(three.phasor, Polar(3000.0, 30.0), 1e-9);
    EXPECT_EQ(three.flags, FormulaValue::kPhasor);
    ExpectPhasorNear(Eval("pf2wm:(Ua, Ia, Ua, Ia)").phasor, {});
    EXPECT_EQ(Eval("pf3wm:(Ua, Ia, Ub, Ib, , Ic)").flags, 0);
    EXPECT_EQ(Eval("pf2wm:(Ua, , Ub, Ib)").flags, FormulaValue::kPhasor);
}

TEST_F(FunctionsTest, PhaseLoopImpedanceWithEarthCompensation)
{
    fixture.Add("U", 100.0, Polar(100.0, 0.0), "V");
    fixture.Add("I", 4.0, Polar(10.0, -60.0), "A");
    fixture.Add("I0", 0.0, Polar(3.0, -60.0), "A");
    // Z0 = 3 Z1: K0 = 2/3, so the loop current is 10 + 2 = 12 at -60 degrees.
    const FormulaValue z = Eval("zf:(U, I, I0, null, 3, 1, 0, 30, 10, 0, 0.5)");
    ExpectPhasorNear(z.phasor, Polar(100.0 / 12.0, 60.0), 1e-12);
    EXPECT_EQ(z.real, 25.0);
    EXPECT_EQ(z.flags, kRealPhasor | FormulaValue::kChannelRef);
    EXPECT_FALSE(z.IsChannel());
    ExpectPhasorNear(Eval("zk:(U, I, I0, null, 0.6666666666666667, 0, 0, 0, 0.5)").phasor,
                     Polar(100.0 / 12.0, 60.0), 1e-12);
    // Below the minimum current the divisor is zero.
    const FormulaValue below = Eval("zf:(U, I, I0, null, 3, 1, 0, 30, 10, 0, 11)");
    EXPECT_FALSE(std::isfinite(below.phasor.real()));
    EXPECT_TRUE(std::isinf(below.real));
}

TEST_F(FunctionsTest, LineLoopImpedance)
{
    fixture.Add("Uab", 10.0, Polar(100.0, 30.0), "V");
    fixture.Add("I1", 4.0, Polar(10.0, 0.0), "A");
    fixture.Add("I2", 2.0, Polar(10.0, 180.0), "A");
    const FormulaValue z = Eval("zl:(Uab, I1, I2, 1)");
    ExpectPhasorNear(z.phasor, Polar(5.0, 30.0), 1e-12);
    EXPECT_EQ(z.real, 5.0);
    EXPECT_FALSE(std::isfinite(Eval("zl:(Uab, I1, I1, 0)").phasor.real()));
}

TEST_F(FunctionsTest, ReductionsDivideByTheDisplayRatioOfStoredPrimaryValues)
{
    Channel& primary = fixture.Add("Ip", 200.0, Polar(200.0, 0.0), "A");
    primary.valuesArePrimary = true;
    primary.primary = 1000.0;
    primary.secondary = 5.0;
    primary.displayRatio = 0.005;  // shown as secondary values
    const FormulaValue reduced = Eval("coeffpriv:(Ip, 2)");
    ExpectPhasorNear(reduced.phasor, Polar(2.0 * 200.0 / 0.005, 0.0), 1e-6);
    EXPECT_NEAR(reduced.real, 2.0 * 200.0 * 0.005 / 0.005, 1e-9);
    EXPECT_EQ(reduced.flags, kRealPhasor);

    EXPECT_NEAR(Eval("coeffpriv:(Ia, 2)").real, 2.0, 1e-12);
    EXPECT_NEAR(Eval("coefftt:(Ia, 3, 2)").real, 1.5, 1e-12);
    // The base current of 10 MVA at 10 kV is 577.35 A.
    EXPECT_NEAR(Eval("coeffpowerpriv:(Ia, 1, 10000000, 10000)").real,
                1.0 / (1e7 / (kSqrt3 * 1e4)), 1e-15);
    EXPECT_NEAR(Eval("coeffamppriv:(Ia, 5, 2)").real, 2.5, 1e-12);
    EXPECT_NEAR(Eval("coeffamppriv:(Ia, 1, 0)").real, 1e6, 1e-6);
}

TEST_F(FunctionsTest, VectorGroupCompensationBySequences)
{
    // Group 0 without the zero sequence gives back a balanced set.
    ExpectPhasorNear(Eval("grsposlia:(Ia, Ib, Ic, 0, 0)").phasor, Polar(10.0, -30.0));
    // Group 1 turns the positive sequence 30 degrees back, phase by phase.
    ExpectPhasorNear(Eval("grsposlia:(Ia, Ib, Ic, 1, 0)").phasor, Polar(10.0, -60.0));
    ExpectPhasorNear(Eval("grsposlib:(Ia, Ib, Ic, 1, 0)").phasor, Polar(10.0, -180.0));
    ExpectPhasorNear(Eval("grsposlic:(Ia, Ib, Ic, 1, 0)").phasor, Polar(10.0, 60.0));
    ExpectPhasorNear(Eval("grsposlia:(Ia, Ib, Ic, 13, 0)").phasor, Polar(10.0, -60.0));
    // and the negative sequence 30 degrees forward.
    ExpectPhasorNear(Eval("grsposlia:(Ia, Ic, Ib, 1, 0)").phasor, Polar(10.0, 0.0));
    ExpectPhasorNear(Eval("grsposlib:(Ia, Ic, Ib, 1, 0)").phasor, Polar(10.0, 120.0));
    const FormulaValue result = Eval("grsposlia:(Ia, Ib, Ic, 1, 0)");
    EXPECT_NEAR(result.real, 10.0, 1e-12);
    EXPECT_EQ(result.flags, kRealPhasor);
}

TEST_F(FunctionsTest, ZeroSequenceIsKeptOrRemovedByTheFactor)
{
    ExpectPhasorNear(Eval("grsposlia:(Ua, Ua, Ua, 1, 0)").phasor, {});
    ExpectPhasorNear(Eval("grsposlia:(Ua, Ua, Ua, 1, 1)").phasor, Polar(100.0, 0.0));
    ExpectPhasorNear(Eval("grsposlib:(Ua, Ua, Ua, 5, 0.6)").phasor, Polar(100.0, 0.0));
}

TEST_F(FunctionsTest, DeltaCompensation)
{
    const Phasor a = Polar(10.0, -30.0);
    const Phasor b = Polar(10.0, -150.0);
    const Phasor c = Polar(10.0, 90.0);
    ExpectPhasorNear(Eval("grstriangleib:(Ia, Ib, Ic, 0)").phasor, b);
    ExpectPhasorNear(Eval("grstriangleia:(Ia, Ib, Ic, 1)").phasor, (a - b) / kSqrt3);
    ExpectPhasorNear(Eval("grstriangleic:(Ia, Ib, Ic, 1)").phasor, (c - a) / kSqrt3);
    ExpectPhasorNear(Eval("grstriangleib:(Ia, Ib, Ic, 11)").phasor, (b - a) / kSqrt3);
    EXPECT_NEAR(Eval("grstriangleia:(Ia, Ib, Ic, 1)").real, (1.0 - 2.0) / kSqrt3, 1e-12);
    // Groups the triangle cannot form leave each phase as it is.
    ExpectPhasorNear(Eval("grstriangleic:(Ia, Ib, Ic, 5)").phasor, c);
}

TEST_F(FunctionsTest, DifferentialAndBrakingCurrentsOverTwentyFourLegs)
{
    std::string legs = "Ia, Ib";
    for (int i = 0; i < 22; ++i)
        legs += ", ";
    const FormulaValue sum = Eval("grssumcur:(" + legs + ")");
    ExpectPhasorNear(sum.phasor, Polar(10.0, -30.0) + Polar(10.0, -150.0));
    EXPECT_EQ(sum.real, 3.0);
    EXPECT_NEAR(Eval("tormsumcur:(0.5, " + legs + ")").real, 10.0, 1e-12);
    EXPECT_NEAR(Eval("tormmaxcur:(Ua, " + legs.substr(4) + ")").real, 100.0, 1e-12);
    EXPECT_NEAR(Eval("tormsubcur:(Ia, Ib, 2)").real, 2.0 * 10.0 * kSqrt3, 1e-12);
    const FormulaValue braking = Eval("tormsubcur:(Ia, Ib, 2)");
    EXPECT_EQ(braking.flags, kRealPhasor);
    ExpectPhasorNear(braking.phasor, Polar(10.0, -30.0));
}

TEST_F(FunctionsTest, ChannelPassThroughAndDifference)
{
    const FormulaValue channel = Eval("chan:(Ia)");
    EXPECT_EQ(channel.flags, kRealPhasor);
    EXPECT_EQ(channel.real, 1.0);
    const FormulaValue difference = Eval("uniik:(Ua, Ub)");
    EXPECT_EQ(difference.real, -10.0);
    ExpectPhasorNear(difference.phasor, Polar(100.0, 0.0) - Polar(100.0, -120.0));
}

TEST_F(FunctionsTest, WindowMeasuresOfAChannel)
{
    std::vector<double> sine(60);
    for (std::size_t i = 0; i < sine.size(); ++i)
        sine[i] = std::sqrt(2.0) * std::sin(2.0 * std::numbers::pi * 50.0 * static_cast<double>(i) / 1000.0) + 0.25;
    fixture.AddSamples("S", sine);
    EXPECT_EQ(Eval("rms:(S)", 18).real, 0.0);
    EXPECT_NEAR(Eval("rms:(S)", 19).real, std::sqrt(1.0 + 0.0625), 1e-12);
    EXPECT_NEAR(Eval("fourie:(S, 1)", 30).real, 1.0, 1e-12);
    EXPECT_NEAR(Eval("fourie:(S, 1.9)", 30).real, 1.0, 1e-12);
    EXPECT_NEAR(Eval("a0:(S)", 30).real, 0.25, 1e-12);
    EXPECT_NEAR(Eval("fault:(S)", 59).real, 0.0, 1e-12);
}

TEST_F(FunctionsTest, FrequencyOfTheRecordOrOfThePlainEngine)
{
    fixture.record.lineFrequencySeries = {50.0, 49.5};
    EXPECT_EQ(Eval("frequency:()", 1).real, 49.5);
    EXPECT_EQ(Eval("frequency:()", 2).real, 0.0);
    Calculator plain;
    plain.Tokenize("frequency: ()");
    EXPECT_EQ(plain.Evaluate().real, 0.0);
}

TEST_F(FunctionsTest, ArgumentCountAndKindErrors)
{
    EXPECT_EQ(Error("rms:(Ia, Ib)"), "Неправильное число переменных: 'rms:(Ia, Ib)'");
    EXPECT_EQ(Error("i1:(Ia, Ib)"), "Неправильное число переменных: 'i1:(Ia, Ib)'");
    EXPECT_EQ(Error("sin:()"), "no error");
    EXPECT_EQ(Error("rms:(2)"), "Аргумент функции должен быть каналом: 'rms:(2)'");
    EXPECT_EQ(Error("rms:(-Ia)"), "Аргумент функции должен быть каналом: 'rms:(-Ia)'");
    EXPECT_EQ(Error("rms:(Ia + Ib)"), "Аргумент функции должен быть каналом: 'rms:(Ia + Ib)'");
    EXPECT_EQ(Error("tormsumcur:(Ia, Ib)"), "Неправильное число переменных: 'tormsumcur:(Ia, Ib)'");
    EXPECT_EQ(Error("uniik:(Ia, 2)"), "Аргумент функции должен быть каналом: 'uniik:(Ia, 2)'");
}

TEST_F(FunctionsTest, RatioFunctionsReadLaterChannelsAsPrimaryValuesFromThenOn)
{
    Channel& inverted = fixture.Add("Inv", 2.0, Polar(1.0, 0.0));
    inverted.SetFlag(display::kInverted, true);
    const std::string formula = "chan:(Inv) + coeffpriv:(Ia, 1) + Inv";
    CalcChannels& engine = fixture.record.calcChannels;
    engine.Tokenize(formula);
    EXPECT_EQ(engine.Tokens()[2].id, kChannel);
    EXPECT_EQ(engine.Evaluate().real, -2.0 + 1.0 - 2.0);
    EXPECT_EQ(engine.Tokens()[2].id, kChannel);
    EXPECT_EQ(engine.Tokens()[7].id, kPrimaryChannel);
    EXPECT_EQ(engine.Tokens()[12].id, kPrimaryChannel);
    EXPECT_EQ(engine.Evaluate().real, -2.0 + 1.0 - 2.0);
}

} // namespace
} // namespace zarva
