#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace zarva {

// The last P periods of frequency f before a position, over which the tracking forms take
// the trapezoidal integral of the linear interpolation of a per-sample quantity.
struct TrackingWindow {
    double step = 0.0;          // dt, seconds per sample
    std::int64_t whole = 0;     // M, whole samples inside the window
    double nearWeight = 0.0;    // weight of q(pos)
    double farWeight = 0.0;     // weight of q(pos - M)
    double beyondWeight = 0.0;  // weight of q(pos - M - 1), the fractional start

    // None when the window does not fit after the first sample or the rate is unusable.
    static std::optional<TrackingWindow> Ending(std::int64_t pos, double samplingRate,
                                                double frequency, int periods);

    // The integral of q, given q(i) for the sample i steps before the position.
    template <class Quantity>
    auto Integrate(Quantity q) const -> decltype(q(0))
    {
        decltype(q(0)) inner{};
        for (std::int64_t i = 1; i < whole; ++i)
            inner += q(i);
        return inner * step + q(0) * nearWeight + q(whole) * farWeight +
               q(whole + 1) * beyondWeight;
    }

    // The RMS over the window of `periods` periods of `frequency` ending at pos, x[i] the
    // instantaneous value of sample i.
    template <class Values>
    double RootMeanSquare(const Values& x, std::int64_t pos, double frequency, int periods) const
    {
        const double integral = Integrate([&](std::int64_t i) {
            const double value = x[pos - i];
            return value * value;
        });
        return std::sqrt(integral * frequency / periods);
    }
};

} // namespace zarva
