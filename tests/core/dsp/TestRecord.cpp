#include "TestRecord.h"

#include <cmath>
#include <numbers>
#include <random>

namespace zarva::test {

TestRecord::TestRecord(std::int32_t sampleRate, double lineFrequency)
{
    record.sampleRate = sampleRate;
    record.lineFrequency = lineFrequency;
    record.rateSegments.push_back({static_cast<double>(sampleRate), 0});
    record.channels.reserve(16);
}

Channel& TestRecord::AddAnalog(const std::string& name, std::vector<double> samples)
{
    Channel channel(ChannelKind::Analog, &document);
    channel.name = name;
    channel.samples.Assign(std::move(samples));
    record.channels.push_back(std::move(channel));
    record.rateSegments.back().endSample = static_cast<std::int32_t>(record.channels.back().samples.Size());
    return record.channels.back();
}

Channel& TestRecord::AddSampled(const std::string& name, std::size_t count,
                                const std::function<double(double)>& f)
{
    std::vector<double> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = f(static_cast<double>(i) / record.sampleRate);
    return AddAnalog(name, std::move(samples));
}

void TestRecord::TrackAgainst(const Channel& reference)
{
    record.frequencyChannels.clear();
    for (std::size_t i = 0; i < record.channels.size(); ++i) {
        if (&record.channels[i] == &reference)
            record.frequencyChannels.push_back(i);
    }
    document.frequencyReference = record.frequencyChannels.empty() ? 0 : 1;
}

std::function<double(double)> Sine(double amplitude, double frequency, double phaseDeg,
                                   double atTime)
{
    const double phase = phaseDeg * std::numbers::pi / 180.0;
    return [=](double t) {
        return amplitude * std::sin(2.0 * std::numbers::pi * frequency * (t - atTime) + phase);
    };
}

std::vector<double> NoisyWave(std::size_t count, double rate, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::normal_distribution<double> noise(0.0, 3.0);
    std::vector<double> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        samples[i] = 40.0 * std::exp(-t / 0.05) + Sine(100.0, 50.0, 17.0)(t) +
                     Sine(12.0, 150.0, 80.0)(t) + noise(random);
    }
    return samples;
}

} // namespace zarva::test
