#include "ViewTestRecord.h"

#include "core/model/Units.h"

#include <cmath>
#include <numbers>

namespace zarva::test {

ViewTestRecord::ViewTestRecord(std::size_t samples) : document_(std::make_unique<Document>()), samples_(samples)
{
    Oscillogram& record = document_->oscillogram;
    record.sampleRate = 1000;
    record.rateSegments.push_back({1000.0, static_cast<std::int32_t>(samples)});
    for (std::size_t i = 0; i < samples; ++i)
        record.sampleTimes.push_back(static_cast<std::int64_t>(i) * 1000);
}

void ViewTestRecord::Retime(double rate)
{
    Oscillogram& record = document_->oscillogram;
    record.sampleRate = static_cast<std::int32_t>(rate);
    record.rateSegments = {{rate, static_cast<std::int32_t>(samples_)}};
    for (std::size_t i = 0; i < samples_; ++i)
        record.sampleTimes[i] = std::llround(static_cast<double>(i) * 1e6 / rate);
}

Channel& ViewTestRecord::Analog(const std::string& name, const std::string& unit, std::vector<double> values)
{
    if (values.empty()) {
        for (std::size_t i = 0; i < samples_; ++i)
            values.push_back(10.0 * std::sin(2.0 * std::numbers::pi * 50.0 * static_cast<double>(i) / 1000.0));
    }
    Channel channel(ChannelKind::Analog, document_.get());
    channel.channelId = name;
    channel.name = name;
    channel.unit8 = unit;
    InterpretUnit(channel);
    channel.samples.Assign(std::move(values));
    channel.Recompute();
    Oscillogram& record = document_->oscillogram;
    const auto discreteStart = record.channels.begin() + record.analogCount;
    ++record.analogCount;
    return *record.channels.insert(discreteStart, std::move(channel));
}

std::vector<Channel>& ViewTestRecord::Analogs(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        Analog(name);
    return Channels();
}

Channel& ViewTestRecord::Discrete(const std::string& name, std::vector<double> values)
{
    if (values.empty())
        values.assign(samples_, 0.0);
    Channel channel(ChannelKind::Discrete, document_.get());
    channel.channelId = name;
    channel.name = name;
    channel.samples.Assign(std::move(values));
    channel.Recompute();
    ++document_->oscillogram.discreteCount;
    return document_->oscillogram.channels.emplace_back(std::move(channel));
}

} // namespace zarva::test
