#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace zarva {

struct ValueSpan {
    double low = 0.0;
    double high = 0.0;
};

// Minimum and maximum of a series over any range in time proportional to the number of
// levels: level k holds the extremes of blocks of 16^(k+1) samples. Values that are not
// finite count as 0, as the measures count them.
class MinMaxPyramid {
public:
    static constexpr std::size_t kFanOut = 16;

    MinMaxPyramid() = default;
    explicit MinMaxPyramid(std::span<const double> series);

    std::size_t Size() const { return size_; }
    // Extremes over samples [first, last) of the series the pyramid was built from;
    // `first` < `last` <= Size().
    ValueSpan Range(std::span<const double> series, std::size_t first, std::size_t last) const;

private:
    std::size_t size_ = 0;
    std::vector<std::vector<ValueSpan>> levels_;
};

} // namespace zarva
