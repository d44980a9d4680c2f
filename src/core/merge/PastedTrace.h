#pragma once

#include "core/model/Oscillogram.h"
#include "core/view/TraceGeometry.h"

#include <optional>
#include <span>
#include <vector>

namespace zarva {

// A pasted channel drawn by its own times: sample i at the record's position
// (time(i) + mergeOffset) × rate of the record, in samples of the record.
struct PastedPlacement {
    const Oscillogram& record;
    const Channel& channel;
    double mergeOffset = 0.0;  // seconds

    double Position(std::size_t i) const;
    // The pasted channel's fractional sample index at the record's position; clamped to its
    // samples.
    double IndexAt(double position) const;
};

// The curve of a pasted channel's series in the row `mapping` describes: where several
// samples share a pixel column, the column's first, extreme and last values, as the other
// channels are drawn.
std::vector<Stroke> PastedStrokes(const Series<double>& series, const PastedPlacement& placement,
                                  const TraceMapping& mapping);
// The bar of a pasted discrete channel: the pixels where its state is not 0.
DiscreteBars PastedRuns(const Series<double>& series, const PastedPlacement& placement, const TraceMapping& mapping);

// A pasted channel's series read at the record's sample `sample`, between the two samples
// around its time; nothing outside the channel.
std::optional<double> PastedValueAt(const Series<double>& series, const PastedPlacement& placement,
                                    std::int64_t sample);
// The sample of a channel nearest to the record's sample: itself for the record's own
// channels, by time for a pasted one.
std::int64_t OwnSampleAt(const Channel& channel, std::int64_t sample);
Phasor PastedPhasorAt(const Series<Phasor>& series, const PastedPlacement& placement, std::int64_t sample);

} // namespace zarva
