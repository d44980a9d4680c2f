#pragma once

#include "core/formats/ComtradeConfiguration.h"
#include "core/model/Rounding.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace zarva {

class Channel;

// How a channel's stored values become the codes of a written data file:
// value = factor × code + offset, factor = unit prefix × multiplier.
struct CodeScale {
    double multiplier = 1.0;  // a and b as the configuration states them
    double offset = 0.0;
    double factor = 1.0;
    double lowest = 0.0;  // the codes the data form holds
    double highest = 0.0;
    double minCode = 0.0;  // of the values written
    double maxCode = 0.0;
};

// The channel's own multiplier and offset when the code of every value is a whole number
// the data form holds (for FLOAT32, any number a float holds). Otherwise a new pair that
// spreads the values over the form's range: no code wraps around, and no value moves by
// more than half a code step. `count` values are written.
CodeScale ChooseCodeScale(const Channel& channel, std::size_t count, DataFormat format);

// The code of a value in an integer form: rounded half upward and held within the form's
// range; a value that is not a number writes 0.
inline std::int64_t IntegerCode(double value, const CodeScale& scale)
{
    const double code = (value - scale.offset) / scale.factor;
    const double held = code >= scale.lowest ? (code <= scale.highest ? code : scale.highest)
                                             : (code == code ? scale.lowest : 0.0);
    return RoundHalfUpInRange(held);
}

inline float FloatCode(double value, const CodeScale& scale)
{
    const double code = (value - scale.offset) / scale.factor;
    if (std::fabs(code) <= FLT_MAX || !std::isfinite(code))
        return static_cast<float>(code);
    return code > 0 ? FLT_MAX : -FLT_MAX;
}

} // namespace zarva
