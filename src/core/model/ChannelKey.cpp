#include "core/model/ChannelKey.h"

#include "core/model/Channel.h"
#include "core/model/CodePage.h"

namespace zarva {

std::string ChannelKey(const Channel& channel)
{
    return DecodeText(channel.channelId, CodePage::Windows1251);
}

std::optional<std::size_t> FindChannelByKey(const std::vector<Channel>& channels, const std::string& key)
{
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (ChannelKey(channels[i]) == key)
            return i;
    }
    return std::nullopt;
}

} // namespace zarva
