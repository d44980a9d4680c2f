#pragma once

#include "core/document/Document.h"

#include <functional>
#include <string>
#include <vector>

namespace zarva::test {

// A record of one sampling rate whose analog channels are built from functions of time, for
// the measure tests. Channel references stay valid for up to 16 channels.
class TestRecord {
public:
    explicit TestRecord(std::int32_t sampleRate, double lineFrequency = 50.0);

    Channel& AddAnalog(const std::string& name, std::vector<double> samples);
    // Samples of f(t) at t = i / rate for i = 0..count-1.
    Channel& AddSampled(const std::string& name, std::size_t count,
                        const std::function<double(double)>& f);
    // Makes the channel the frequency reference the measures track.
    void TrackAgainst(const Channel& reference);

    Document document;
    Oscillogram& record = document.oscillogram;
};

// A sine of amplitude A and frequency f whose phase is `phaseDeg` at time `atTime`.
std::function<double(double)> Sine(double amplitude, double frequency, double phaseDeg,
                                   double atTime = 0.0);

// A line-frequency wave with harmonics, a decaying offset and noise.
std::vector<double> NoisyWave(std::size_t count, double rate, std::uint64_t seed);

} // namespace zarva::test
