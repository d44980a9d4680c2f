#pragma once

#include <complex>
#include <cstddef>

namespace zarva {

// A fault current carries a DC offset that decays while the one-period phasor window slides
// over it; its change inside the window leaks into the first-harmonic phasor and makes the
// distance swing for the first periods of a fault. Over one window the decay is close to a
// ramp, and the ramp's slope is the change of the window's mean from one sample to the next,
// (x[n] - x[n - N]) / N. This takes out what a ramp of that slope puts into the phasor.
class OffsetCompensation {
public:
    // For windows of `period` samples, phasors as the first-harmonic window measure gives them
    // (RMS, angle of a sine at the window's end).
    explicit OffsetCompensation(std::size_t period);

    std::complex<double> operator()(std::complex<double> measured, double newest, double leaving) const
    {
        return measured - leakPerSlope_ * ((newest - leaving) / period_);
    }

private:
    double period_;
    std::complex<double> leakPerSlope_;  // the phasor of the ramp 1, 2, ..., N
};

} // namespace zarva
