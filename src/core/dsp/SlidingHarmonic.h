#pragma once

#include "core/dsp/SineTable.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zarva {

// Running sums over the last N instantaneous values, moved on one sample at a time: the sum
// of squares and the first-harmonic sum at the absolute phase of each sample. They are
// summed afresh from the window at regular intervals, and sooner when the rounding they may
// have gathered is no longer small against the window's energy (after a large transient has
// left it), so the results equal the window definitions to about 1e-11 of the window's RMS.
// A scan may stop and go on later from the state it saved, with the same results.
class SlidingHarmonic {
public:
    // The windows ending at `count` positions in a row: the sum of squares and the
    // first-harmonic RMS phasor, whose angle is that of a sine at the window's end.
    static constexpr int kChunk = 256;
    struct Chunk {
        int count = 0;
        std::array<double, kChunk> sumOfSquares;
        std::array<double, kChunk> re;
        std::array<double, kChunk> im;
    };

    // x[k] is the value of sample origin + k; x holds every sample the windows scanned reach.
    SlidingHarmonic(std::span<const double> x, std::int64_t origin, std::int32_t period);

    // Where a scan stands: at its start before the first sample, or where the last Scan
    // stopped.
    struct State {
        std::int32_t phase = -1;  // of the last window's end, mod N
        std::int64_t sinceAnchor = 0;
        std::int64_t hugeCount = 0;
        double sumOfSquares = 0.0;
        double drift = 0.0;
        double sumRe = 0.0;
        double sumIm = 0.0;
    };
    State Saved() const { return {phase_, sinceAnchor_, hugeCount_, sumOfSquares_, drift_, sumRe_, sumIm_}; }
    void Restore(const State& state);

    // Whether the square of a value could overflow the sums.
    static bool TooLarge(double value) { return value * value > kHugeSquare; }

    // Moves the window to end at each position of [begin, end) in turn (the first call
    // starts at 0 or where the restored state stopped, each next one where the last stopped). Hands each run of positions to
    // sink.Windows(first, chunk), and each position whose window holds a value TooLarge to
    // sink.Unreliable(pos); `mayHoldTooLarge` says whether x[begin..end) may hold one.
    template <class Sink>
    void Scan(std::int64_t begin, std::int64_t end, bool mayHoldTooLarge, Sink& sink);

private:
    // Exact sums at least this often (checked at the start of each run of windows).
    static constexpr std::int64_t kAnchorInterval = 8192;

    // Each step rounds at most a few units in the last place of the squares in play; once
    // their total reaches this many times the window's own energy the sums are taken afresh,
    // which keeps the rounding under 1e-11 of it both in the squares and in the harmonic sum.
    static constexpr double kDriftLimit = 3e4;
    // Squares above this could overflow the sums.
    static constexpr double kHugeSquare = 1e290;

    double At(std::int64_t i) const { return i >= 0 ? x_[static_cast<std::size_t>(i - origin_)] : 0.0; }
    bool Huge(std::int64_t i) const { return TooLarge(At(i)); }
    // Moves the window over `count` positions from `first` into chunk_.
    void Advance(std::int64_t first, int count);
    // What entering newest[k] and leaving oldest[k] change in the sums.
    void TakeChanges(const double* newest, const double* oldest, int count, std::int32_t phase);
    // Sums the window ending at pos afresh into the running sums.
    void Anchor(std::int64_t pos, std::int32_t phase);
    // Moves the window on to end at pos, summing it afresh, into chunk_.
    void Restart(std::int64_t pos);
    // Writes the phasors of chunk_ at the phases from `phase` on.
    void TurnToEnds(std::int32_t phase);
    std::int32_t NextPhase(std::int32_t phase) const { return phase + 1 == period_ ? 0 : phase + 1; }

    std::span<const double> x_;
    std::int64_t origin_;
    std::int32_t period_;
    double scale_;                  // sqrt(2) / N
    std::vector<double> cosines_;   // cos(2 pi k / N) for k = 0..N + kChunk, wrapping
    std::vector<double> sines_;
    std::int32_t phase_ = -1;       // of the last window's end, mod N
    std::int64_t sinceAnchor_ = 0;
    std::int64_t hugeCount_ = 0;
    double sumOfSquares_ = 0.0;
    double drift_ = 0.0;  // the magnitudes rounded since the last anchor
    double sumRe_ = 0.0;  // sum of x[m] e^{j 2 pi m / N} over the window
    double sumIm_ = 0.0;
    Chunk chunk_;
    std::array<double, kChunk> leaving_;
    std::array<double, kChunk> newestSquare_;
    std::array<double, kChunk> changeOfSquares_;
    std::array<double, kChunk> changeRe_;
    std::array<double, kChunk> changeIm_;
};

template <class Sink>
void SlidingHarmonic::Scan(std::int64_t begin, std::int64_t end, bool mayHoldTooLarge, Sink& sink)
{
    if (hugeCount_ == 0 && !mayHoldTooLarge) {
        for (std::int64_t first = begin; first < end; first += kChunk) {
            Advance(first, static_cast<int>(std::min<std::int64_t>(kChunk, end - first)));
            sink.Windows(first, chunk_);
        }
        return;
    }
    for (std::int64_t pos = begin; pos < end; ++pos) {
        const std::int64_t before = hugeCount_;
        hugeCount_ += static_cast<int>(Huge(pos)) - static_cast<int>(Huge(pos - period_));
        if (hugeCount_ > 0) {
            phase_ = NextPhase(phase_);
            sink.Unreliable(pos);
            continue;
        }
        if (before > 0)
            Restart(pos);
        else
            Advance(pos, 1);
        sink.Windows(pos, chunk_);
    }
}

} // namespace zarva
