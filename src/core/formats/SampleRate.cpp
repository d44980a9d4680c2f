#include "core/formats/SampleRate.h"

#include "core/model/Oscillogram.h"
#include "core/model/Rounding.h"

#include <cmath>

namespace zarva {
namespace {

struct RateBand {
    double from;
    double to;
    std::int64_t rate;
};

constexpr RateBand kBands50[] = {
    {14400, 22000, 19200}, {8000, 14400, 9600}, {5600, 8000, 6400}, {4000, 5600, 4800},
    {2800, 4000, 3200},    {2000, 2800, 2400},  {1400, 2000, 1600}, {1000, 1400, 1200},
    {700, 1000, 800},      {500, 700, 600},     {350, 500, 400},    {250, 350, 300},
    {160, 250, 200},
};

constexpr RateBand kBands60[] = {
    {17280, 26000, 23040}, {9600, 17280, 11520}, {6720, 9600, 7680}, {4550, 6720, 5760},
    {3110, 4550, 3840},    {2400, 3110, 2880},   {1680, 2400, 1920}, {1200, 1680, 1440},
    {840, 1200, 960},      {600, 840, 720},      {420, 600, 480},    {300, 420, 360},
    {200, 300, 240},
};

template <std::size_t N>
std::int64_t FromBands(const RateBand (&bands)[N], double rate)
{
    for (const RateBand& band : bands) {
        if (rate >= band.from && rate <= band.to)
            return band.rate;
    }
    return 0;
}

// The rate of the segment a 0-based sample belongs to; segments are walked in order.
class SegmentWalk {
public:
    explicit SegmentWalk(const std::vector<RateSegment>& segments) : segments_(segments) {}

    const RateSegment* Next(std::size_t sample)
    {
        while (index_ < segments_.size() &&
               static_cast<std::int64_t>(sample) + 1 > segments_[index_].endSample)
            ++index_;
        return index_ < segments_.size() ? &segments_[index_] : nullptr;
    }

private:
    const std::vector<RateSegment>& segments_;
    std::size_t index_ = 0;
};

} // namespace

std::int64_t SnapSampleRate(double rate, double lineFrequency, bool several)
{
    if (!(rate > 0.0) || !std::isfinite(rate))
        return 0;
    if (several && lineFrequency == 50.0) {
        if (const std::int64_t banded = FromBands(kBands50, rate))
            return banded;
    }
    if (several && lineFrequency == 60.0) {
        if (const std::int64_t banded = FromBands(kBands60, rate))
            return banded;
    }
    const std::int64_t perPeriod = RoundToInt64(rate / lineFrequency);
    const std::int64_t wholeHertz = RoundToInt64(lineFrequency);
    if (wholeHertz <= 0 || perPeriod > std::numeric_limits<std::int64_t>::max() / wholeHertz)
        return 0;
    return perPeriod * wholeHertz;
}

std::vector<double> LineFrequencySeries(const Oscillogram& record, std::size_t sampleCount)
{
    std::vector<double> series(sampleCount, 0.0);
    const auto base = static_cast<double>(SnapSampleRate(record.sampleRate, record.lineFrequency, false));
    if (base == 0.0)
        return series;
    SegmentWalk walk(record.rateSegments);
    for (std::size_t i = 0; i < sampleCount; ++i) {
        const RateSegment* segment = walk.Next(i);
        if (segment == nullptr)
            break;
        series[i] = segment->rate / base * record.lineFrequency;
    }
    return series;
}

bool HasSeveralRates(const Oscillogram& record)
{
    bool differ = false;
    for (const RateSegment& segment : record.rateSegments) {
        if (!(segment.rate > 0.0) || !std::isfinite(segment.rate))
            return false;
        differ = differ || segment.rate != record.rateSegments.front().rate;
    }
    return differ;
}

std::vector<std::int64_t> TimesFromSegments(const Oscillogram& record, std::size_t sampleCount)
{
    std::vector<std::int64_t> times;
    times.reserve(sampleCount);
    SegmentWalk walk(record.rateSegments);
    // Each segment is timed from the sample before its first, so rounding never accumulates.
    double before = 0.0;
    std::size_t first = 0;
    const RateSegment* current = nullptr;
    for (std::size_t i = 0; i < sampleCount; ++i) {
        const RateSegment* segment = walk.Next(i);
        if (segment == nullptr)
            segment = &record.rateSegments.back();
        if (segment != current) {
            before = current != nullptr ? before + static_cast<double>(i - first) * 1e6 / current->rate
                                        : -1e6 / segment->rate;
            first = i;
            current = segment;
        }
        times.push_back(RoundToInt64(before + static_cast<double>(i - first + 1) * 1e6 / current->rate));
    }
    return times;
}

std::vector<std::int64_t> TimesAtRate(double rate, std::size_t sampleCount)
{
    std::vector<std::int64_t> times(sampleCount);
    for (std::size_t k = 0; k < sampleCount; ++k)
        times[k] = RoundToInt64(static_cast<double>(k) * 1000000.0 / rate);
    return times;
}

} // namespace zarva
