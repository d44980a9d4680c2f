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
    // A computed channel's identifier is the UTF-8 name it was given, not the record's bytes.
    for (Channel& channel : channels) {
        if (channel.aliasName.empty() && !calcChannels.Computes(channel.name))
            channel.name = DecodeText(channel.channelId, page);
    }
}

namespace {

// Samples in one nominal period at the record's rate or a channel's own; 0 when not one.
std::int64_t PeriodLength(const Oscillogram& record, double ownSampleRate)
{
    if (ownSampleRate != 0.0)
        return RoundToInt64(ownSampleRate / 50.0);
    const double frequency = record.lineFrequency;
    const std::int64_t wholeHertz = std::isfinite(frequency) ? static_cast<std::int64_t>(std::clamp(frequency, -1e9, 1e9)) : 0;
    return wholeHertz > 0 ? record.sampleRate / wholeHertz : 0;
}

bool LongEnough(std::int64_t perPeriod)
{
    return perPeriod >= Oscillogram::kFewestSamplesPerPeriod && perPeriod <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

std::int32_t Oscillogram::SamplesPerPeriod(const Channel& channel) const
{
    const std::int64_t perPeriod = PeriodLength(*this, channel.ownSampleRate);
    if (perPeriod <= 0 || perPeriod > std::numeric_limits<std::int32_t>::max())
        throw CZarvaException(messages::kBadFileFormat);
    return static_cast<std::int32_t>(perPeriod);
}

bool Oscillogram::HasWindowMeasures(const Channel& channel) const
{
    return LongEnough(PeriodLength(*this, channel.ownSampleRate));
}

bool Oscillogram::HasWindowMeasures() const
{
    return LongEnough(PeriodLength(*this, 0.0));
}

std::int32_t Oscillogram::MeasureWindow(const Channel& channel) const
{
    const double rate = channel.ownSampleRate != 0.0 ? channel.ownSampleRate : sampleRate;
    if (!(rate > 0.0))
        throw CZarvaException(messages::kBadFileFormat);
    return HasWindowMeasures(channel) ? SamplesPerPeriod(channel) : 0;
}

} // namespace zarva
