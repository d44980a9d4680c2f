#include "core/dsp/SlidingHarmonic.h"

#include <algorithm>
#include <numbers>

namespace zarva {

SlidingHarmonic::SlidingHarmonic(std::span<const double> x, std::int64_t origin, std::int32_t period)
    : x_(x), origin_(origin), period_(period), scale_(std::numbers::sqrt2 / period)
{
    const SineTable table(period);
    const std::size_t size = static_cast<std::size_t>(period) + kChunk;
    cosines_.resize(size);
    sines_.resize(size);
    for (std::size_t k = 0; k < size; ++k) {
        cosines_[k] = table.Cos(static_cast<std::int64_t>(k % static_cast<std::size_t>(period)));
        sines_[k] = table.Sin(static_cast<std::int64_t>(k % static_cast<std::size_t>(period)));
    }
}

void SlidingHarmonic::Restore(const State& state)
{
    phase_ = state.phase;
    sinceAnchor_ = state.sinceAnchor;
    hugeCount_ = state.hugeCount;
    sumOfSquares_ = state.sumOfSquares;
    drift_ = state.drift;
    sumRe_ = state.sumRe;
    sumIm_ = state.sumIm;
}

void SlidingHarmonic::Advance(std::int64_t first, int count)
{
    if (sinceAnchor_ >= kAnchorInterval)
        Anchor(first - 1, phase_);
    const std::int32_t phase = NextPhase(phase_);
    const double* newest = x_.data() + (first - origin_);
    if (first >= period_) {
        TakeChanges(newest, newest - period_, count, phase);
    } else {
        for (int k = 0; k < count; ++k)
            leaving_[k] = At(first + k - period_);
        TakeChanges(newest, leaving_.data(), count, phase);
    }
    double squares = sumOfSquares_;
    double re = sumRe_;
    double im = sumIm_;
    double drift = drift_;
    for (int k = 0; k < count; ++k) {
        drift += squares + newestSquare_[k];
        squares += changeOfSquares_[k];
        re += changeRe_[k];
        im += changeIm_[k];
        if (drift > kDriftLimit * squares) [[unlikely]] {
            Anchor(first + k, (phase + k) % period_);
            squares = sumOfSquares_;
            re = sumRe_;
            im = sumIm_;
            drift = drift_;
        }
        chunk_.sumOfSquares[k] = squares;
        chunk_.re[k] = re;
        chunk_.im[k] = im;
    }
    sumOfSquares_ = squares;
    sumRe_ = re;
    sumIm_ = im;
    drift_ = drift;
    sinceAnchor_ += count;
    chunk_.count = count;
    TurnToEnds(phase);
    phase_ = (phase + count - 1) % period_;
}

void SlidingHarmonic::TakeChanges(const double* newest, const double* oldest, int count,
                                  std::int32_t phase)
{
    const double* cosines = cosines_.data() + phase;
    const double* sines = sines_.data() + phase;
    for (int k = 0; k < count; ++k) {
        newestSquare_[k] = newest[k] * newest[k];
        changeOfSquares_[k] = newest[k] * newest[k] - oldest[k] * oldest[k];
        changeRe_[k] = (newest[k] - oldest[k]) * cosines[k];
        changeIm_[k] = (newest[k] - oldest[k]) * sines[k];
    }
}

void SlidingHarmonic::Restart(std::int64_t pos)
{
    phase_ = NextPhase(phase_);
    Anchor(pos, phase_);
    chunk_.count = 1;
    chunk_.sumOfSquares[0] = sumOfSquares_;
    chunk_.re[0] = sumRe_;
    chunk_.im[0] = sumIm_;
    TurnToEnds(phase_);
}

void SlidingHarmonic::Anchor(std::int64_t pos, std::int32_t phase)
{
    double squares = 0.0;
    double re = 0.0;
    double im = 0.0;
    for (std::int64_t k = 0; k < period_; ++k) {
        const double value = At(pos - k);
        squares += value * value;
        re += value * cosines_[static_cast<std::size_t>(phase)];
        im += value * sines_[static_cast<std::size_t>(phase)];
        phase = phase == 0 ? period_ - 1 : phase - 1;
    }
    sumOfSquares_ = squares;
    sumRe_ = re;
    sumIm_ = im;
    drift_ = static_cast<double>(period_) * squares;
    sinceAnchor_ = 0;
}

// The sums are at absolute phase; turned back to the phase of each window's end they are
// W = sum x e^{j 2 pi (m - pos) / N}, and the sine convention reads the phasor as (Im W, Re W).
void SlidingHarmonic::TurnToEnds(std::int32_t phase)
{
    const double* cosines = cosines_.data() + phase;
    const double* sines = sines_.data() + phase;
    for (int k = 0; k < chunk_.count; ++k) {
        const double re = chunk_.re[k];
        const double im = chunk_.im[k];
        chunk_.re[k] = scale_ * (im * cosines[k] - re * sines[k]);
        chunk_.im[k] = scale_ * (re * cosines[k] + im * sines[k]);
    }
}

} // namespace zarva
