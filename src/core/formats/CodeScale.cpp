#include "core/formats/CodeScale.h"

#include "core/formats/MissingCodes.h"
#include "core/model/Channel.h"
#include "core/model/ParallelFor.h"

#include <algorithm>
#include <limits>

namespace zarva {
namespace {

// A code this close to a whole number is that number: the stored value went through a
// multiplication and back, and a thousandth of a step is far below any recorder's noise.
constexpr double kWholeTolerance = 1e-3;
// Adding and taking away 1.5 × 2^52 rounds a double below 2^51 to a whole number.
constexpr double kRounder = 6755399441055744.0;
// Spread float codes keep about the precision of a float's mantissa.
constexpr double kFloatSpread = 16777216.0;

struct Limits {
    double lowest;  // the codes a value may take
    double highest;
    double spread;  // codes used when the values are spread: ±spread
    std::int32_t missing;
    double reserved;  // a code within [lowest, highest] that marks a missing value, or NaN
};

// The integer forms keep their most negative code for missing values; ASCII keeps 99999 (from
// revision 1999 on), so its spread codes stay below it.
Limits LimitsOf(CodeForm form)
{
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    switch (form.format) {
    case DataFormat::Binary: return {-32767.0, 32767.0, 32767.0, kMissingBinary16, kNone};
    case DataFormat::Float32: return {-FLT_MAX, FLT_MAX, kFloatSpread, 0, kNone};
    case DataFormat::Ascii:
        return {-kHighest, kHighest, kMissingAscii - 1.0, kMissingAscii, form.revision1991 ? kNone : kMissingAscii};
    case DataFormat::Binary32: break;
    }
    return {-kHighest, kHighest, kHighest, kMissingBinary32, kNone};
}

bool IsFinite(double value)
{
    return value - value == 0.0;
}

struct Extremes {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    bool Empty() const { return low > high; }
};

// What one pass over a channel's codes at its own scale finds. Codes that are not numbers
// are passed over.
struct CodeSurvey {
    Extremes codes;
    double worstFraction = 0.0;  // the largest distance of a code from a whole number
    double reservedHits = 0.0;   // codes that round to the reserved one
};

// The pass runs over every value of every save, so each step is a plain arithmetic one with
// no branch, and two surveys run side by side so that no step waits for the one before.
// Codes beyond 2^51, which kRounder does not round, fit no form as whole numbers anyway.
CodeSurvey SurveyCodes(const double* values, std::size_t count, const CodeScale& scale, double reserved)
{
    const double shift = scale.shift;
    const double inverse = scale.inverse;
    const double reservedFrom = reserved - 0.5;
    const double reservedTo = reserved + 0.5;
    CodeSurvey lanes[2];
    auto add = [&](CodeSurvey& lane, double code) {
        lane.codes.low = code < lane.codes.low ? code : lane.codes.low;
        lane.codes.high = code > lane.codes.high ? code : lane.codes.high;
        const double fraction = std::fabs(code - ((code + kRounder) - kRounder));
        lane.worstFraction = fraction > lane.worstFraction ? fraction : lane.worstFraction;
        lane.reservedHits += code >= reservedFrom && code < reservedTo ? 1.0 : 0.0;
    };
    std::size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        add(lanes[0], (values[i] - shift) * inverse);
        add(lanes[1], (values[i + 1] - shift) * inverse);
    }
    if (i < count)
        add(lanes[0], (values[i] - shift) * inverse);
    return {{std::min(lanes[0].codes.low, lanes[1].codes.low), std::max(lanes[0].codes.high, lanes[1].codes.high)},
            std::max(lanes[0].worstFraction, lanes[1].worstFraction),
            lanes[0].reservedHits + lanes[1].reservedHits};
}

Extremes ValueSpan(const double* values, std::size_t count)
{
    Extremes span;
    for (std::size_t i = 0; i < count; ++i) {
        if (IsFinite(values[i])) {
            span.low = std::min(span.low, values[i]);
            span.high = std::max(span.high, values[i]);
        }
    }
    return span;
}

// The same over a series, a block at a time.
CodeSurvey SurveyCodes(const Series<double>& values, std::size_t count, const CodeScale& scale, double reserved)
{
    CodeSurvey survey;
    values.ForEachBlock(0, count, [&](std::size_t, std::span<const double> block) {
        const CodeSurvey part = SurveyCodes(block.data(), block.size(), scale, reserved);
        survey.codes.low = std::min(survey.codes.low, part.codes.low);
        survey.codes.high = std::max(survey.codes.high, part.codes.high);
        survey.worstFraction = std::max(survey.worstFraction, part.worstFraction);
        survey.reservedHits += part.reservedHits;
    });
    return survey;
}

Extremes ValueSpan(const Series<double>& values, std::size_t count)
{
    Extremes span;
    values.ForEachBlock(0, count, [&span](std::size_t, std::span<const double> block) {
        const Extremes part = ValueSpan(block.data(), block.size());
        span.low = std::min(span.low, part.low);
        span.high = std::max(span.high, part.high);
    });
    return span;
}

CodeScale MakeScale(double multiplier, double offset, double unitFactor, const Limits& limits)
{
    const double factor = unitFactor * multiplier;
    return {multiplier, offset, factor, unitFactor * offset, 1.0 / factor, limits.lowest, limits.highest,
            limits.missing, 0.0, 0.0};
}

// Values [low, high] become codes [-spread, spread] around the middle of the span.
CodeScale SpreadScale(const Channel& channel, const Extremes& span, const Limits& limits)
{
    const double unitFactor = IsFinite(channel.unitFactor) && channel.unitFactor != 0.0 ? channel.unitFactor : 1.0;
    if (span.Empty())
        return MakeScale(1.0, 0.0, unitFactor, limits);
    const double halfWidth = span.high / 2 - span.low / 2;
    const double multiplier = halfWidth / (unitFactor * limits.spread);
    if (!(multiplier > 0.0) || !IsFinite(1.0 / (unitFactor * multiplier)))
        return MakeScale(1.0, span.low / unitFactor, unitFactor, limits);
    return MakeScale(multiplier, (span.low + halfWidth) / unitFactor, unitFactor, limits);
}

// The codes of a span of values, lower first.
Extremes CodesOf(const Extremes& span, const CodeScale& scale)
{
    if (span.Empty())
        return span;
    const double first = (span.low - scale.shift) * scale.inverse;
    const double second = (span.high - scale.shift) * scale.inverse;
    return {std::min(first, second), std::max(first, second)};
}

void SetCodeRange(CodeScale& scale, const Extremes& codes, DataFormat format)
{
    if (codes.Empty())
        return;
    if (format == DataFormat::Float32) {
        scale.minCode = static_cast<float>(std::max(codes.low, -static_cast<double>(FLT_MAX)));
        scale.maxCode = static_cast<float>(std::min(codes.high, static_cast<double>(FLT_MAX)));
    } else {
        scale.minCode = RoundHalfUpInt32(HeldCode(codes.low, scale));
        scale.maxCode = RoundHalfUpInt32(HeldCode(codes.high, scale));
    }
}

} // namespace

CodeScale ChooseCodeScale(const Channel& channel, std::size_t count, CodeForm form)
{
    const DataFormat format = form.format;
    const Limits limits = LimitsOf(form);
    const Series<double> values = channel.samples.View();
    count = std::min(count, values.Size());
    CodeScale scale = MakeScale(channel.multiplier, channel.offset, channel.unitFactor, limits);
    const bool usable = IsFinite(scale.inverse) && scale.inverse != 0.0 && IsFinite(scale.shift);
    if (usable && format == DataFormat::Float32) {
        const Extremes span = ValueSpan(values, count);
        const Extremes codes = CodesOf(span, scale);
        if (span.Empty() || (std::fabs(codes.low) <= FLT_MAX && std::fabs(codes.high) <= FLT_MAX)) {
            SetCodeRange(scale, codes, format);
            return scale;
        }
    } else if (usable) {
        const CodeSurvey survey = SurveyCodes(values, count, scale, limits.reserved);
        const Extremes& codes = survey.codes;
        const bool fits = codes.low >= limits.lowest - 0.5 && codes.high < limits.highest + 0.5 &&
                          survey.reservedHits == 0.0;
        if (codes.Empty() || (fits && survey.worstFraction <= kWholeTolerance)) {
            SetCodeRange(scale, codes, format);
            return scale;
        }
    }
    const Extremes span = ValueSpan(values, count);
    scale = SpreadScale(channel, span, limits);
    SetCodeRange(scale, CodesOf(span, scale), format);
    return scale;
}

std::vector<CodeScale> ChooseCodeScales(const std::vector<const Channel*>& channels, std::size_t count,
                                        CodeForm form)
{
    std::vector<CodeScale> scales(channels.size());
    ParallelFor(channels.size(), ThreadsFor(count * channels.size()),
                [&](std::size_t i) { scales[i] = ChooseCodeScale(*channels[i], count, form); });
    return scales;
}

} // namespace zarva
