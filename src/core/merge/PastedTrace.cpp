#include "core/merge/PastedTrace.h"

#include "core/document/Document.h"
#include "core/merge/ChannelTimes.h"
#include "core/model/Rounding.h"
#include "core/view/ViewState.h"

#include <algorithm>
#include <cmath>

namespace zarva {
namespace {

std::span<const std::int64_t> TimesOf(const PastedPlacement& placement)
{
    const Channel& channel = placement.channel;
    const std::vector<std::int64_t>& times = channel.ownTimes ? *channel.ownTimes : placement.record.sampleTimes;
    return std::span<const std::int64_t>(times).first(std::min(times.size(), channel.samples.Size()));
}

double PixelsPerSample(const TraceMapping& mapping) { return view::kSampleWidth * mapping.xScale; }

// The samples that fall within the plot, with one more on either side to join the edges.
std::pair<std::size_t, std::size_t> VisibleSamples(const PastedPlacement& placement, const TraceMapping& mapping,
                                                   std::size_t size)
{
    const auto first = static_cast<double>(mapping.firstSample);
    const double last = first + mapping.plotWidth / PixelsPerSample(mapping);
    const double from = std::floor(placement.IndexAt(first));
    const double to = std::ceil(placement.IndexAt(last)) + 1.0;
    return {static_cast<std::size_t>(std::max(from, 0.0)), std::min(static_cast<std::size_t>(std::max(to, 0.0)), size)};
}

int ColumnOf(const PastedPlacement& placement, const TraceMapping& mapping, std::size_t i)
{
    const double x = (placement.Position(i) - static_cast<double>(mapping.firstSample)) * PixelsPerSample(mapping);
    return mapping.leftMargin + static_cast<int>(std::clamp(RoundHalfUp(x), -1.0e6, 1.0e6));
}

// The series at the record's sample, linear between the two samples around its time; nothing
// outside the channel.
template <class T>
std::optional<T> Interpolated(const Series<T>& series, const PastedPlacement& placement, std::int64_t sample)
{
    const std::span<const std::int64_t> times = TimesOf(placement);
    const auto at = static_cast<double>(sample);
    if (series.Empty() || times.empty() || placement.Position(0) > at || placement.Position(times.size() - 1) < at)
        return std::nullopt;
    const double index = placement.IndexAt(at);
    const auto low = std::min(static_cast<std::size_t>(std::floor(index)), series.Size() - 1);
    const std::size_t high = std::min(low + 1, series.Size() - 1);
    const double part = index - static_cast<double>(low);
    return series.At(low) + (series.At(high) - series.At(low)) * part;
}

} // namespace

double PastedPlacement::Position(std::size_t i) const
{
    return (static_cast<double>(SampleTime(record, channel, i)) + mergeOffset * 1e6) * record.sampleRate / 1e6;
}

double PastedPlacement::IndexAt(double position) const
{
    const std::span<const std::int64_t> times = TimesOf(*this);
    if (times.empty() || record.sampleRate <= 0)
        return 0.0;
    const double time = position * 1e6 / record.sampleRate - mergeOffset * 1e6;
    const auto after = std::lower_bound(times.begin(), times.end(), time,
                                        [](std::int64_t t, double x) { return static_cast<double>(t) < x; });
    if (after == times.begin())
        return 0.0;
    if (after == times.end())
        return static_cast<double>(times.size() - 1);
    const auto i = static_cast<double>(after - times.begin());
    const auto span = static_cast<double>(*after - *(after - 1));
    return span > 0.0 ? i - (static_cast<double>(*after) - time) / span : i;
}

std::vector<Stroke> PastedStrokes(const Series<double>& values, const PastedPlacement& placement,
                                  const TraceMapping& mapping)
{
    std::vector<Stroke> strokes(1);
    SeriesReader<double> series(values);
    const auto [from, to] = VisibleSamples(placement, mapping, values.Size());
    auto add = [&](int x, double value) {
        if (!std::isfinite(value)) {
            if (!strokes.back().empty())
                strokes.emplace_back();
            return;
        }
        const PixelPoint point{x, mapping.Y(value)};
        if (strokes.back().empty() || strokes.back().back() != point)
            strokes.back().push_back(point);
    };
    for (std::size_t i = from; i < to;) {
        const int column = ColumnOf(placement, mapping, i);
        double low = series[i];
        double high = series[i];
        std::size_t end = i + 1;
        for (; end < to && ColumnOf(placement, mapping, end) == column; ++end) {
            low = std::min(low, series[end]);
            high = std::max(high, series[end]);
        }
        add(column, series[i]);
        add(column, low);
        add(column, high);
        add(column, series[end - 1]);
        i = end;
    }
    if (strokes.back().empty())
        strokes.pop_back();
    return strokes;
}

DiscreteBars PastedRuns(const Series<double>& values, const PastedPlacement& placement, const TraceMapping& mapping)
{
    DiscreteBars bars;
    SeriesReader<double> series(values);
    const auto [from, to] = VisibleSamples(placement, mapping, values.Size());
    for (std::size_t i = from; i < to; ++i) {
        if (series[i] == 0.0)
            continue;
        const int x0 = ColumnOf(placement, mapping, i);
        const int x1 = i + 1 < values.Size() ? ColumnOf(placement, mapping, i + 1) : x0 + 1;
        if (!bars.runs.empty() && bars.runs.back().second >= x0)
            bars.runs.back().second = std::max(bars.runs.back().second, x1);
        else
            bars.runs.emplace_back(x0, std::max(x1, x0 + 1));
    }
    return bars;
}

std::optional<double> PastedValueAt(const Series<double>& series, const PastedPlacement& placement,
                                    std::int64_t sample)
{
    return Interpolated(series, placement, sample);
}

Phasor PastedPhasorAt(const Series<Phasor>& series, const PastedPlacement& placement, std::int64_t sample)
{
    return Interpolated(series, placement, sample).value_or(Phasor{});
}

std::int64_t OwnSampleAt(const Channel& channel, std::int64_t sample)
{
    if (!channel.HasFlag(display::kPasted) || channel.owner == nullptr)
        return sample;
    const Document& document = *channel.owner;
    const PastedPlacement placement{document.oscillogram, channel, document.merge.mergeOffset};
    return RoundToInt64(placement.IndexAt(static_cast<double>(sample)));
}

} // namespace zarva
