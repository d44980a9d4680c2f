#pragma once

namespace zarva {

// Where a record window shows its pasted channels: a pasted channel's sample taken at time t
// in its source record is shown at t + mergeOffset (seconds) on the window's time axis.
struct MergeState {
    double mergeOffset = 0.0;
};

} // namespace zarva
