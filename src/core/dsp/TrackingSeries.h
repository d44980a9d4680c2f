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
    TrackingSeries(const Channel& channel, std::span<const double> x, const Channel& reference);

    double Rms(std::int64_t pos);
    Phasor FirstHarmonic(std::int64_t pos);

private:
    void PrepareRotations(double frequency, const TrackingWindow& window);

    std::span<const double> x_;
    const Channel& reference_;
    double rate_;
    double rotationsFrequency_ = 0.0;
    std::vector<Phasor> rotations_;  // j e^{j i theta}, i = 0..M+1
};

} // namespace zarva
