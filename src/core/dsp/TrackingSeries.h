#pragma once

#include "core/dsp/TrackingWindow.h"
#include "core/model/Channel.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zarva {

// The tracking forms at every sample of a channel, from its instantaneous values: the same
// integrals as the window measures, O(window) per sample, with the rotations of the window
// kept while the measured frequency stays the same instead of evaluated per term.
class TrackingSeries {
public:
    // x[k] is the instantaneous value of sample origin + k, and holds every sample the
    // windows of the positions asked for reach; `reference` gives the frequency.
    TrackingSeries(std::span<const double> x, std::int64_t origin, double samplingRate,
                   const SampleData& reference);

    double Rms(std::int64_t pos);
    Phasor FirstHarmonic(std::int64_t pos);

    // The samples before pos that the window ending there reaches.
    static std::int64_t Reach(std::int64_t pos, double samplingRate, const SampleData& reference);

private:
    void PrepareRotations(double frequency, const TrackingWindow& window);

    std::span<const double> x_;
    std::int64_t origin_;
    const SampleData& reference_;
    double rate_;
    double rotationsFrequency_ = 0.0;
    std::vector<Phasor> rotations_;  // j e^{j i theta}, i = 0..M+1
};

} // namespace zarva
