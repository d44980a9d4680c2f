#include "support/InMemoryRecord.h"

#include <cmath>
#include <numbers>
#include <string>

namespace zarva::bench {

void FillInMemoryRecord(Document& document, std::size_t analogChannels, std::size_t samples,
                        std::int32_t sampleRate)
{
    Oscillogram& record = document.oscillogram;
    record.sampleRate = sampleRate;
    record.lineFrequency = 50.0;
    record.rateSegments = {{static_cast<double>(sampleRate), static_cast<std::int32_t>(samples)}};
    record.channels.reserve(record.channels.size() + analogChannels);
    std::uint64_t noise = 0x9E3779B97F4A7C15u;
    const double step = 2.0 * std::numbers::pi * 50.0 / sampleRate;
    for (std::size_t c = 0; c < analogChannels; ++c) {
        Channel channel(ChannelKind::Analog, &document);
        channel.name = "A" + std::to_string(c + 1);
        std::vector<double> values(samples);
        const double phase = static_cast<double>(c) * 0.7;
        for (std::size_t i = 0; i < samples; ++i) {
            noise = noise * 6364136223846793005u + 1442695040888963407u;
            const double jitter = static_cast<double>(noise >> 11) * 0x1.0p-53 - 0.5;
            const double angle = step * static_cast<double>(i) + phase;
            values[i] = 100.0 * std::sin(angle) + 7.0 * std::sin(3.0 * angle) +
                                 30.0 * std::exp(-static_cast<double>(i) / (0.08 * sampleRate)) +
                                 jitter;
        }
        channel.samples.Assign(std::move(values));
        record.channels.push_back(std::move(channel));
        ++record.analogCount;
    }
}

} // namespace zarva::bench
