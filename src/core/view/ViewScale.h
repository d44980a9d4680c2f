#pragma once

#include "core/view/ViewState.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace zarva {

// The largest of 1, 1/2, 1/4, … at which `sampleCount` samples fit `clientWidth` pixels;
// 1.0 for a record without samples.
double FitScale(int clientWidth, std::size_t sampleCount);

// A stored time scale made usable: the nearest power of two, at most 2, or twice the fit
// scale when the stored value is no positive number.
double UsableScale(double stored, double fitScale);

// Samples that fit a plot area `plotWidth` pixels wide, minus one.
std::int64_t VisibleSamples(int plotWidth, double xScale);

// Pixel x of a (possibly fractional) sample position.
double SampleX(const ViewState& state, double sample);
// The sample under pixel x: rounded to the nearer sample, ties to the later one, never
// negative.
std::int64_t SampleAtX(const ViewState& state, double x);

// A scroll bar's range: positions 0..maximum, `page` the thumb's share, disabled when there
// is nothing to scroll.
struct ScrollRange {
    int maximum = 0;
    int page = 0;
    int position = 0;
    bool enabled = false;
};

// Units of the horizontal bar: 1/10000 of the scrollable span.
inline constexpr int kHorizontalScrollUnits = 10000;

// Recomputes visibleSamples, keeps firstSample on the record and returns the horizontal bar.
ScrollRange LayoutHorizontally(ViewState& state, int clientWidth, std::size_t sampleCount);
// Returns the vertical bar for rows `contentHeight` pixels tall and sets verticalOffset from
// the bar's position (0 when everything fits).
ScrollRange LayoutVertically(ViewState& state, int clientHeight, int rulerBand, int contentHeight,
                             int barPosition);

// One line or page step of the horizontal bar, in its units.
int HorizontalScrollStep(const ViewState& state, std::size_t sampleCount);
// Moves firstSample to the bar position; returns the position the bar ends at.
int ScrollHorizontallyTo(ViewState& state, int position, std::size_t sampleCount);
// verticalOffset for a bar position, never above 0 nor past the end of the rows.
int VerticalOffsetAt(int position, int contentHeight, int rulerBand, int clientHeight);

// Time zoom by a factor of two, keeping the anchor sample (the first active vertical cursor)
// at its x when there is one. False when the limit is reached: 1.0 for zooming in, the fit
// scale for zooming out.
bool ZoomInHorizontally(ViewState& state, std::optional<std::int64_t> anchor);
bool ZoomOutHorizontally(ViewState& state, std::optional<std::int64_t> anchor, double fitScale,
                         std::size_t sampleCount, int clientWidth);
// Row height zoom by 1.3 about the pixel row anchorY. False beyond the limits.
bool ZoomVertically(ViewState& state, bool zoomIn, int anchorY);

} // namespace zarva
