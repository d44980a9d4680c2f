#include "core/view/MinMaxPyramid.h"

#include <algorithm>
#include <cmath>

namespace zarva {
namespace {

void Widen(ValueSpan& span, const ValueSpan& other)
{
    span.low = std::min(span.low, other.low);
    span.high = std::max(span.high, other.high);
}

void Widen(ValueSpan& span, double value)
{
    if (std::isfinite(value))
        Widen(span, {value, value});
}

} // namespace

MinMaxPyramid::MinMaxPyramid(std::span<const double> series) : size_(series.size())
{
    std::vector<ValueSpan> level;
    level.reserve(series.size() / kFanOut + 1);
    for (std::size_t block = 0; block + kFanOut <= series.size(); block += kFanOut) {
        ValueSpan span;
        for (std::size_t i = block; i < block + kFanOut; ++i)
            Widen(span, series[i]);
        level.push_back(span);
    }
    while (level.size() >= kFanOut) {
        std::vector<ValueSpan> coarser;
        coarser.reserve(level.size() / kFanOut);
        for (std::size_t block = 0; block + kFanOut <= level.size(); block += kFanOut) {
            ValueSpan span = level[block];
            for (std::size_t i = block + 1; i < block + kFanOut; ++i)
                Widen(span, level[i]);
            coarser.push_back(span);
        }
        levels_.push_back(std::move(level));
        level = std::move(coarser);
    }
    if (!level.empty())
        levels_.push_back(std::move(level));
}

ValueSpan MinMaxPyramid::Range(std::span<const double> series, std::size_t first, std::size_t last) const
{
    ValueSpan span;
    // The unaligned ends of each level are read from the level below; the aligned middle
    // goes up one level.
    const auto scanSamples = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            Widen(span, series[i]);
    };
    std::size_t blockSize = kFanOut;
    std::size_t low = first;
    std::size_t high = last;
    const auto alignedUp = [](std::size_t at, std::size_t size) { return (at + size - 1) / size * size; };
    std::size_t start = std::min(alignedUp(low, blockSize), high);
    std::size_t end = std::max(high / blockSize * blockSize, start);
    scanSamples(low, start);
    scanSamples(end, high);
    for (std::size_t level = 0; level < levels_.size() && start < end; ++level) {
        const std::vector<ValueSpan>& blocks = levels_[level];
        const std::size_t coarser = blockSize * kFanOut;
        const bool hasCoarser = level + 1 < levels_.size();
        std::size_t innerStart = hasCoarser ? std::min(alignedUp(start, coarser), end) : end;
        std::size_t innerEnd = hasCoarser ? std::max(end / coarser * coarser, innerStart) : end;
        if (!hasCoarser)
            innerStart = innerEnd = end;
        for (std::size_t at = start; at < innerStart; at += blockSize)
            Widen(span, blocks[at / blockSize]);
        for (std::size_t at = innerEnd; at < end; at += blockSize)
            Widen(span, blocks[at / blockSize]);
        start = innerStart;
        end = innerEnd;
        blockSize = coarser;
    }
    return span;
}

} // namespace zarva
