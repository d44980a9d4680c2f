#pragma once

#include "core/view/TraceGeometry.h"

#include <optional>

#include <vector>

namespace zarva {

class Channel;
struct Row;
struct ViewState;

// How a row on screen maps its samples and values to pixels: the row's window (its members'
// common one for a merged row) between 5 pixels below its top and 5 above its bottom; a flat
// row lies at its middle. `rowTop` is the row's top on screen.
TraceMapping RowTraceMapping(const std::vector<Channel>& channels, const Row& row, const ViewState& state, int rowTop,
                             int clientWidth);

// The value under pixel row y of a row; the row's lowest value for a flat row.
double ValueAtY(const TraceMapping& mapping, int y);

// The row's zero line, when 0 lies within its window.
std::optional<int> ZeroLineY(const TraceMapping& mapping, double highest);

} // namespace zarva
