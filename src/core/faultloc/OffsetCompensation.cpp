#include "core/faultloc/OffsetCompensation.h"

#include <cmath>
#include <numbers>

namespace zarva {

OffsetCompensation::OffsetCompensation(std::size_t period) : period_(static_cast<double>(period))
{
    // The window measure: (√2 / N) Σ x[k] (sin 2πk/N + j cos 2πk/N), k = 1..N.
    double re = 0.0;
    double im = 0.0;
    for (std::size_t k = 1; k <= period; ++k) {
        const double angle = 2.0 * std::numbers::pi * static_cast<double>(k) / period_;
        re += static_cast<double>(k) * std::sin(angle);
        im += static_cast<double>(k) * std::cos(angle);
    }
    leakPerSlope_ = std::complex<double>(re, im) * (std::numbers::sqrt2 / period_);
}

} // namespace zarva
