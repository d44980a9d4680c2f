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

} // namespace

// Written without branches, so that the loop over every sample runs straight through: a
// value that is not finite leaves the extremes as they are.
ValueSpan FiniteSpan(std::span<const double> values)
{
    ValueSpan span;
    for (const double value : values) {
        const bool finite = value - value == 0.0;
        span.low = finite && value < span.low ? value : span.low;
        span.high = finite && value > span.high ? value : span.high;
    }
    return span;
}

void MinMaxPyramid::Builder::Add(std::span<const double> values)
{
    while (!values.empty()) {
        const std::size_t filled = size_ % kFirstBlock;
        const std::size_t take = std::min(values.size(), kFirstBlock - filled);
        const ValueSpan span = FiniteSpan(values.first(take));
        if (filled == 0)
            open_ = span;
        else
            Widen(open_, span);
        size_ += take;
        if (size_ % kFirstBlock == 0)
            blocks_.push_back(open_);
        values = values.subspan(take);
    }
}

void MinMaxPyramid::Builder::AddBlock(const ValueSpan& span)
{
    blocks_.push_back(span);
    size_ += kFirstBlock;
}

MinMaxPyramid MinMaxPyramid::Builder::Finish()
{
    MinMaxPyramid pyramid;
    pyramid.size_ = size_;
    if (size_ % kFirstBlock != 0)
        pyramid.all_ = open_;
    for (const ValueSpan& block : blocks_)
        Widen(pyramid.all_, block);
    std::vector<ValueSpan> level = std::move(blocks_);
    while (level.size() >= kFanOut) {
        std::vector<ValueSpan> coarser;
        coarser.reserve(level.size() / kFanOut);
        for (std::size_t block = 0; block + kFanOut <= level.size(); block += kFanOut) {
            ValueSpan span = level[block];
            for (std::size_t i = block + 1; i < block + kFanOut; ++i)
                Widen(span, level[i]);
            coarser.push_back(span);
        }
        pyramid.levels_.push_back(std::move(level));
        level = std::move(coarser);
    }
    if (!level.empty())
        pyramid.levels_.push_back(std::move(level));
    return pyramid;
}

MinMaxPyramid::MinMaxPyramid(std::span<const double> series)
{
    Builder builder;
    builder.Add(series);
    *this = builder.Finish();
}

MinMaxPyramid::MinMaxPyramid(const Series<double>& series)
{
    Builder builder;
    series.ForEachBlock(0, series.Size(), [&builder](std::size_t, std::span<const double> values) { builder.Add(values); });
    *this = builder.Finish();
}

ValueSpan MinMaxPyramid::Range(std::span<const double> series, std::size_t first, std::size_t last) const
{
    return RangeOver(first, last, [&series](std::size_t from, std::size_t to) { return FiniteSpan(series.subspan(from, to - from)); });
}

ValueSpan MinMaxPyramid::Range(const Series<double>& series, std::size_t first, std::size_t last) const
{
    std::vector<double> values;
    return RangeOver(first, last, [&](std::size_t from, std::size_t to) {
        values.resize(to - from);
        series.Read(from, values);
        return FiniteSpan(values);
    });
}

// The unaligned ends of each level are read from the level below; the aligned middle goes up
// one level. scanSamples(from, to) gives the extremes of samples [from, to), from < to.
template <class ScanSamples>
ValueSpan MinMaxPyramid::RangeOver(std::size_t first, std::size_t last, ScanSamples scanSamples) const
{
    ValueSpan span;
    const auto scan = [&](std::size_t from, std::size_t to) {
        if (from < to)
            Widen(span, scanSamples(from, to));
    };
    std::size_t blockSize = kFirstBlock;
    const auto alignedUp = [](std::size_t at, std::size_t size) { return (at + size - 1) / size * size; };
    std::size_t start = std::min(alignedUp(first, blockSize), last);
    std::size_t end = std::max(last / blockSize * blockSize, start);
    scan(first, start);
    scan(end, last);
    for (std::size_t level = 0; level < levels_.size() && start < end; ++level) {
        const std::vector<ValueSpan>& blocks = levels_[level];
        const std::size_t coarser = blockSize * kFanOut;
        const bool hasCoarser = level + 1 < levels_.size();
        const std::size_t innerStart = hasCoarser ? std::min(alignedUp(start, coarser), end) : end;
        const std::size_t innerEnd = hasCoarser ? std::max(end / coarser * coarser, innerStart) : end;
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
