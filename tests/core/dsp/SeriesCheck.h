#pragma once

#include "core/model/Channel.h"

#include <cstdint>
#include <functional>

namespace zarva::test {

// Checks that the series Recompute stored for an analog channel equal the window measures
// at every `stride`-th sample from `first` to `end` (0: the last), within 1e-9 relative, and
// within 1e-12 of the window's RMS near zero.
void ExpectSeriesMatchMeasures(const Channel& channel, std::int64_t first = 0,
                               std::int64_t stride = 1, std::int64_t end = 0);

// Recomputes the channel in each curve mode and runs `check` after each (by default the
// whole-series check above).
void InEveryCurveMode(Channel& channel, const std::function<void()>& check = {});

} // namespace zarva::test
