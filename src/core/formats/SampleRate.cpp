#include "core/formats/SampleRate.h"

#include "core/model/Oscillogram.h"
#include "core/model/Rounding.h"

#include <algorithm>
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

bool IsRate(double rate)
{
    return rate > 0.0 && std::isfinite(rate);
}

constexpr std::int64_t kTwoTo31 = std::int64_t{1} << 31;
constexpr std::int64_t kTwoTo32 = std::int64_t{1} << 32;
// A binary stamp of all ones marks a sample without one.
constexpr std::int64_t kMissingStamp = 0xFFFFFFFF;

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

std::int64_t RecordSampleRate(double rate, double lineFrequency, bool several)
{
    if (!IsRate(rate))
        return 0;
    const std::int64_t snapped = SnapSampleRate(rate, lineFrequency, several);
    const std::int64_t wholeHertz = static_cast<std::int64_t>(std::clamp(lineFrequency, 0.0, 1e9));
    if (wholeHertz > 0 && snapped / wholeHertz >= Oscillogram::kFewestSamplesPerPeriod)
        return snapped;
    return std::max<std::int64_t>(1, RoundToInt64(rate));
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

bool HasDeclaredRates(const Oscillogram& record)
{
    const std::vector<RateSegment>& segments = record.rateSegments;
    return !segments.empty() &&
           std::all_of(segments.begin(), segments.end(), [](const RateSegment& segment) { return IsRate(segment.rate); });
}

bool HasSeveralRates(const Oscillogram& record)
{
    bool differ = false;
    for (const RateSegment& segment : record.rateSegments) {
        if (!IsRate(segment.rate))
            return false;
        differ = differ || segment.rate != record.rateSegments.front().rate;
    }
    return differ;
}

SegmentClock::SegmentClock(const std::vector<RateSegment>& segments) : segments_(segments)
{
    rate_ = segments_.empty() ? 0.0 : segments_.front().rate;
}

double SegmentClock::Next()
{
    ++sample_;
    std::size_t segment = segment_;
    while (segment + 1 < segments_.size() && sample_ + 1 > segments_[segment].endSample)
        ++segment;
    // Each segment is timed from the sample before its first, so rounding never accumulates.
    if (segment != segment_) {
        if (sample_ > 0) {
            anchorTime_ += static_cast<double>(sample_ - 1 - anchor_) * 1e6 / rate_;
            anchor_ = sample_ - 1;
        }
        segment_ = segment;
        rate_ = segments_[segment].rate;
    }
    return anchorTime_ + static_cast<double>(sample_ - anchor_) * 1e6 / rate_;
}

std::vector<std::int64_t> TimesFromSegments(const Oscillogram& record, std::size_t sampleCount)
{
    std::vector<std::int64_t> times(sampleCount);
    SegmentClock clock(record.rateSegments);
    for (std::int64_t& time : times)
        time = RoundToInt64(clock.Next());
    return times;
}

std::vector<std::int64_t> TimesAtRate(double rate, std::size_t sampleCount)
{
    std::vector<std::int64_t> times(sampleCount);
    for (std::size_t k = 0; k < sampleCount; ++k)
        times[k] = RoundToInt64(static_cast<double>(k) * 1000000.0 / rate);
    return times;
}

bool StampsWrap(std::int64_t firstStamp)
{
    return firstStamp >= kTwoTo31 && firstStamp < kTwoTo32;
}

std::int64_t UnwrappedStamp(std::int64_t stamp, bool wrapped)
{
    return wrapped && stamp >= kTwoTo31 && stamp < kTwoTo32 ? stamp - kTwoTo32 : stamp;
}

StampCheck::StampCheck(const Oscillogram& record) : clock_(record.rateSegments), multiplier_(record.timeMultiplier)
{
}

void StampCheck::Add(std::optional<std::int64_t> stamp)
{
    const double time = clock_.Next();
    if (!stamp || *stamp == kMissingStamp)
        return;
    if (!wrapped_)
        wrapped_ = StampsWrap(*stamp);
    const double distance = std::fabs(static_cast<double>(UnwrappedStamp(*stamp, *wrapped_)) * multiplier_ - time);
    worst_ = std::max(worst_, distance);
    exceeded_ = exceeded_ || distance > clock_.Period() / 2;
}

void RetimeAtRate(Oscillogram& record, std::int32_t rate)
{
    record.sampleRate = rate;
    record.sampleTimes = TimesAtRate(rate, record.SampleCount());
    record.lineFrequencySeries.assign(record.SampleCount(), record.lineFrequency);
}

} // namespace zarva
