#include "core/dsp/TrackingSeries.h"

#include "core/dsp/WindowMeasures.h"

#include <cmath>
#include <numbers>

namespace zarva {
namespace {

// Rotations are taken afresh from sine and cosine this often, so that the products of the
// recurrence stay within a few hundred units in the last place.
constexpr std::int64_t kExactRotationEvery = 128;

// Values indexed by sample, held from sample `origin` on.
struct ValuesFrom {
    std::span<const double> x;
    std::int64_t origin;
    double operator[](std::int64_t i) const { return x[static_cast<std::size_t>(i - origin)]; }
};

} // namespace

TrackingSeries::TrackingSeries(std::span<const double> x, std::int64_t origin, double samplingRate,
                               const SampleData& reference)
    : x_(x), origin_(origin), reference_(reference), rate_(samplingRate)
{
}

std::int64_t TrackingSeries::Reach(std::int64_t pos, double samplingRate, const SampleData& reference)
{
    const auto window = TrackingWindow::Ending(pos, samplingRate, ReferenceFrequency(reference, pos), 1);
    return window ? window->whole + 1 : 0;
}

double TrackingSeries::Rms(std::int64_t pos)
{
    if (pos >= static_cast<std::int64_t>(reference_.Size()))
        return 0.0;
    const double frequency = ReferenceFrequency(reference_, pos);
    const auto window = TrackingWindow::Ending(pos, rate_, frequency, 1);
    if (!window)
        return 0.0;
    return window->RootMeanSquare(ValuesFrom{x_, origin_}, pos, frequency, 1);
}

Phasor TrackingSeries::FirstHarmonic(std::int64_t pos)
{
    const double frequency = ReferenceFrequency(reference_, pos);
    const auto window = TrackingWindow::Ending(pos, rate_, frequency, 1);
    if (!window)
        return {};
    PrepareRotations(frequency, *window);
    const double* newest = x_.data() + (pos - origin_);
    double re = 0.0;
    double im = 0.0;
    for (std::int64_t i = 1; i < window->whole; ++i) {
        re += newest[-i] * rotations_[static_cast<std::size_t>(i)].real();
        im += newest[-i] * rotations_[static_cast<std::size_t>(i)].imag();
    }
    const auto at = [&](std::int64_t i) { return newest[-i] * rotations_[static_cast<std::size_t>(i)]; };
    const Phasor integral = Phasor(re, im) * window->step + at(0) * window->nearWeight +
                            at(window->whole) * window->farWeight +
                            at(window->whole + 1) * window->beyondWeight;
    return integral * (std::numbers::sqrt2 * frequency);
}

void TrackingSeries::PrepareRotations(double frequency, const TrackingWindow& window)
{
    const auto count = static_cast<std::size_t>(window.whole) + 2;
    if (frequency == rotationsFrequency_ && rotations_.size() == count)
        return;
    rotationsFrequency_ = frequency;
    rotations_.resize(count);
    const double angleStep = 2.0 * std::numbers::pi * frequency * window.step;
    const Phasor turn(std::cos(angleStep), std::sin(angleStep));
    Phasor rotation;
    for (std::size_t i = 0; i < count; ++i) {
        if (i % kExactRotationEvery == 0) {
            const double angle = static_cast<double>(i) * angleStep;
            rotation = {-std::sin(angle), std::cos(angle)};
        } else {
            rotation *= turn;
        }
        rotations_[i] = rotation;
    }
}

} // namespace zarva
