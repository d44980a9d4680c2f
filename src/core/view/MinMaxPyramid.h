#pragma once

#include "core/model/Series.h"

#include <algorithm>
#include <cmath>
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

// The extremes of the finite values given.
ValueSpan FiniteSpan(std::span<const double> values);

// Minimum and maximum of a series over any range in time proportional to the number of
// levels: level k holds the extremes of blocks of kFirstBlock × kFanOut^k samples. Values
// that are not finite (missing samples) are passed over.
class MinMaxPyramid {
public:
    static constexpr std::size_t kFirstBlock = 512;
    static constexpr std::size_t kFanOut = 16;

    // Takes the series a stretch at a time, in order.
    class Builder {
    public:
        void Add(std::span<const double> values);
        // The extremes of kFirstBlock values at once, the values before them whole blocks.
        void AddBlock(const ValueSpan& span);
        MinMaxPyramid Finish();

    private:
        std::size_t size_ = 0;
        std::vector<ValueSpan> blocks_;
        ValueSpan open_;  // of the samples past the last whole block
    };

    MinMaxPyramid() = default;
    explicit MinMaxPyramid(std::span<const double> series);
    explicit MinMaxPyramid(const Series<double>& series);

    std::size_t Size() const { return size_; }
    // Extremes of every finite value of the series.
    ValueSpan All() const { return all_; }
    // Extremes over samples [first, last) of the series the pyramid was built from;
    // `first` < `last` <= Size(). Only the samples short of whole blocks are read.
    ValueSpan Range(std::span<const double> series, std::size_t first, std::size_t last) const;
    ValueSpan Range(const Series<double>& series, std::size_t first, std::size_t last) const;

    // Turns this into the pyramid of map(x) for the values x of its series, `map` keeping the
    // order of finite values (reversing it when `reverses`); false, leaving this unusable, when
    // a value maps to one that is not finite.
    template <class Map>
    bool MapValues(Map map, bool reverses)
    {
        bool finite = true;
        const auto mapSpan = [&](ValueSpan& span) {
            if (span.Empty())
                return;
            const double low = map(reverses ? span.high : span.low);
            const double high = map(reverses ? span.low : span.high);
            finite = finite && std::isfinite(low) && std::isfinite(high);
            span = {low, high};
        };
        mapSpan(all_);
        for (std::vector<ValueSpan>& level : levels_)
            std::for_each(level.begin(), level.end(), mapSpan);
        return finite;
    }

private:
    template <class ScanSamples>
    ValueSpan RangeOver(std::size_t first, std::size_t last, ScanSamples scanSamples) const;

    std::size_t size_ = 0;
    ValueSpan all_;
    std::vector<std::vector<ValueSpan>> levels_;
};

} // namespace zarva
