#include "MergeTestRecord.h"

#include "core/merge/ChannelPaste.h"
#include "core/merge/ClipboardDocument.h"

#include <cmath>

namespace zarva::test {

MergeTestRecord::MergeTestRecord(std::int32_t rate, std::size_t count, std::string startDate, std::string startTime)
    : count_(count)
{
    record.sampleRate = rate;
    record.lineFrequency = 50.0;
    record.rateSegments.push_back({static_cast<double>(rate), static_cast<std::int32_t>(count)});
    for (std::size_t i = 0; i < count; ++i)
        record.sampleTimes.push_back(std::llround(static_cast<double>(i) * 1e6 / rate));
    record.stationName = record.stationText = "STATION";
    record.recorderId = record.recorderText = "REC";
    record.revisionYear = "1999";
    record.triggerDate = startDate;
    record.triggerTime = startTime;
    record.startDate = std::move(startDate);
    record.startTime = std::move(startTime);
}

Channel& MergeTestRecord::Analog(const std::string& name, const std::function<double(double)>& f)
{
    return Add(ChannelKind::Analog, name, f);
}

Channel& MergeTestRecord::Discrete(const std::string& name, const std::function<double(double)>& f)
{
    return Add(ChannelKind::Discrete, name, f);
}

Channel& MergeTestRecord::Add(ChannelKind kind, const std::string& name, const std::function<double(double)>& f)
{
    Channel channel(kind, document.get());
    channel.name = name;
    channel.channelId = name;
    channel.unit8 = channel.unit = kind == ChannelKind::Analog ? "V" : "";
    std::vector<double> samples(count_);
    for (std::size_t i = 0; i < count_; ++i)
        samples[i] = f(static_cast<double>(i) / record.sampleRate);
    channel.samples.Assign(std::move(samples));
    channel.Recompute();
    record.channels.push_back(std::move(channel));
    return record.channels.back();
}

void CopyAll(Document& source, Document& target)
{
    for (Channel& channel : source.oscillogram.channels)
        channel.selected = true;
    PasteChannels(target, ParseClipboardText(ClipboardText(source.oscillogram)));
}

} // namespace zarva::test
