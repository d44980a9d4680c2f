#pragma once

#include <cstddef>
#include <limits>
#include <span>
#include <vector>

namespace zarva {

// The extremes of the finite values of a range; empty (low > high) when it has none.
struct ValueSpan {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();

    bool Empty() const { return low > high; }
};

// Minimum and maximum of a series over any range in time proportional to the number of
// levels: level k holds the extremes of blocks of 16^(k+1) samples. Values that are not
// finite (missing samples) are passed over.
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
