#include "core/dsp/SlidingHarmonic.h"

#include <numbers>

namespace zarva {
namespace {

// Exact sums at least this often.
constexpr std::int64_t kAnchorInterval = 8192;
// Each step rounds at most a few units in the last place of the squares in play; once their
// total reaches this many times the window's own energy the sums are taken afresh, which
// keeps the rounding under 1e-11 of it both in the squares and in the harmonic sum.
constexpr double kDriftLimit = 3e4;
// Squares above this could overflow the sums.
constexpr double kHugeSquare = 1e290;

} // namespace

SlidingHarmonic::SlidingHarmonic(std::span<const double> x, std::int32_t period)
    : x_(x), period_(period), table_(period)
{
}

void SlidingHarmonic::MoveTo(std::int64_t pos)
{
    phase_ = phase_ + 1 == period_ ? 0 : phase_ + 1;
    const double newest = x_[static_cast<std::size_t>(pos)];
    const double oldest = At(pos - period_);
    const double newestSquare = newest * newest;
    const double oldestSquare = oldest * oldest;
    hugeCount_ += (newestSquare > kHugeSquare) - (oldestSquare > kHugeSquare);
    if (hugeCount_ > 0) {
        stale_ = true;
        return;
    }
    drift_ += sumOfSquares_ + newestSquare;
    sumOfSquares_ += newestSquare - oldestSquare;
    const double change = newest - oldest;
    harmonic_ += Phasor(change * table_.Cos(phase_), change * table_.Sin(phase_));
    if (stale_ || ++sinceAnchor_ == kAnchorInterval || drift_ > kDriftLimit * sumOfSquares_)
        Anchor(pos);
}

void SlidingHarmonic::Anchor(std::int64_t pos)
{
    double squares = 0.0;
    double re = 0.0;
    double im = 0.0;
    std::int32_t phase = phase_;
    for (std::int64_t k = 0; k < period_; ++k) {
        const double value = At(pos - k);
        squares += value * value;
        re += value * table_.Cos(phase);
        im += value * table_.Sin(phase);
        phase = phase == 0 ? period_ - 1 : phase - 1;
    }
    sumOfSquares_ = squares;
    harmonic_ = {re, im};
    drift_ = static_cast<double>(period_) * squares;
    sinceAnchor_ = 0;
    stale_ = false;
}

Phasor SlidingHarmonic::PhasorAtEnd() const
{
    // Turn the sum back to the phase of the window's end: W = sum x e^{j 2 pi (m - pos) / N};
    // the sine convention takes (Im W, Re W).
    const double c = table_.Cos(phase_);
    const double s = table_.Sin(phase_);
    const double re = harmonic_.real() * c + harmonic_.imag() * s;
    const double im = harmonic_.imag() * c - harmonic_.real() * s;
    const double scale = std::numbers::sqrt2 / period_;
    return {scale * im, scale * re};
}

} // namespace zarva
