#include "core/formats/CodeScale.h"

#include "core/model/Channel.h"

#include <algorithm>
#include <limits>

namespace zarva {
namespace {

// A code this close to a whole number is that number: the stored value went through a
// multiplication and back, and a thousandth of a step is far below any recorder's noise.
constexpr double kWholeTolerance = 1e-3;
// Spread float codes keep about the precision of a float's mantissa.
constexpr double kFloatSpread = 16777216.0;

struct Limits {
    double lowest;
    double highest;
    double spread;  // codes used when the values are spread: ±spread
};

Limits LimitsOf(DataFormat format)
{
    switch (format) {
    case DataFormat::Binary: return {-32768.0, 32767.0, 32767.0};
    case DataFormat::Float32: return {-FLT_MAX, FLT_MAX, kFloatSpread};
    case DataFormat::Ascii:
    case DataFormat::Binary32: break;
    }
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    return {kLowest, kHighest, kHighest};
}

bool IsFinite(double value)
{
    return value - value == 0.0;
}

struct ValueSpan {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    bool Empty() const { return low > high; }
};

ValueSpan SpanOf(const double* values, std::size_t count)
{
    ValueSpan span;
    for (std::size_t i = 0; i < count; ++i) {
        const double value = values[i];
        if (IsFinite(value)) {
            span.low = std::min(span.low, value);
            span.high = std::max(span.high, value);
        }
    }
    return span;
}

// Every code is within the integer range of the form, which the span has proved.
bool AllCodesWhole(const double* values, std::size_t count, const CodeScale& scale)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsFinite(values[i]))
            continue;
        const double code = (values[i] - scale.offset) / scale.factor;
        const double fraction = std::fabs(code - static_cast<double>(static_cast<std::int64_t>(code)));
        if (fraction > kWholeTolerance && fraction < 1.0 - kWholeTolerance)
            return false;
    }
    return true;
}

void SetCodeRange(CodeScale& scale, const ValueSpan& span, DataFormat format)
{
    if (span.Empty())
        return;
    double first = 0.0;
    double second = 0.0;
    if (format == DataFormat::Float32) {
        first = FloatCode(span.low, scale);
        second = FloatCode(span.high, scale);
    } else {
        first = static_cast<double>(IntegerCode(span.low, scale));
        second = static_cast<double>(IntegerCode(span.high, scale));
    }
    scale.minCode = std::min(first, second);
    scale.maxCode = std::max(first, second);
}

CodeScale MakeScale(double multiplier, double offset, double unitFactor, const Limits& limits)
{
    return {multiplier, offset, unitFactor * multiplier, limits.lowest, limits.highest, 0.0, 0.0};
}

// Values [low, high] become codes [-spread, spread] around the middle of the span.
CodeScale SpreadScale(const Channel& channel, const ValueSpan& span, const Limits& limits)
{
    const double unitFactor = IsFinite(channel.unitFactor) && channel.unitFactor != 0.0 ? channel.unitFactor : 1.0;
    if (span.Empty())
        return MakeScale(1.0, 0.0, unitFactor, limits);
    const double halfWidth = span.high / 2 - span.low / 2;
    const double multiplier = halfWidth / (unitFactor * limits.spread);
    if (!(multiplier > 0.0) || !IsFinite(multiplier))
        return MakeScale(1.0, span.low, unitFactor, limits);
    return MakeScale(multiplier, span.low + halfWidth, unitFactor, limits);
}

} // namespace

CodeScale ChooseCodeScale(const Channel& channel, std::size_t count, DataFormat format)
{
    const Limits limits = LimitsOf(format);
    const double* values = channel.samples.data();
    count = std::min(count, channel.samples.size());
    const ValueSpan span = SpanOf(values, count);
    CodeScale scale = MakeScale(channel.multiplier, channel.offset, channel.unitFactor, limits);
    bool keep = IsFinite(scale.factor) && scale.factor != 0.0 && IsFinite(scale.offset);
    if (keep && !span.Empty()) {
        const double lowCode = (span.low - scale.offset) / scale.factor;
        const double highCode = (span.high - scale.offset) / scale.factor;
        const double least = std::min(lowCode, highCode);
        const double most = std::max(lowCode, highCode);
        keep = least >= limits.lowest - 0.5 && most < limits.highest + 0.5 &&
               (format == DataFormat::Float32 || AllCodesWhole(values, count, scale));
    }
    if (!keep)
        scale = SpreadScale(channel, span, limits);
    SetCodeRange(scale, span, format);
    return scale;
}

} // namespace zarva
