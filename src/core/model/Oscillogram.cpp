#include "core/model/Oscillogram.h"

#include "core/model/Rounding.h"
#include "core/model/TextCase.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zarva {

std::size_t Oscillogram::SampleCount() const
{
    for (const Channel& channel : channels) {
        if (!channel.HasFlag(display::kPasted))
            return channel.samples.Size();
    }
    return 0;
}

std::size_t Oscillogram::FindChannel(const std::string& channelName) const
{
    std::size_t firstMatch = channels.size();
    const std::string folded = FoldCase(channelName);
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (channels[i].name == channelName)
            return i;
        if (firstMatch == channels.size() && FoldCase(channels[i].name) == folded)
            firstMatch = i;
    }
    if (firstMatch == channels.size())
        throw CZarvaException(messages::kBadChannelName);
    return firstMatch;
}

void Oscillogram::RebuildFrequencyChannels()
{
    frequencyChannels.clear();
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (channels[i].IsFrequencyChannel())
            frequencyChannels.push_back(i);
    }
}

void Oscillogram::ApplyCodePage(CodePage page)
{
    codePage = page;
    auto shown = [page](const std::string& bytes) {
        const std::size_t first = bytes.find_first_not_of(' ');
        return first == std::string::npos ? std::string()
                                           : DecodeText(bytes.substr(first, bytes.find_last_not_of(' ') - first + 1), page);
    };
    stationText = shown(stationName);
    recorderText = shown(recorderId);
    for (Channel& channel : channels) {
        if (channel.aliasName.empty())
            channel.name = DecodeText(channel.channelId, page);
    }
}

std::int32_t Oscillogram::SamplesPerPeriod(const Channel& channel) const
{
    std::int64_t perPeriod = 0;
    if (channel.ownSampleRate != 0.0) {
        perPeriod = RoundToInt64(channel.ownSampleRate / 50.0);
    } else {
        const std::int64_t wholeHertz =
            std::isfinite(lineFrequency) ? static_cast<std::int64_t>(std::clamp(lineFrequency, -1e9, 1e9))
                                         : 0;
        perPeriod = wholeHertz > 0 ? sampleRate / wholeHertz : 0;
    }
    if (perPeriod <= 0 || perPeriod > std::numeric_limits<std::int32_t>::max())
        throw CZarvaException(messages::kBadFileFormat);
    return static_cast<std::int32_t>(perPeriod);
}

} // namespace zarva
