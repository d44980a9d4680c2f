#include "core/merge/RecordMerge.h"

#include "core/document/Document.h"
#include "core/document/Recompute.h"
#include "core/formats/ComtradeTime.h"
#include "core/model/ParallelFor.h"
#include "core/model/Rounding.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>
#include <variant>

namespace zarva {
namespace {

// Samples per channel a merged record may have: what a data file's sample numbers hold.
constexpr double kMostSamples = std::numeric_limits<std::int32_t>::max();

double RateOf(const Oscillogram& record, const Channel& channel)
{
    return channel.ownSampleRate != 0.0 ? channel.ownSampleRate : static_cast<double>(record.sampleRate);
}

std::span<const std::int64_t> TimesOf(const Oscillogram& record, const Channel& channel)
{
    const std::vector<std::int64_t>& times = channel.ownTimes ? *channel.ownTimes : record.sampleTimes;
    return std::span<const std::int64_t>(times).first(std::min(times.size(), channel.samples.Size()));
}

double SpanOf(std::span<const std::int64_t> times)
{
    return times.empty() ? 0.0 : static_cast<double>(times.back() - times.front());
}

// Where each channel starts on the window's axis (pasted ones moved by the offset), measured
// from the earliest start, and the span from there to the latest end.
struct Layout {
    std::vector<ChannelPlacement> placements;
    double span = 0.0;
    double lead = 0.0;  // how long before the record's own first sample pasted channels begin
};

Layout Lay(const Oscillogram& record, double offsetMicroseconds)
{
    const double origin = std::min(0.0, offsetMicroseconds);
    Layout layout;
    layout.lead = -origin;
    for (const Channel& channel : record.channels) {
        const double start = channel.HasFlag(display::kPasted) ? offsetMicroseconds : 0.0;
        const std::span<const std::int64_t> times = TimesOf(record, channel);
        const double rate = RateOf(record, channel);
        layout.placements.push_back({times, rate > 0.0 ? 1000000.0 / rate : 0.0, start - origin});
        layout.span = std::max(layout.span, start - origin + SpanOf(times));
    }
    return layout;
}

std::vector<double> Resampled(const Channel& channel, const ChannelPlacement& placement, const MergeGrid& grid)
{
    const std::vector<double> values = channel.samples.View().ToVector();
    return channel.IsDiscrete() ? ResampleDiscrete(values, placement, grid) : ResampleAnalog(values, placement, grid);
}

void Rebuild(Channel& channel, std::vector<double> samples, std::vector<double> lineFrequencies, double rate)
{
    channel.samples.Assign(std::move(samples));
    channel.lineFrequencySeries = std::move(lineFrequencies);
    channel.suppliedPhasors.reset();
    channel.ownSampleRate = rate;
    channel.ownTimes.reset();
    channel.pastedSource = {};
    channel.SetFlag(display::kPasted, false);
}

// The record's own line-frequency series on the grid, read along its first own channel.
std::vector<double> RecordLineFrequencies(const Oscillogram& record, const Layout& layout, const MergeGrid& grid)
{
    for (std::size_t c = 0; c < record.channels.size(); ++c) {
        if (!record.channels[c].HasFlag(display::kPasted) && !record.lineFrequencySeries.empty())
            return ResampleNearestAfter(record.lineFrequencySeries, layout.placements[c], grid);
    }
    return {};
}

// The start moment is that of the zero sample: the first one unless the file marks another.
// Every sample keeps its moment: a marked zero sample moves to its place on the grid, else the
// start moves back to the grid's first sample, `lead` microseconds earlier. The trigger is
// written as a moment and stays.
void KeepMoments(Oscillogram& record, std::int32_t zeroOnGrid, std::int64_t lead)
{
    if (record.zeroSample > 0) {
        record.zeroSample = zeroOnGrid;
        return;
    }
    if (lead == 0)
        return;
    const std::optional<MomentTexts> start =
        ShiftedMoment(record.startDate, record.startTime, -lead, DatesDayFirst(record));
    if (!start)
        return;
    const bool utcFor2013 = record.startText != StartText(record, false);
    record.startDate = start->date;
    record.startTime = start->time;
    record.startText = StartText(record, utcFor2013);
}

// The grid sample nearest the moment of the record's own sample `index`.
std::int64_t OnGrid(const Oscillogram& record, const Layout& layout, const MergeGrid& grid, std::int64_t index)
{
    const std::vector<std::int64_t>& times = record.sampleTimes;
    if (times.empty())
        return 0;
    const auto own = static_cast<std::size_t>(std::clamp<std::int64_t>(index, 0, std::ssize(times) - 1));
    const double moment = static_cast<double>(times[own] - times.front()) + layout.lead;
    return static_cast<std::int64_t>(std::clamp(RoundHalfUp(moment / grid.step), 0.0, static_cast<double>(grid.count - 1)));
}

std::int32_t ZeroOnGrid(const Oscillogram& record, const Layout& layout, const MergeGrid& grid)
{
    if (record.zeroSample <= 0 || record.sampleTimes.empty())
        return record.zeroSample;
    return static_cast<std::int32_t>(OnGrid(record, layout, grid, record.zeroSample));
}

// Cursors and annotations name samples of the old grid; each moves to the sample of the new
// one nearest its moment. Levels keep their values.
void KeepMarks(Document& document, const Layout& layout, const MergeGrid& grid)
{
    const auto onGrid = [&](std::int64_t index) { return OnGrid(document.oscillogram, layout, grid, index); };
    CursorSet& cursors = document.cursors;
    for (int i = 0; i < CursorSet::kVerticalCount; ++i) {
        const std::int64_t sample = cursors.Vertical(i).sample;
        if (!cursors.NeverPlaced(i))
            cursors.MoveVertical(i, onGrid(sample) - sample, static_cast<std::size_t>(grid.count));
    }
    const std::vector<Annotation>& items = document.annotations.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        Annotation item = items[i];
        std::visit([&](auto& kind) {
            if constexpr (std::is_same_v<std::decay_t<decltype(kind)>, MomentItem>) {
                kind.position = onGrid(kind.position);
            } else {
                kind.positionFrom = onGrid(kind.positionFrom);
                kind.positionTo = onGrid(kind.positionTo);
            }
        }, item);
        document.annotations.Replace(i, std::move(item));
    }
}

} // namespace

double CommonRate(const Oscillogram& record)
{
    double highest = 0.0;
    for (const Channel& channel : record.channels)
        highest = std::max(highest, RateOf(record, channel));
    const double f = record.lineFrequency;
    const double perPeriod = f > 0.0 && std::isfinite(f) ? RoundHalfUp(highest / f) : 0.0;
    if (!(perPeriod >= 1.0) || !std::isfinite(perPeriod))
        throw CZarvaException(messages::kBadFileFormat);
    return perPeriod * f;
}

void MergeRecord(Document& document)
{
    Oscillogram& record = document.oscillogram;
    if (record.channels.empty())
        return;
    const double rate = CommonRate(record);
    const double offset = document.merge.mergeOffset * 1000000.0;
    const Layout layout = Lay(record, std::isfinite(offset) ? offset : 0.0);
    const MergeGrid grid{1000000.0 / rate, RoundToInt64(rate * layout.span * 0.000001) - 4};
    if (grid.count < 1 || static_cast<double>(grid.count) > kMostSamples)
        throw CZarvaException(messages::kBadFileFormat);

    std::vector<std::vector<double>> samples(record.channels.size());
    std::size_t work = 0;
    for (const Channel& channel : record.channels)
        work += channel.samples.Size();
    ParallelFor(record.channels.size(), ThreadsFor(work), [&](std::size_t c) {
        samples[c] = Resampled(record.channels[c], layout.placements[c], grid);
    });
    std::vector<double> recordFrequencies = RecordLineFrequencies(record, layout, grid);
    const std::int32_t zeroOnGrid = ZeroOnGrid(record, layout, grid);

    document.undo.Save(document);
    KeepMarks(document, layout, grid);
    const std::int32_t wholeRate = static_cast<std::int32_t>(RoundHalfUp(rate));
    // Channels at the record's rate read its rate and times, as channels read from a file do.
    const double ownRate = wholeRate == rate ? 0.0 : rate;
    for (std::size_t c = 0; c < record.channels.size(); ++c) {
        Channel& channel = record.channels[c];
        std::vector<double> frequencies;
        if (!channel.lineFrequencySeries.empty())
            frequencies = ResampleNearestAfter(channel.lineFrequencySeries, layout.placements[c], grid);
        Rebuild(channel, std::move(samples[c]), std::move(frequencies), ownRate);
    }
    record.sampleTimes.resize(static_cast<std::size_t>(grid.count));
    for (std::size_t k = 0; k < record.sampleTimes.size(); ++k)
        record.sampleTimes[k] = RoundToInt64(static_cast<double>(k) * grid.step);
    record.sampleRate = wholeRate;
    record.rateSegments = {{rate, static_cast<std::int32_t>(grid.count)}};
    record.lineFrequencySeries = std::move(recordFrequencies);
    KeepMoments(record, zeroOnGrid, RoundToInt64(layout.lead));
    record.storedDataChanged = true;
    document.merge.mergeOffset = 0.0;
    record.RebuildFrequencyChannels();
    RecomputeAll(document);
}

} // namespace zarva
