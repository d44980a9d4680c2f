#include "core/dsp/TrackingWindow.h"

#include <cmath>

namespace zarva {

std::optional<TrackingWindow> TrackingWindow::Ending(std::int64_t pos, double samplingRate,
                                                     double frequency, int periods)
{
    if (!(samplingRate > 0.0) || !std::isfinite(samplingRate) || periods < 1)
        return std::nullopt;
    const double whole = std::floor(periods * samplingRate / frequency);
    if (!(whole < static_cast<double>(pos)))
        return std::nullopt;
    TrackingWindow window;
    window.step = 1.0 / samplingRate;
    window.whole = static_cast<std::int64_t>(whole);
    const double dt = window.step;
    const double remainder = periods / frequency - whole * dt;
    window.nearWeight = dt / 2.0;
    window.farWeight = dt / 2.0 + remainder - remainder * remainder / (2.0 * dt);
    window.beyondWeight = remainder * remainder / (2.0 * dt);
    return window;
}

} // namespace zarva
