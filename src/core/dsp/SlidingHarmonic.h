#pragma once

#include "core/dsp/SineTable.h"
#include "core/model/Channel.h"

#include <cstdint>
#include <span>

namespace zarva {

// Running sums over the last N instantaneous values, moved on one sample at a time: the sum
// of squares and the first-harmonic sum at the absolute phase of each sample. They are
// summed afresh from the window at regular intervals, and sooner when the rounding they may
// have gathered is no longer small against the window's energy (after a large transient has
// left it), so the results equal the window definitions to about 1e-11 of the window's RMS.
class SlidingHarmonic {
public:
    SlidingHarmonic(std::span<const double> x, std::int32_t period);

    // Moves the window to end at pos, one past where it ended (start with pos = 0).
    void MoveTo(std::int64_t pos);

    // True while the window holds a value too large for running sums; the sums are then
    // meaningless and the caller takes the definitions instead.
    bool Unreliable() const { return hugeCount_ > 0; }

    double SumOfSquares() const { return sumOfSquares_; }
    // The first-harmonic RMS phasor over the window, the angle that of a sine at its end.
    Phasor PhasorAtEnd() const;

private:
    double At(std::int64_t i) const { return i >= 0 ? x_[static_cast<std::size_t>(i)] : 0.0; }
    void Anchor(std::int64_t pos);

    std::span<const double> x_;
    std::int32_t period_;
    SineTable table_;
    std::int32_t phase_ = -1;  // pos mod N
    std::int64_t sinceAnchor_ = 0;
    std::int64_t hugeCount_ = 0;
    bool stale_ = false;
    double sumOfSquares_ = 0.0;
    double drift_ = 0.0;  // the magnitudes rounded since the last anchor
    Phasor harmonic_;     // sum of x[m] e^{j 2 pi m / N} over the window
};

} // namespace zarva
