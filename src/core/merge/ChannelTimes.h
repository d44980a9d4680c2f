#pragma once

#include "core/model/Oscillogram.h"

#include <cstdint>

namespace zarva {

// The time of sample i of a channel in microseconds: on its own axis for a pasted channel,
// else the record's. An index beyond the times gives the nearest time there is.
inline std::int64_t SampleTime(const Oscillogram& record, const Channel& channel, std::size_t i)
{
    const std::vector<std::int64_t>& times = channel.ownTimes ? *channel.ownTimes : record.sampleTimes;
    if (times.empty())
        return 0;
    return times[std::min(i, times.size() - 1)];
}

} // namespace zarva
