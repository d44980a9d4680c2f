#pragma once

#include "core/formats/ComtradeConfiguration.h"
#include "core/model/Rounding.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zarva {

class Channel;

// The data form a file is written in, and whether its revision is 1991, which marks a
// missing ASCII value by an empty field instead of 99999.
struct CodeForm {
    DataFormat format = DataFormat::Binary;
    bool revision1991 = false;
};

// How a channel's stored values become the codes of a written data file: the stored value of
// code x is unit prefix × (multiplier × x + offset) = factor × x + shift.
struct CodeScale {
    double multiplier = 1.0;  // a and b as the configuration states them
    double offset = 0.0;
    double factor = 1.0;   // unit prefix × multiplier
    double shift = 0.0;    // unit prefix × offset
    double inverse = 1.0;  // 1 / factor
    double lowest = 0.0;   // the codes a value may take, within the range of int32
    double highest = 0.0;
    std::int32_t missing = 0;  // the code of a missing value in the integer forms
    double minCode = 0.0;      // of the values written
    double maxCode = 0.0;
};

// The channel's own multiplier and offset when the code of every value is a whole number
// the data form holds (for FLOAT32, any number a float holds) and none is the code of a
// missing value. Otherwise a new pair that spreads the values over the form's range: no
// code wraps around, and no value moves by more than half a code step. `count` values are
// written.
CodeScale ChooseCodeScale(const Channel& channel, std::size_t count, CodeForm form);
// The scales of several channels, found in parallel on as many threads as the machine runs.
std::vector<CodeScale> ChooseCodeScales(const std::vector<const Channel*>& channels, std::size_t count,
                                        CodeForm form);

// A code held within the form's range; not a number becomes 0. Written without branches, so
// that the loops over every value run straight through.
inline double HeldCode(double code, const CodeScale& scale)
{
    const double number = code == code ? code : 0.0;
    const double above = number < scale.lowest ? scale.lowest : number;
    return above > scale.highest ? scale.highest : above;
}

// The code of a value in an integer form: rounded half upward and held within the range of
// values, so that only a missing value (NaN) writes the form's missing code.
inline std::int32_t IntegerCode(double value, const CodeScale& scale)
{
    const std::int32_t code = RoundHalfUpInt32(HeldCode((value - scale.shift) * scale.inverse, scale));
    return value == value ? code : scale.missing;
}

// A missing value stays NaN.
inline float FloatCode(double value, const CodeScale& scale)
{
    const double code = (value - scale.shift) * scale.inverse;
    if (std::fabs(code) <= FLT_MAX || !std::isfinite(code))
        return static_cast<float>(code);
    return code > 0 ? FLT_MAX : -FLT_MAX;
}

} // namespace zarva
