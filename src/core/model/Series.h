#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace zarva {

// The most values a series hands out at once.
inline constexpr std::size_t kSeriesBlock = 16384;

// Where the values of a series come from: one array, a data file's codes, or a computation
// made when they are asked for. Several threads may read one source at once.
template <class T>
class SeriesSource {
public:
    virtual ~SeriesSource() = default;
    virtual std::size_t Size() const = 0;
    virtual T At(std::size_t i) const = 0;
    // Writes values [first, first + out.size()), which lie within the series, into out.
    virtual void Read(std::size_t first, std::span<T> out) const = 0;
    // The values when they are held in one array; empty otherwise.
    virtual std::span<const T> Held() const { return {}; }
};

// A per-sample series of a channel (its samples, instantaneous values, drawn curve or
// phasors), read like a span:
//
//   series.Size(), series.At(i)       one value; i < Size()
//   series.ForEachBlock(first, last, [&](std::size_t at, std::span<const T> values) { ... });
//                                     values [first, last) in order, kSeriesBlock at most per
//                                     call, values[k] being value at + k; the span lives for
//                                     the call only
//   series.Read(first, out)           values [first, first + out.size()) copied into out
//   SeriesReader<T> reader(series);   reader[i] for runs of nearby reads, a block at a time
//
// A Series keeps its values alive: it reads the channel as it was when the series was taken,
// whatever happens to the channel afterwards. An empty Series has no values.
template <class T>
class Series {
public:
    Series() = default;
    explicit Series(std::shared_ptr<const SeriesSource<T>> source) : source_(std::move(source)) {}

    std::size_t Size() const { return source_ ? source_->Size() : 0; }
    bool Empty() const { return Size() == 0; }
    T At(std::size_t i) const { return source_->At(i); }
    void Read(std::size_t first, std::span<T> out) const
    {
        if (!out.empty())
            source_->Read(first, out);
    }

    template <class Visit>
    void ForEachBlock(std::size_t first, std::size_t last, Visit&& visit) const
    {
        last = std::min(last, Size());
        if (first >= last)
            return;
        if (const std::span<const T> held = source_->Held(); !held.empty()) {
            for (std::size_t at = first; at < last; at += kSeriesBlock)
                visit(at, held.subspan(at, std::min(kSeriesBlock, last - at)));
            return;
        }
        std::vector<T> buffer(std::min(kSeriesBlock, last - first));
        for (std::size_t at = first; at < last; at += kSeriesBlock) {
            const std::span<T> values(buffer.data(), std::min(kSeriesBlock, last - at));
            source_->Read(at, values);
            visit(at, std::span<const T>(values));
        }
    }

    // Every value, for tests and small records.
    std::vector<T> ToVector() const
    {
        std::vector<T> values(Size());
        Read(0, values);
        return values;
    }

    const SeriesSource<T>* Source() const { return source_.get(); }

private:
    std::shared_ptr<const SeriesSource<T>> source_;
};

// Values held in one array, as a source.
template <class T>
class HeldValues final : public SeriesSource<T> {
public:
    explicit HeldValues(std::vector<T> values) : values_(std::move(values)) {}
    std::size_t Size() const override { return values_.size(); }
    T At(std::size_t i) const override { return values_[i]; }
    void Read(std::size_t first, std::span<T> out) const override
    {
        std::copy_n(values_.begin() + static_cast<std::ptrdiff_t>(first), out.size(), out.begin());
    }
    std::span<const T> Held() const override { return values_; }

private:
    std::vector<T> values_;
};

template <class T>
Series<T> HeldSeries(std::vector<T> values)
{
    return Series<T>(std::make_shared<const HeldValues<T>>(std::move(values)));
}

// Reads values near one another without a call into the source for each: the aligned block
// holding the value asked for is read whole and kept.
template <class T>
class SeriesReader {
public:
    explicit SeriesReader(const Series<T>& series) : series_(series), held_(series.Source() ? series.Source()->Held() : std::span<const T>())
    {
    }

    std::size_t Size() const { return series_.Size(); }

    T operator[](std::size_t i)
    {
        if (!held_.empty())
            return held_[i];
        if (i - first_ >= block_.size()) {
            first_ = i / kSeriesBlock * kSeriesBlock;
            block_.resize(std::min(kSeriesBlock, series_.Size() - first_));
            series_.Read(first_, block_);
        }
        return block_[i - first_];
    }

private:
    const Series<T>& series_;
    std::span<const T> held_;
    std::vector<T> block_;
    std::size_t first_ = 0;
};

} // namespace zarva
