#pragma once

#include "core/model/Oscillogram.h"

#include <cstddef>
#include <vector>

namespace zarva {

// The indices of the record's channels for which `wanted` holds, in channel order.
inline std::vector<std::size_t> ChannelsWhere(const Oscillogram& record, bool (*wanted)(const Channel&))
{
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < record.channels.size(); ++i) {
        if (wanted(record.channels[i]))
            indices.push_back(i);
    }
    return indices;
}

} // namespace zarva
