#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zarva {

// The output grid of a merge: count samples, sample k at k × step microseconds.
struct MergeGrid {
    double step = 0.0;
    std::int64_t count = 0;
};

// Where one channel's samples lie on the grid. times[i] is the time of sample i; sample 0
// lies at `shift` microseconds on the grid. Beyond its samples the channel reads 0 at times
// that continue its sampling interval `interval` both ways, as if padded with zeros.
struct ChannelPlacement {
    std::span<const std::int64_t> times;
    double interval = 0.0;
    double shift = 0.0;
};

// The channel's values at the grid's times: each through the parabola of the three samples
// around it (the sample at or after the time, with its neighbours), one forward pass.
std::vector<double> ResampleAnalog(std::span<const double> values, const ChannelPlacement& placement,
                                   const MergeGrid& grid);
// The same for states: each the state of the nearer of the two samples around the time.
std::vector<double> ResampleDiscrete(std::span<const double> values, const ChannelPlacement& placement,
                                     const MergeGrid& grid);
// Of any per-sample series: the value of the sample at or after the time, the edge value
// beyond the series.
std::vector<double> ResampleNearestAfter(std::span<const double> values, const ChannelPlacement& placement,
                                         const MergeGrid& grid);

// Solves the 3 × 3 system m · (a, b, c) = y; false when the matrix is singular.
bool Solve3x3(const double m[3][3], const double y[3], double out[3]);

} // namespace zarva
