#include "core/formula/ValueSemantics.h"

#include "core/dsp/WindowMeasures.h"
#include "core/formula/Calculator.h"
#include "core/formula/FormulaGrammar.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace zarva {
namespace {

constexpr std::uint8_t kNumberFlags = FormulaValue::kReal | FormulaValue::kPhasor;

FormulaValue Number(double x)
{
    return {.flags = kNumberFlags, .phasor = {x, 0.0}, .real = x};
}

// The channel's phasor-series entry; zero for a discrete channel, past the end or when
// either part is not a number.
Phasor PhasorAt(const Channel& channel, std::int64_t sample)
{
    if (channel.IsDiscrete() || sample < 0 ||
        static_cast<std::size_t>(sample) >= channel.PhasorSeries().Size())
        return {};
    const Phasor z = channel.PhasorSeries().At(static_cast<std::size_t>(sample));
    return std::isnan(z.real()) || std::isnan(z.imag()) ? Phasor{} : z;
}

// x multiplied by itself n times. Past a thousand factors the result has long since
// settled at 0, ±1 or infinity, and pow gives it without looping.
double IntegerPower(double x, int n)
{
    constexpr int kLoopLimit = 1024;
    if (n > kLoopLimit)
        return std::pow(x, n);
    double result = x;
    for (int i = 1; i < n; ++i)
        result *= x;
    return result;
}

} // namespace

ValueSemantics::ValueSemantics(const Calculator& engine)
    : engine_(engine), sample_(engine.Sample())
{
}

FormulaValue ValueSemantics::Primary(const Token& token) const
{
    switch (token.id) {
    case kNumber:
        return Number(token.number);
    case kPi:
        return Number(std::numbers::pi);
    case kVariable:
        return Number(engine_.VariableValue(token.text));
    case kChannel:
    case kPrimaryChannel:
        return ChannelPrimary(*token.channel);
    default:
        return {};
    }
}

// A primary-value reference (kPrimaryChannel) reads the same displayed value: a channel
// shown in primary values already displays them, with its DC removal and inversion applied
// once.
FormulaValue ValueSemantics::ChannelPrimary(const Channel& channel) const
{
    return {.flags = kNumberFlags | FormulaValue::kChannelRef,
            .phasor = PhasorAt(channel, sample_),
            .real = Value(channel, sample_),
            .channel = &channel};
}

void ValueSemantics::Combine(TokenId op, FormulaValue& a, const FormulaValue& b) const
{
    a.flags &= b.flags;
    a.channel = nullptr;
    switch (op) {
    case kPlus:
        a.phasor += b.phasor;
        a.real += b.real;
        break;
    case kMinus:
        a.phasor -= b.phasor;
        a.real -= b.real;
        break;
    case kMul:
        a.phasor *= b.phasor;
        a.real *= b.real;
        break;
    default:
        a.phasor /= b.phasor;
        a.real /= b.real;
        break;
    }
}

// Integer exponents only. A negative one leaves the real number as it is.
void ValueSemantics::Raise(FormulaValue& base, const FormulaValue& exponent) const
{
    const double e = exponent.real;
    if (!(e >= std::numeric_limits<int>::min() && e <= std::numeric_limits<int>::max()) ||
        std::trunc(e) != e)
        throw FormulaSyntaxFault{};
    const int n = static_cast<int>(e);
    if (n == 0)
        base.real = 1.0;
    else if (n > 0)
        base.real = IntegerPower(base.real, n);
    base.flags = FormulaValue::kReal;
}

void ValueSemantics::Negate(FormulaValue& a) const
{
    a.phasor = -a.phasor;
    a.real = -a.real;
    a.channel = nullptr;
}

} // namespace zarva
