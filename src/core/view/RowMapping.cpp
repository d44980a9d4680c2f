#include "core/view/RowMapping.h"

#include "core/model/Rounding.h"
#include "core/view/ChannelCommands.h"
#include "core/view/RowLayout.h"
#include "core/view/ViewState.h"

#include <cmath>

namespace zarva {

TraceMapping RowTraceMapping(const std::vector<Channel>& channels, const Row& row, const ViewState& state, int rowTop,
                             int clientWidth)
{
    TraceMapping mapping;
    mapping.leftMargin = state.leftMargin;
    mapping.xScale = state.xScale;
    mapping.firstSample = state.firstSample;
    mapping.plotWidth = clientWidth - state.leftMargin;
    const ValueWindow window = RowWindow(channels, row.members);
    mapping.lowest = window.low;
    const double span = window.high - window.low;
    if (span > 0.0 && std::isfinite(span)) {
        mapping.scale = (row.height - 10) / span;
        mapping.base = rowTop + row.height - 5;
    } else {
        mapping.scale = 0.0;
        mapping.base = rowTop + row.height / 2;
    }
    return mapping;
}

double ValueAtY(const TraceMapping& mapping, int y)
{
    return mapping.scale > 0.0 ? mapping.lowest + (mapping.base - y) / mapping.scale : mapping.lowest;
}

std::optional<int> ZeroLineY(const TraceMapping& mapping, double highest)
{
    if (!(mapping.lowest <= 0.0 && 0.0 <= highest))
        return std::nullopt;
    return static_cast<int>(mapping.base + RoundHalfUp(mapping.lowest * mapping.scale));
}

} // namespace zarva
