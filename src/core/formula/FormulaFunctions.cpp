#include "core/dsp/PhasorMath.h"
#include "core/dsp/WindowMeasures.h"
#include "core/formula/Calculator.h"
#include "core/formula/ValueSemantics.h"
#include "core/model/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace zarva {
namespace {

constexpr int kWrongArgumentCount = 1072;
constexpr int kArgumentNotChannel = 1073;
constexpr std::uint8_t kRealAndPhasor = FormulaValue::kReal | FormulaValue::kPhasor;

struct ArgumentRule {
    int count;               // -1: not checked
    std::uint32_t channels;  // bit i: argument i must be a channel
};

constexpr ArgumentRule RuleOf(TokenId function)
{
    switch (function) {
    case kRms:
    case kA0:
    case kFault:
    case kChan:
        return {1, 0b1};
    case kFourie:
    case kCoeffPriv:
        return {2, 0b1};
    case kFrequency:
        return {-1, 0};
    case kCosUi:
    case kAbsIg:
    case kUlf:
    case kUll:
    case kU1l:
    case kU2l:
    case kPf:
        return {2, 0};
    case kIb:
    case k3I0:
    case kI1:
    case kI2:
    case k3U0:
    case kU1f:
    case kU2f:
        return {3, 0};
    case kUa:
    case kUb:
    case kUc:
    case kGrsPoslIa:
    case kGrsPoslIb:
    case kGrsPoslIc:
        return {5, 0b111};
    case kUncn:
        return {5, 0};
    case kPf3Wm:
        return {6, 0};
    case kPf2Wm:
        return {4, 0};
    case kZf:
        return {11, 0b11};
    case kZk:
        return {9, 0b11};
    case kZl:
    case kGrsTriangleIa:
    case kGrsTriangleIb:
    case kGrsTriangleIc:
        return {4, 0b111};
    case kCoeffTransPriv:
    case kCoeffAmpPriv:
        return {3, 0b1};
    case kCoeffPowerPriv:
        return {4, 0b1};
    case kGrsSumCur:
    case kTormMaxCur:
        return {24, 0b1};
    case kTormSumCur:
        return {25, 0b10};
    case kTormSubCur:
        return {3, 0b11};
    case kUniik:
        return {2, 0b11};
    default:
        return {1, 0};
    }
}

void CheckArguments(TokenId function, std::span<const FormulaValue> args)
{
    const ArgumentRule rule = RuleOf(function);
    if (rule.count >= 0 && args.size() != static_cast<std::size_t>(rule.count))
        throw FormulaArgumentFault{kWrongArgumentCount};
    for (std::size_t i = 0; i < args.size() && i < 32; ++i) {
        if ((rule.channels >> i & 1u) != 0 && !args[i].IsChannel())
            throw FormulaArgumentFault{kArgumentNotChannel};
    }
}

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

// A real argument truncated to an integer, saturating instead of overflowing.
int TruncatedInt(double x)
{
    if (std::isnan(x))
        return 0;
    return static_cast<int>(std::clamp(std::trunc(x), double(std::numeric_limits<int>::min()),
                                       double(std::numeric_limits<int>::max())));
}

// |z| without the cost of hypot where the squares can neither overflow nor underflow.
double Modulus(Phasor z)
{
    const double x = std::abs(z.real());
    const double y = std::abs(z.imag());
    const double larger = std::max(x, y);
    if (larger > 1e-150 && larger < 1e150)
        return std::sqrt(x * x + y * y);
    return std::abs(z);
}

void SetReal(FormulaValue& result, double x)
{
    result.real = x;
    result.flags = FormulaValue::kReal;
}

void SetPhasorAndModulus(FormulaValue& result, Phasor z)
{
    result.phasor = z;
    result.real = Modulus(z);
    result.flags = kRealAndPhasor;
}

// The ratio that results reduced for differential protection are divided by.
double ReductionRatioOf(const FormulaValue& argument)
{
    return argument.IsChannel() ? ReductionRatio(*argument.channel) : 1.0;
}

// Applies `operation` to the phasors and to the reals of the arguments.
template <typename Operation>
void OnPhasorsAndReals(FormulaValue& result, std::span<const FormulaValue> args,
                       Operation operation)
{
    const Phasor z = operation([&](std::size_t i) { return args[i].phasor; });
    const double x = operation([&](std::size_t i) { return Phasor(args[i].real, 0.0); }).real();
    result.phasor = z;
    result.real = x;
}

// Vector-group compensation by symmetrical components. A transformer of group n (clock
// notation) turns the positive sequence by -30°·n and the negative one by +30°·n; the
// compensation turns them back, as the delta compensation of groups 1 and 11 does. k = 0
// removes the zero sequence. Phases B and C are the phase-A result of the cyclically shifted
// currents (b, c, a) and (c, a, b).
Phasor SequenceCompensated(Phasor a, Phasor b, Phasor c, double group, double zeroFactor)
{
    const std::int64_t turns = ((RoundToInt64(group) % 12) + 12) % 12;
    const double angle = Radians(30.0 * static_cast<double>(turns));
    const Phasor positiveTurn = std::polar(1.0, angle);
    const Phasor negativeTurn = std::polar(1.0, -angle);
    return PositiveSequence(a, b, c) * positiveTurn + NegativeSequence(a, b, c) * negativeTurn +
           RoundHalfUp(zeroFactor) * SequenceSum(a, b, c) / 3.0;
}

// Delta ("digital triangle") compensation of phase `phase` (0 = A) for groups 1 and 11.
// Other groups leave each phase uncompensated.
template <typename T>
T DeltaCompensated(const T (&abc)[3], int phase, std::int64_t group)
{
    const T& own = abc[phase];
    if (group == 1)
        return (own - abc[(phase + 1) % 3]) / std::sqrt(3.0);
    if (group == 11)
        return (own - abc[(phase + 2) % 3]) / std::sqrt(3.0);
    return own;
}

void ApplyLoopImpedance(TokenId function, FormulaValue& result, std::span<const FormulaValue> a)
{
    const FormulaValue& u = a[0];
    const FormulaValue& i = a[1];
    const double ratio = i.channel->displayRatio;
    Phasor z;
    double realDivisor = 0.0;
    std::uint8_t flags = u.flags & i.flags;
    if (function == kZl) {
        const FormulaValue& i2 = a[2];
        const double iMin = a[3].real;
        const double ratio2 = i2.channel->displayRatio;
        z = LineLoopImpedance(u.phasor, i.phasor, i2.phasor, iMin, ratio, ratio2);
        if (!BelowMinimumCurrent(i.phasor / ratio - i2.phasor / ratio2, 1.0, iMin))
            realDivisor = i.real - i2.real;
        flags &= i2.flags;
    } else {
        const double iMin = function == kZf ? a[10].real : a[8].real;
        if (function == kZf) {
            const LineImpedances line{.r0 = a[4].real, .r1 = a[5].real, .r0m = a[6].real,
                                      .x0 = a[7].real, .x1 = a[8].real, .x0m = a[9].real};
            z = PhaseLoopImpedance(u.phasor, i.phasor, a[2].phasor, a[3].phasor, line, iMin, ratio);
        } else {
            z = PhaseLoopImpedanceK(u.phasor, i.phasor, a[2].phasor, a[3].phasor, a[4].real,
                                    a[5].real, a[6].real, a[7].real, iMin, ratio);
        }
        if (!BelowMinimumCurrent(i.phasor, ratio, iMin))
            realDivisor = i.real;
    }
    result.real = u.real / realDivisor;
    result.phasor = z;
    result.flags = flags;
}

void ApplyReduction(TokenId function, FormulaValue& result, std::span<const FormulaValue> a)
{
    const double r = ReductionRatioOf(a[0]);
    const double k = a[1].real;
    OnPhasorsAndReals(result, a, [&](auto arg) {
        switch (function) {
        case kCoeffPriv:
            return ReduceByCoefficient(arg(0), k, r);
        case kCoeffTransPriv:
            return ReduceByTransformerRatio(arg(0), k, a[2].real, r);
        case kCoeffPowerPriv:
            return ReduceByPower(arg(0), k, a[2].real, a[3].real, r);
        default:
            return ReduceByNominalCurrent(arg(0), k, a[2].real, r);
        }
    });
    result.flags = kRealAndPhasor;
}

void ApplyGroupCompensation(TokenId function, FormulaValue& result,
                            std::span<const FormulaValue> a)
{
    const double r = GuardDivisor(ReductionRatioOf(a[0]));
    if (function >= kGrsPoslIa && function <= kGrsPoslIc) {
        const Phasor abc[3] = {a[0].phasor, a[1].phasor, a[2].phasor};
        const int phase = function - kGrsPoslIa;
        const Phasor z = SequenceCompensated(abc[phase], abc[(phase + 1) % 3],
                                             abc[(phase + 2) % 3], a[3].real, a[4].real);
        SetPhasorAndModulus(result, z / r);
        return;
    }
    const int phase = function - kGrsTriangleIa;
    const std::int64_t group = RoundToInt64(a[3].real);
    const Phasor phasors[3] = {a[0].phasor, a[1].phasor, a[2].phasor};
    const double reals[3] = {a[0].real, a[1].real, a[2].real};
    result.phasor = DeltaCompensated(phasors, phase, group) / r;
    result.real = DeltaCompensated(reals, phase, group) / r;
    result.flags = kRealAndPhasor;
}

// The differential current and the three braking currents over up to 24 legs.
void ApplyLegSum(TokenId function, FormulaValue& result, std::span<const FormulaValue> a)
{
    if (function == kGrsSumCur) {
        const double r = GuardDivisor(ReductionRatioOf(a[0]));
        Phasor sum;
        double realSum = 0.0;
        for (const FormulaValue& leg : a) {
            sum += leg.phasor;
            realSum += leg.real;
        }
        result.phasor = sum / r;
        result.real = realSum / r;
    } else if (function == kTormSumCur) {
        // The ratio comes from the first current, the first argument being the factor.
        const double r = GuardDivisor(ReductionRatioOf(a[1]));
        double moduli = 0.0;
        for (const FormulaValue& leg : a.subspan(1))
            moduli += Modulus(leg.phasor);
        result.real = a[0].real * moduli / r;
    } else if (function == kTormSubCur) {
        const double r = GuardDivisor(ReductionRatioOf(a[0]));
        result.real = a[2].real * Modulus(a[0].phasor - a[1].phasor) / r;
    } else {
        const double r = GuardDivisor(ReductionRatioOf(a[0]));
        double largest = 0.0;
        for (const FormulaValue& leg : a)
            largest = std::max(largest, Modulus(leg.phasor));
        result.real = largest / r;
    }
    result.flags = kRealAndPhasor;
}

// The mathematical functions and the measures of one channel.
void ApplyElementary(TokenId function, std::span<FormulaValue> args, const Calculator& engine,
                     std::int64_t sample)
{
    FormulaValue& result = args[0];
    const double x = result.real;
    const Phasor z = result.phasor;
    switch (function) {
    case kSin:
        return SetReal(result, std::sin(Radians(x)));
    case kCos:
        return SetReal(result, std::cos(Radians(x)));
    case kTan:
        return SetReal(result, std::tan(Radians(x)));
    case kCotan:
        return SetReal(result, 1.0 / std::tan(Radians(x)));
    case kSqrt:
        return SetReal(result, std::sqrt(x));
    case kExp:
        return SetReal(result, std::exp(x));
    case kRe:
        return SetReal(result, z.real());
    case kIm:
        return SetReal(result, z.imag());
    case kMod:
        result.real = Modulus(z);
        result.flags = kRealAndPhasor;
        return;
    case kArg: {
        const bool firstPeriod = sample < static_cast<std::int64_t>(engine.SamplesPerPeriod());
        return SetReal(result, firstPeriod ? 0.0 : AngleDeg(z));
    }
    case kCosUi:
        return SetReal(result, CosBetween(z, args[1].phasor));
    case kAbsIg:
        return SetReal(result, AngleBetween(z, args[1].phasor));
    case kRms:
        return SetReal(result, Rms(*result.channel, sample, 1));
    case kFourie:
        return SetReal(result, HarmonicRms(*result.channel, TruncatedInt(args[1].real), sample));
    case kA0:
        return SetReal(result, DcComponent(*result.channel, sample, 1));
    case kFault:
        return SetReal(result, FaultComponent(*result.channel, sample));
    case kFrequency:
        return SetReal(result, engine.Frequency(sample));
    default:
        return;
    }
}

// Symmetrical components, line and phase quantities.
void ApplyPhaseQuantities(TokenId function, std::span<FormulaValue> args)
{
    FormulaValue& result = args[0];
    const Phasor z = result.phasor;
    switch (function) {
    case kIb:
        result.flags &= args[1].flags & args[2].flags;
        return OnPhasorsAndReals(result, args, [](auto arg) {
            return MissingPhase(arg(0), arg(1), arg(2));
        });
    case k3I0:
    case k3U0:
        return SetPhasorAndModulus(result, SequenceSum(z, args[1].phasor, args[2].phasor));
    case kI1:
    case kU1f:
        return SetPhasorAndModulus(result, PositiveSequence(z, args[1].phasor, args[2].phasor));
    case kI2:
    case kU2f:
        return SetPhasorAndModulus(result, NegativeSequence(z, args[1].phasor, args[2].phasor));
    case kUlf:
    case kUll:
        result.flags &= args[1].flags;
        return OnPhasorsAndReals(result, args, [function](auto arg) {
            return function == kUlf ? LineFromPhases(arg(0), arg(1)) : ThirdLine(arg(0), arg(1));
        });
    case kUa:
    case kUb:
    case kUc: {
        const auto phase = static_cast<PhaseLetter>(function - kUa);
        const double k1 = args[3].real;
        const double k2 = args[4].real;
        result.flags &= args[1].flags & args[2].flags;
        return OnPhasorsAndReals(result, args, [&](auto arg) {
            return PhaseFromLine(phase, arg(0), arg(1), arg(2), k1, k2);
        });
    }
    case kU1l:
        return SetPhasorAndModulus(result, PositiveSequenceFromLine(z, args[1].phasor));
    case kU2l:
        return SetPhasorAndModulus(result, NegativeSequenceFromLine(z, args[1].phasor));
    case kUncn:
        return SetPhasorAndModulus(result, UncnCombination(z, args[1].phasor, args[2].phasor,
                                                           args[3].phasor, args[4].phasor));
    default:
        return;
    }
}

// Powers, impedances, protection and the rest of the electrical functions.
void ApplyElectrical(TokenId function, std::span<FormulaValue> args)
{
    FormulaValue& result = args[0];
    const double x = result.real;
    const Phasor z = result.phasor;
    switch (function) {
    case kPk:
        return SetReal(result, PowerFactor(z));
    case kPf:
        result.phasor = ComplexPower(z, args[1].phasor);
        result.flags = FormulaValue::kPhasor;
        return;
    case kPf3Wm:
    case kPf2Wm: {
        const bool three = function == kPf3Wm;
        const bool voltagesValid = args[0].HasPhasor() && args[2].HasPhasor() &&
                                   (!three || args[4].HasPhasor());
        result.phasor = three ? ThreeWattmeterPower(z, args[1].phasor, args[2].phasor,
                                                    args[3].phasor, args[4].phasor, args[5].phasor)
                              : TwoWattmeterPower(z, args[1].phasor, args[2].phasor, args[3].phasor);
        result.flags = voltagesValid ? FormulaValue::kPhasor : 0;
        return;
    }
    case kZf:
    case kZk:
    case kZl:
        return ApplyLoopImpedance(function, result, args);
    case kCoeffPriv:
    case kCoeffTransPriv:
    case kCoeffPowerPriv:
    case kCoeffAmpPriv:
        return ApplyReduction(function, result, args);
    case kGrsPoslIa:
    case kGrsPoslIb:
    case kGrsPoslIc:
    case kGrsTriangleIa:
    case kGrsTriangleIb:
    case kGrsTriangleIc:
        return ApplyGroupCompensation(function, result, args);
    case kGrsSumCur:
    case kTormSumCur:
    case kTormSubCur:
    case kTormMaxCur:
        return ApplyLegSum(function, result, args);
    case kChan:
        result.flags = kRealAndPhasor;
        return;
    case kUniik:
        result.phasor = z - args[1].phasor;
        result.real = x - args[1].real;
        result.flags = kRealAndPhasor;
        return;
    default:
        return ApplyPhaseQuantities(function, args);
    }
}

} // namespace

// A result is a value, never a channel reference, whatever its flags say.
void ValueSemantics::Apply(TokenId function, std::span<FormulaValue> args) const
{
    CheckArguments(function, args);
    if (function <= kFrequency)
        ApplyElementary(function, args, engine_, sample_);
    else
        ApplyElectrical(function, args);
    args[0].channel = nullptr;
}

} // namespace zarva
