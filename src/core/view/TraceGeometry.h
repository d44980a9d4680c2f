#pragma once

#include "core/view/MinMaxPyramid.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zarva {

struct PixelPoint {
    int x = 0;
    int y = 0;

    bool operator==(const PixelPoint&) const = default;
};

// How one row maps samples and values to pixels.
struct TraceMapping {
    int leftMargin = 0;
    double xScale = 1.0;
    std::int64_t firstSample = 0;
    int plotWidth = 0;       // pixels right of the label panel
    double base = 0.0;       // y of `lowest`
    double lowest = 0.0;     // value at the base line
    double scale = 0.0;      // pixels per unit of value, 0 for a flat row

    // Samples drawn from firstSample on: those that fit the plot area, within the series.
    std::int64_t PointCount(std::size_t seriesSize) const;
    int X(std::int64_t point) const;  // point = sample - firstSample
    int Y(double value) const;
};

// A curve is drawn as polylines, one per run of samples; a missing sample (a value that is
// not finite) ends a run, so the curve leaves a gap there.
using Stroke = std::vector<PixelPoint>;

// The curve with a vertex at every sample: the picture the envelope reproduces.
std::vector<Stroke> VertexStrokes(const Series<double>& series, const TraceMapping& mapping);

// The same picture at a cost bounded by the plot width: where several samples share a pixel
// column, the column's first value, its extremes and its last value, in that order, so that
// one polyline draws the column's vertical span and joins the neighbouring columns. A column
// of missing samples only is a gap, and so is the step into or out of a missing sample. The
// extremes come from the series' pyramid; without one (null, or built from another series)
// every sample in view is read.
std::vector<Stroke> EnvelopeStrokes(const Series<double>& series, const MinMaxPyramid* pyramid,
                                    const TraceMapping& mapping);

// A discrete channel's bar: rectangles [x0, x1) where the value is not 0, and the columns
// in which it changes within the column.
struct DiscreteBars {
    std::vector<std::pair<int, int>> runs;
    std::vector<int> changeColumns;
};
DiscreteBars DiscreteRuns(const Series<double>& series, const MinMaxPyramid* pyramid, const TraceMapping& mapping);

} // namespace zarva
