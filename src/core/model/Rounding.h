#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace zarva {

// The nearest integer with halves upward: floor(x) when x - floor(x) < 0.5, else ceil(x).
// Used wherever a count of samples or a pixel is derived from a real number.
inline double RoundHalfUp(double x)
{
    const double down = std::floor(x);
    return x - down < 0.5 ? down : std::ceil(x);
}

// RoundHalfUp as an integer; values out of range saturate and NaN gives 0, so a broken
// number in a file never becomes undefined behaviour.
inline std::int64_t RoundToInt64(double x)
{
    if (std::isnan(x))
        return 0;
    const double rounded = RoundHalfUp(x);
    constexpr double kLimit = 9.2233720368547748e18;
    if (rounded >= kLimit)
        return std::numeric_limits<std::int64_t>::max();
    if (rounded <= -kLimit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(rounded);
}

// RoundHalfUp for x within the range of int32, without a call into the maths library and
// without branches: the writers round every stored value with it.
inline std::int32_t RoundHalfUpInt32(double x)
{
    const auto truncated = static_cast<double>(static_cast<std::int32_t>(x));
    const double down = truncated - (x < truncated ? 1.0 : 0.0);
    return static_cast<std::int32_t>(down + (x - down >= 0.5 ? 1.0 : 0.0));
}

inline std::int32_t RoundToInt32(double x)
{
    const std::int64_t wide = RoundToInt64(x);
    if (wide > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (wide < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(wide);
}

} // namespace zarva
