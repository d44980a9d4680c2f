#include "core/merge/Synchronisation.h"

#include "core/document/Document.h"
#include "core/dsp/WindowMeasures.h"
#include "core/merge/ChannelTimes.h"
#include "core/model/Rounding.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <vector>

namespace zarva {
namespace {

// One channel as the two signal methods see it.
struct SyncChannel {
    const Oscillogram& record;
    const Channel& channel;
    std::int64_t cursor;  // the sample under the cursor
    std::int64_t period;  // samples per period
    std::int64_t last;    // last sample index

    std::int64_t Time(std::int64_t i) const { return SampleTime(record, channel, static_cast<std::size_t>(i)); }
    // The first sample at or after `time` on the channel's own axis; last + 1 when none is.
    std::int64_t FirstAtOrAfter(double time) const
    {
        const std::vector<std::int64_t>& times = channel.ownTimes ? *channel.ownTimes : record.sampleTimes;
        const auto end = times.begin() + std::min<std::int64_t>(last + 1, static_cast<std::int64_t>(times.size()));
        return std::lower_bound(times.begin(), end, time, [](std::int64_t t, double x) { return t < x; }) -
               times.begin();
    }
    Phasor PhasorAt(std::int64_t i) const
    {
        const Series<Phasor>& phasors = channel.PhasorSeries();
        if (i < 0 || static_cast<std::size_t>(i) >= phasors.Size())
            return {};
        const Phasor value = phasors.At(static_cast<std::size_t>(i));
        return std::isfinite(value.real()) && std::isfinite(value.imag()) ? value : Phasor{};
    }
};

struct Pair {
    SyncChannel first;
    SyncChannel second;
};

double Rate(const Oscillogram& record, const Channel& channel)
{
    return channel.ownSampleRate != 0.0 ? channel.ownSampleRate : static_cast<double>(record.sampleRate);
}

// Where the fault begins in one channel: the sample of the largest jump near the cursor, and
// whether that jump stands out from the others there.
struct Jump {
    std::int64_t at = 0;
    bool clear = false;
};

Jump FindJump(const SyncChannel& c)
{
    const std::int64_t n = c.period;
    const std::int64_t start = c.cursor >= 4 * n + 1 ? c.cursor - n : 3 * n + 1;
    const std::int64_t end = c.cursor < c.last - n ? c.cursor + n : c.last;
    auto jump = [&](std::int64_t i) {
        if (i < 3 * n + 2 || i > c.last)
            return 0.0;
        const double fault = FaultComponent(c.channel, i - 1);
        if (fault == 0.0)
            return 0.0;
        return std::abs(Value(c.channel, i) - 2.0 * Value(c.channel, i - n) + Value(c.channel, i - 2 * n)) / fault;
    };
    Jump found{start, false};
    double peak = jump(start);
    double sum = peak;
    for (std::int64_t i = start + 1; i <= end; ++i) {
        const double d = jump(i);
        sum += d;
        if (i < end && d > peak) {
            peak = d;
            found.at = i;
        }
    }
    const double mean = sum / static_cast<double>(end - start + 1);
    found.clear = !(4.0 * mean > peak);
    return found;
}

SyncOutcome ByFaultComponent(Document& document, const Pair& pair)
{
    const SyncChannel& a = pair.first;
    const SyncChannel& b = pair.second;
    if (a.cursor < 3 * a.period + 1 || b.cursor < 3 * b.period + 1)
        return {sync_texts::kCursorBefore3Periods};
    if (a.cursor > a.last || b.cursor > b.last)
        return {sync_texts::kCursorBeyondRecord};
    const Jump first = FindJump(a);
    const Jump second = FindJump(b);
    document.merge.mergeOffset = static_cast<double>(a.Time(first.at) - b.Time(second.at)) / 1000000.0;
    return {first.clear && second.clear ? sync_texts::kSucceeded : sync_texts::kWeakJump, 0, true};
}

double Mean(std::span<const double> values)
{
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

double Deviation(std::span<const double> values)
{
    const double mean = Mean(values);
    double sum = 0.0;
    for (const double value : values)
        sum += (value - mean) * (value - mean);
    return std::sqrt(sum / static_cast<double>(values.size()));
}

// The start of the period over which the product of the two moduli varies least, not being
// constant; `from` when every period is constant.
std::int64_t SteadiestPeriod(const Pair& pair, double delta, std::int64_t from, std::int64_t to)
{
    const SyncChannel& a = pair.first;
    const SyncChannel& b = pair.second;
    std::vector<double> product(static_cast<std::size_t>(std::max<std::int64_t>(to - from, 0)));
    for (std::int64_t k = from; k < to; ++k) {
        const std::int64_t u = b.FirstAtOrAfter(static_cast<double>(a.Time(k)) - delta);
        const double modulus2 = u < b.last ? std::abs(b.PhasorAt(u)) : 0.0;
        const double modulus1 = k < a.last ? std::abs(a.PhasorAt(k)) : 0.0;
        product[static_cast<std::size_t>(k - from)] = modulus1 * modulus2;
    }
    std::int64_t chosen = from;
    double least = INFINITY;
    for (std::int64_t w = from; w + a.period <= to; ++w) {
        const double deviation = Deviation(std::span<const double>(product).subspan(
            static_cast<std::size_t>(w - from), static_cast<std::size_t>(a.period)));
        if (deviation > 0.0 && deviation < least) {
            least = deviation;
            chosen = w;
        }
    }
    return chosen;
}

// Channel 2's phasor at a time of its own axis, linear between the samples around it.
Phasor PhasorAtTime(const SyncChannel& c, double time)
{
    const std::int64_t u = std::min(c.FirstAtOrAfter(time), c.last);
    if (u <= 0)
        return c.PhasorAt(0);
    const auto before = static_cast<double>(c.Time(u - 1));
    const auto after = static_cast<double>(c.Time(u));
    const Phasor low = c.PhasorAt(u - 1);
    const Phasor high = c.PhasorAt(u);
    if (after <= before)
        return high;
    const double part = (time - before) / (after - before);
    return {low.real() + (high.real() - low.real()) * part, low.imag() + (high.imag() - low.imag()) * part};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

SyncOutcome ByPrefault(Document& document, const Pair& pair)
{
    const SyncChannel& a = pair.first;
    const SyncChannel& b = pair.second;
    const double frequency = document.oscillogram.lineFrequency;
    if (!(frequency > 0.0) || !std::isfinite(frequency))
        return {};
    if (static_cast<double>(a.cursor) < 1.5 * static_cast<double>(a.period) + 1.0 ||
        static_cast<double>(b.cursor) < 1.5 * static_cast<double>(b.period) + 1.0)
        return {sync_texts::kCursorBefore15Periods};
    if (a.cursor > a.last || b.cursor > b.last)
        return {sync_texts::kCursorBeyondRecord};
    const auto delta = static_cast<double>(a.Time(a.cursor) - b.Time(b.cursor));
    const std::int64_t from = a.cursor - a.period;
    const std::int64_t to = a.cursor < a.last - a.period ? a.cursor + a.period : a.last;
    const std::int64_t stretch = SteadiestPeriod(pair, delta, from, to);

    std::vector<double> angles;
    for (std::int64_t k = stretch; k < stretch + a.period; ++k) {
        const Phasor other = PhasorAtTime(b, static_cast<double>(a.Time(k)) - delta);
        double angle = (std::arg(a.PhasorAt(k)) - std::arg(other)) * 180.0 / std::numbers::pi;
        if (angle < -180.0)
            angle += 360.0;
        if (angle > 180.0)
            angle -= 360.0;
        angles.push_back(angle);
    }
    const double median = Median(angles);
    document.merge.mergeOffset = (delta - median * 1000000.0 / (frequency * 360.0)) / 1000000.0;
    return {Deviation(angles) > 1.0 ? sync_texts::kUnsteadyStretch : sync_texts::kSucceeded, 0, true};
}

} // namespace

SyncOutcome Synchronise(Document& document, SyncMethod method, const std::string& reference,
                        const std::string& pasted, std::int64_t cursorSample)
{
    if (method == SyncMethod::StartTime)
        return SynchroniseByStartTime(document);
    const Oscillogram& record = document.oscillogram;
    const Channel* channels[2] = {nullptr, nullptr};
    try {
        channels[0] = &record.channels[record.FindChannel(reference)];
        channels[1] = &record.channels[record.FindChannel(pasted)];
    } catch (const CZarvaException&) {
        return {};
    }
    if (record.sampleRate <= 0 || channels[0]->samples.Empty() || channels[1]->samples.Empty())
        return {};
    const double rate2 = Rate(record, *channels[1]);
    const std::int64_t p2 = RoundToInt64(static_cast<double>(cursorSample) * rate2 / record.sampleRate -
                                         document.merge.mergeOffset * rate2);
    auto side = [&](const Channel& channel, std::int64_t cursor) {
        return SyncChannel{record, channel, cursor, record.SamplesPerPeriod(channel),
                           static_cast<std::int64_t>(channel.samples.Size()) - 1};
    };
    const Pair pair{side(*channels[0], cursorSample), side(*channels[1], p2)};
    return method == SyncMethod::FaultComponent ? ByFaultComponent(document, pair) : ByPrefault(document, pair);
}

} // namespace zarva
