#pragma once

#include "core/model/Channel.h"

#include <cstdint>

namespace zarva::test {

// Checks that the series Recompute stored for an analog channel equal the window measures
// at every `stride`-th sample from `first` to `end` (0: the last), within 1e-9 relative, and
// within 1e-12 of the window's RMS near zero.
void ExpectSeriesMatchMeasures(const Channel& channel, std::int64_t first = 0,
                               std::int64_t stride = 1, std::int64_t end = 0);

} // namespace zarva::test
