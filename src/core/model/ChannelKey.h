#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zarva {

class Channel;

// The text that names a channel in the record's settings file, whatever the user renames it
// to or the code page it is read in: its identifier as the file has it, read as ANSI text.
// Channel sections and annotations refer to channels by it.
std::string ChannelKey(const Channel& channel);

// The first channel with this key; none when no channel has it.
std::optional<std::size_t> FindChannelByKey(const std::vector<Channel>& channels, const std::string& key);

} // namespace zarva
