#include "FormulaTestRecord.h"

#include "core/formula/Calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>

namespace zarva {
namespace {

using test::ErrorText;
using test::ExpectPhasorNear;
using test::FormulaTestRecord;
using test::Polar;

constexpr std::uint8_t kRealPhasor = FormulaValue::kReal | FormulaValue::kPhasor;
const double kSqrt3 = std::sqrt(3.0);
const double kCos30 = std::cos(std::numbers::pi / 6);

// The phase set and, for the voltage, loop and reduction functions, channels whose results
// are easy to work out by hand.
class FunctionsTest : public ::testing::Test {
protected:
    FunctionsTest()
    {
        fixture.AddPhaseSet();
        fixture.Add("Uab", 1.0, Polar(kSqrt3, 30.0));
        fixture.Add("Ubc", 2.0, Polar(kSqrt3, -90.0));
        fixture.Add("U0", 0.0, {});
        fixture.Add("U", 100.0, Polar(100.0, 0.0), "V");
        fixture.Add("I", 4.0, Polar(10.0, -60.0), "A");
        fixture.Add("I0", 0.0, Polar(3.0, -60.0), "A");
        fixture.Add("Ul", 10.0, Polar(100.0, 30.0), "V");
        fixture.Add("I1", 4.0, Polar(10.0, 0.0), "A");
        fixture.Add("I2", 2.0, Polar(10.0, 180.0), "A");
        Channel& primary = fixture.Add("Ip", 200.0, Polar(200.0, 0.0), "A");
        primary.valuesArePrimary = true;
        primary.primary = 1000.0;
        primary.secondary = 5.0;
        primary.displayRatio = 0.005;  // shown as secondary values
    }

    FormulaValue Eval(const std::string& formula, std::int64_t sample = 0)
    {
        return fixture.Evaluate(formula, sample);
    }

    FormulaTestRecord fixture;
};

struct RealCase {
    std::string formula;
    double expected;
    double tolerance;
    std::int64_t sample = 0;
};

TEST_F(FunctionsTest, RealResults)
{
    const std::vector<RealCase> cases = {
        // Trigonometry takes degrees.
        {"sin:(30)", 0.5, 1e-15}, {"cos:(60)", 0.5, 1e-15}, {"tg:(45)", 1.0, 1e-15},
        {"ctg:(45)", 1.0, 1e-15}, {"sqrt:(2) * sqrt:(2)", 2.0, 1e-15}, {"exp:(1)", std::numbers::e, 1e-15},
        // Parts, modulus and angles of phasors; the angle is zero during the first period.
        {"re:(Ia)", 10.0 * kCos30, 1e-12}, {"im:(Ia)", -5.0, 1e-12}, {"mod:(Ia)", 10.0, 1e-12},
        {"cosui:(Ua, Ia)", kCos30, 1e-12}, {"absig:(Ua, Ia)", -30.0, 1e-12},
        {"arg:(Ia)", 0.0, 0.0, 19}, {"arg:(Ia)", -30.0, 1e-12, 20},
        // Sequence components of the balanced set.
        {"i1:(Ia, Ib, Ic)", 10.0, 1e-12}, {"i2:(Ia, Ib, Ic)", 0.0, 1e-12}, {"3i0:(Ia, Ib, Ic)", 0.0, 1e-12},
        {"i2:(Ia, Ic, Ib)", 10.0, 1e-12}, {"u1f:(Ua, Ub, Uc)", 100.0, 1e-12}, {"u2f:(Ua, Ub, Uc)", 0.0, 1e-12},
        {"3u0:(Ua, Ua, Ua)", 300.0, 1e-12},
        {"ib:(Ia, Ic, 3i0:(Ia, Ib, Ic))", 0.0 - (1.0 + 3.0), 1e-12},  // 3i0: has the modulus 0 as its real
        // Line and phase voltages; uncn: is b + c - a + (d - e) / sqrt(3).
        {"ulf:(Ua, Ub)", -10.0, 0.0}, {"ua:(Uab, Ubc, U0, 1, 1)", (2.0 + 2.0) / 3.0, 1e-12},
        {"u1l:(Uab, Ubc)", 1.0, 1e-12}, {"u2l:(Uab, Ubc)", 0.0, 1e-12},
        {"uncn:(1, 2, 3, 4, 1)", 4.0 + kSqrt3, 1e-12},
        {"pk:(pf:(Ia, Ua))", kCos30, 1e-12},
        {"zf:(U, I, I0, null, 3, 1, 0, 30, 10, 0, 0.5)", 25.0, 0.0}, {"zl:(Ul, I1, I2, 1)", 5.0, 0.0},
        // Reductions divide by the display ratio of stored primary values.
        {"coeffpriv:(Ip, 2)", 2.0 * 200.0 * 0.005 / 0.005, 1e-9}, {"coeffpriv:(Ia, 2)", 2.0, 1e-12},
        {"coefftt:(Ia, 3, 2)", 1.5, 1e-12}, {"coeffamppriv:(Ia, 5, 2)", 2.5, 1e-12},
        {"coeffamppriv:(Ia, 1, 0)", 1e6, 1e-6},
        // The base current of 10 MVA at 10 kV is 577.35 A.
        {"coeffpowerpriv:(Ia, 1, 10000000, 10000)", 1.0 / (1e7 / (kSqrt3 * 1e4)), 1e-15},
        // Transformer compensation, differential and braking currents.
        {"grsposlia:(Ia, Ib, Ic, 1, 0)", 10.0, 1e-12}, {"grstriangleia:(Ia, Ib, Ic, 1)", (1.0 - 2.0) / kSqrt3, 1e-12},
        {"grssumcur:(Ia, Ib" + std::string(22, ',') + ")", 3.0, 0.0},
        {"tormsumcur:(0.5, Ia, Ib" + std::string(22, ',') + ")", 10.0, 1e-12},
        {"tormmaxcur:(Ua, Ib" + std::string(22, ',') + ")", 100.0, 1e-12},
        {"tormsubcur:(Ia, Ib, 2)", 2.0 * 10.0 * kSqrt3, 1e-12},
        {"chan:(Ia)", 1.0, 0.0}, {"uniik:(Ua, Ub)", -10.0, 0.0},
    };
    for (const RealCase& c : cases)
        EXPECT_NEAR(Eval(c.formula, c.sample).real, c.expected, c.tolerance) << c.formula << " at " << c.sample;
    EXPECT_TRUE(std::isnan(Eval("sqrt:(0-1)").real));
    Calculator plain;
    plain.Tokenize("arg:(pf:(1, 0-1))");
    EXPECT_NEAR(plain.Evaluate().real, -180.0, 1e-12);
}

TEST_F(FunctionsTest, PhasorResults)
{
    const Phasor a = Polar(10.0, -30.0);
    const Phasor b = Polar(10.0, -150.0);
    const Phasor c = Polar(10.0, 90.0);
    const std::vector<std::tuple<std::string, Phasor, double>> cases = {
        {"mod:(Ia)", a, 1e-12}, {"i1:(Ia, Ib, Ic)", a, 1e-12}, {"ib:(Ia, Ic, 3i0:(Ia, Ib, Ic))", b, 1e-12},
        {"ulf:(Ua, Ub)", Polar(100.0 * kSqrt3, 30.0), 1e-9},
        {"ull:(ulf:(Ua, Ub), ulf:(Ub, Uc))", Polar(100.0 * kSqrt3, 150.0), 1e-9},
        {"ua:(Uab, Ubc, U0, 1, 1)", Polar(1.0, 0.0), 1e-12}, {"ub:(Uab, Ubc, U0, 1, 1)", Polar(1.0, -120.0), 1e-12},
        {"uc:(Uab, Ubc, U0, 1, 1)", Polar(1.0, 120.0), 1e-12},
        // Powers are voltage times conjugate current.
        {"pf:(Ia, Ua)", Polar(1000.0, 30.0), 1e-9}, {"pf3wm:(Ua, Ia, Ub, Ib, Uc, Ic)", Polar(3000.0, 30.0), 1e-9},
        {"pf2wm:(Ua, Ia, Ua, Ia)", {}, 1e-12},
        // Z0 = 3 Z1: K0 = 2/3, so the loop current is 10 + 2 = 12 at -60 degrees.
        {"zf:(U, I, I0, null, 3, 1, 0, 30, 10, 0, 0.5)", Polar(100.0 / 12.0, 60.0), 1e-12},
        {"zk:(U, I, I0, null, 0.6666666666666667, 0, 0, 0, 0.5)", Polar(100.0 / 12.0, 60.0), 1e-12},
        {"zl:(Ul, I1, I2, 1)", Polar(5.0, 30.0), 1e-12},
        {"coeffpriv:(Ip, 2)", Polar(2.0 * 200.0 / 0.005, 0.0), 1e-6},
        // Group 0 without the zero sequence gives back a balanced set; group 1 turns the
        // positive sequence 30 degrees forward, phase by phase, and the negative one back.
        {"grsposlia:(Ia, Ib, Ic, 0, 0)", a, 1e-12}, {"grsposlia:(Ia, Ib, Ic, 1, 0)", Polar(10.0, 0.0), 1e-12},
        {"grsposlib:(Ia, Ib, Ic, 1, 0)", Polar(10.0, -120.0), 1e-12},
        {"grsposlic:(Ia, Ib, Ic, 1, 0)", Polar(10.0, 120.0), 1e-12},
        {"grsposlia:(Ia, Ib, Ic, 13, 0)", Polar(10.0, 0.0), 1e-12},
        {"grsposlia:(Ia, Ic, Ib, 1, 0)", Polar(10.0, -60.0), 1e-12},
        {"grsposlib:(Ia, Ic, Ib, 1, 0)", Polar(10.0, 60.0), 1e-12},
        // The zero sequence is kept or removed by the factor.
        {"grsposlia:(Ua, Ua, Ua, 1, 0)", {}, 1e-12}, {"grsposlia:(Ua, Ua, Ua, 1, 1)", Polar(100.0, 0.0), 1e-12},
        {"grsposlib:(Ua, Ua, Ua, 5, 0.6)", Polar(100.0, 0.0), 1e-12},
        // Delta compensation; groups the triangle cannot form leave each phase as it is.
        {"grstriangleib:(Ia, Ib, Ic, 0)", b, 1e-12}, {"grstriangleia:(Ia, Ib, Ic, 1)", (a - b) / kSqrt3, 1e-12},
        {"grstriangleic:(Ia, Ib, Ic, 1)", (c - a) / kSqrt3, 1e-12},
        {"grstriangleib:(Ia, Ib, Ic, 11)", (b - a) / kSqrt3, 1e-12}, {"grstriangleic:(Ia, Ib, Ic, 5)", c, 1e-12},
        {"grssumcur:(Ia, Ib" + std::string(22, ',') + ")", a + b, 1e-12}, {"tormsubcur:(Ia, Ib, 2)", a, 1e-12},
        {"uniik:(Ua, Ub)", Polar(100.0, 0.0) - Polar(100.0, -120.0), 1e-12},
    };
    for (const auto& [formula, expected, tolerance] : cases) {
        SCOPED_TRACE(formula);
        ExpectPhasorNear(Eval(formula).phasor, expected, tolerance);
    }
}

// Clock notation: the low-voltage side of a transformer of group n lags the high-voltage
// side by n × 30° in the positive sequence and leads it by as much in the negative one (Yd11:
// the delta-side positive sequence leads by 30°). Compensating the low-voltage currents for
// group n, by either method, gives back the high-voltage ones without their zero sequence.
TEST(VectorGroup, BothMethodsUndoTheClockShiftOfTheTransformer)
{
    const Phasor positive = Polar(10.0, -20.0);
    const Phasor negative = Polar(3.0, 45.0);
    const Phasor zero = Polar(2.0, 70.0);
    const double phaseTurns[3] = {0.0, -120.0, 120.0};
    for (const int group : {1, 5, 11}) {
        SCOPED_TRACE(group);
        FormulaTestRecord fixture;
        Phasor high[3];
        for (int k = 0; k < 3; ++k) {
            const double turn = phaseTurns[k];
            high[k] = positive * Polar(1.0, turn) + negative * Polar(1.0, -turn);
            const Phasor low = positive * Polar(1.0, turn - 30.0 * group) +
                               negative * Polar(1.0, -turn + 30.0 * group) + zero;
            fixture.Add(std::string("L") + "abc"[k], 0.0, low, "A");
        }
        const std::string g = std::to_string(group);
        for (int k = 0; k < 3; ++k) {
            const std::string phase(1, "abc"[k]);
            ExpectPhasorNear(fixture.Evaluate("grsposli" + phase + ":(La, Lb, Lc, " + g + ", 0)").phasor, high[k]);
            if (group != 5)
                ExpectPhasorNear(fixture.Evaluate("grstriangleI" + phase + ":(La, Lb, Lc, " + g + ")").phasor, high[k]);
        }
    }
}

TEST_F(FunctionsTest, ResultKinds)
{
    const std::vector<std::pair<std::string, std::uint8_t>> cases = {
        {"sin:(30)", FormulaValue::kReal}, {"mod:(Ia)", kRealPhasor}, {"i1:(Ia, Ib, Ic)", kRealPhasor},
        {"ib:(Ia, Ic, 3i0:(Ia, Ib, Ic))", kRealPhasor}, {"ib:(Ia, Ib, pf:(1, 1))", FormulaValue::kPhasor},
        {"ulf:(Ua, Ub)", kRealPhasor | FormulaValue::kChannelRef}, {"pf:(Ia, Ua)", FormulaValue::kPhasor},
        {"pf3wm:(Ua, Ia, Ub, Ib, Uc, Ic)", FormulaValue::kPhasor}, {"pf3wm:(Ua, Ia, Ub, Ib, , Ic)", 0},
        {"pf2wm:(Ua, , Ub, Ib)", FormulaValue::kPhasor},
        {"zf:(U, I, I0, null, 3, 1, 0, 30, 10, 0, 0.5)", kRealPhasor | FormulaValue::kChannelRef},
        {"coeffpriv:(Ip, 2)", kRealPhasor}, {"grsposlia:(Ia, Ib, Ic, 1, 0)", kRealPhasor},
        {"tormsubcur:(Ia, Ib, 2)", kRealPhasor}, {"chan:(Ia)", kRealPhasor},
    };
    for (const auto& [formula, flags] : cases)
        EXPECT_EQ(Eval(formula).flags, flags) << formula;
    EXPECT_FALSE(Eval("zf:(U, I, I0, null, 3, 1, 0, 30, 10, 0, 0.5)").IsChannel());
}

TEST_F(FunctionsTest, LoopImpedanceBelowTheMinimumCurrentOrWithoutACurrentIsInfinite)
{
    const FormulaValue below = Eval("zf:(U, I, I0, null, 3, 1, 0, 30, 10, 0, 11)");
    EXPECT_FALSE(std::isfinite(below.phasor.real()));
    EXPECT_TRUE(std::isinf(below.real));
    EXPECT_FALSE(std::isfinite(Eval("zl:(Ul, I1, I1, 0)").phasor.real()));
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
    const std::string count = "Неправильное число переменных: '";
    const std::string channel = "Аргумент функции должен быть каналом: '";
    for (const std::string formula : {"rms:(Ia, Ib)", "i1:(Ia, Ib)", "tormsumcur:(Ia, Ib)"})
        EXPECT_EQ(ErrorText([&] { Eval(formula); }), count + formula + "'");
    for (const std::string formula : {"rms:(2)", "rms:(-Ia)", "rms:(Ia + Ib)", "uniik:(Ia, 2)"})
        EXPECT_EQ(ErrorText([&] { Eval(formula); }), channel + formula + "'");
    EXPECT_EQ(ErrorText([&] { Eval("sin:()"); }), "no error");
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
