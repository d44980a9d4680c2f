#include "core/dsp/WindowMeasures.h"

#include "core/document/Document.h"
#include "core/dsp/InstantValue.h"
#include "core/dsp/SineTable.h"
#include "core/dsp/TrackingWindow.h"

#include <cmath>
#include <numbers>

namespace zarva {
namespace {

constexpr double kSqrt2 = std::numbers::sqrt2;
constexpr double kNoFrequency = 50.0;

// Status channels, and the channels of a record with too few samples in a period, have no
// window measures: they are 0.
bool Unmeasured(const Channel& channel)
{
    return channel.IsDiscrete() || !channel.owner->oscillogram.HasWindowMeasures(channel);
}

std::int64_t PeriodSamples(const Channel& channel)
{
    return channel.owner->oscillogram.SamplesPerPeriod(channel);
}

double NominalDc(const InstantSamples& x, std::int64_t pos, std::int64_t width)
{
    if (pos < width - 1)
        return 0.0;
    double sum = 0.0;
    for (std::int64_t k = 1; k <= width; ++k)
        sum += x[pos - width + k];
    return sum / static_cast<double>(width);
}

} // namespace

double NominalRms(const InstantSamples& x, std::int64_t pos, std::int64_t width)
{
    if (width - 1 > pos)
        return 0.0;
    double sum = 0.0;
    for (std::int64_t k = 1; k <= width; ++k) {
        const double value = x[pos - width + k];
        sum += value * value;
    }
    return std::sqrt(sum / static_cast<double>(width));
}

// The sines and cosines are evaluated here, so this stays the plain definition whatever the
// width.
double NominalHarmonic(const InstantSamples& x, int n, std::int64_t pos, std::int64_t width,
                       double firstHarmonicFactor)
{
    if (n == 0)
        return std::abs(NominalDc(x, pos, width));
    if (pos < width - 1)
        return 0.0;
    double re = 0.0;
    double im = 0.0;
    for (std::int64_t k = 1; k <= width; ++k) {
        const double angle = 2.0 * std::numbers::pi * n * static_cast<double>(k) /
                             static_cast<double>(width);
        const double value = x[pos - width + k];
        re += value * std::cos(angle);
        im += value * std::sin(angle);
    }
    const double magnitude = std::hypot(re, im) * kSqrt2 / static_cast<double>(width);
    return n == 1 ? magnitude * firstHarmonicFactor : magnitude;
}

Phasor NominalFirstHarmonicPhasor(const InstantSamples& x, std::int64_t pos, std::int32_t period)
{
    if (period - 1 > pos)
        return {};
    const SineTable& table = ThreadSineTable(period);
    double re = 0.0;
    double im = 0.0;
    for (std::int64_t k = 1; k <= period; ++k) {
        const double value = x[pos - period + k];
        re += value * table.Sin(k);
        im += value * table.Cos(k);
    }
    const double scale = kSqrt2 / period;
    return {scale * re, scale * im};
}

namespace {

double NominalFault(const InstantSamples& x, std::int64_t pos, std::int64_t period)
{
    if (pos < 2 * period)
        return 0.0;
    double sum = 0.0;
    for (std::int64_t k = 1; k <= period; ++k) {
        const std::int64_t i = pos - period + k;
        if (i < 2 * period)
            continue;
        const double change = x[i] - 2.0 * x[i - period] + x[i - 2 * period];
        sum += change * change;
    }
    return std::sqrt(sum) / std::sqrt(static_cast<double>(period));
}

double TrackingRms(const Channel& channel, std::int64_t pos, int periods, const Channel& reference)
{
    if (pos >= static_cast<std::int64_t>(reference.samples.Size()))
        return 0.0;
    const double frequency = ReferenceFrequency(reference, pos);
    const auto window = TrackingWindow::Ending(pos, SamplingRate(channel), frequency, periods);
    if (!window)
        return 0.0;
    return window->RootMeanSquare(InstantSamples(channel), pos, frequency, periods);
}

double TrackingDc(const Channel& channel, std::int64_t pos, int periods, const Channel& reference)
{
    const double frequency = ReferenceFrequency(reference, pos);
    const auto window = TrackingWindow::Ending(pos, SamplingRate(channel), frequency, periods);
    if (!window)
        return 0.0;
    const InstantSamples x(channel);
    return window->Integrate([&](std::int64_t i) { return x[pos - i]; }) * frequency / periods;
}

// The value `periods` periods of the frequency before pos, interpolated between samples.
double ValuePeriodsBack(const InstantSamples& x, std::int64_t pos, double periods,
                        double frequency, double rate)
{
    const double dt = 1.0 / rate;
    const auto whole = static_cast<std::int64_t>(std::floor(periods * rate / frequency));
    const double newer = x[pos - whole];
    const double older = x[pos - whole - 1];
    return newer + (periods / frequency - static_cast<double>(whole) * dt) * (older - newer) / dt;
}

double TrackingFault(const Channel& channel, std::int64_t pos, const Channel& reference)
{
    const double rate = SamplingRate(channel);
    if (!(rate > 0.0) || !std::isfinite(rate))
        return 0.0;
    const double frequency = ReferenceFrequency(reference, pos);
    if (!(static_cast<double>(pos) > std::floor(2.0 * rate / frequency)))
        return 0.0;
    const InstantSamples x(channel);
    return x[pos] - 2.0 * ValuePeriodsBack(x, pos, 1.0, frequency, rate) +
           ValuePeriodsBack(x, pos, 2.0, frequency, rate);
}

} // namespace

double Value(const Channel& channel, std::int64_t i)
{
    return InstantSamples(channel)[i];
}

double Rms(const Channel& channel, std::int64_t pos, int periods)
{
    if (Unmeasured(channel) || periods < 1)
        return 0.0;
    if (const Channel* reference = TrackingReference(channel))
        return TrackingRms(channel, pos, periods, *reference);
    return NominalRms(InstantSamples(channel), pos, PeriodSamples(channel) * periods);
}

double HarmonicRms(const Channel& channel, int n, std::int64_t pos)
{
    return HarmonicRmsOverPeriods(channel, n, pos, 1);
}

double HarmonicRmsOverPeriods(const Channel& channel, int n, std::int64_t pos, int periods)
{
    if (Unmeasured(channel) || periods < 1)
        return 0.0;
    if (const Channel* reference = TrackingReference(channel))
        return std::abs(TrackedPhasor(channel, n, pos, *reference, true, periods));
    return NominalHarmonic(InstantSamples(channel), n, pos, PeriodSamples(channel) * periods,
                           channel.owner->oscillogram.firstHarmonicFactor);
}

double DcComponent(const Channel& channel, std::int64_t pos, int periods)
{
    if (Unmeasured(channel) || periods < 1)
        return 0.0;
    if (const Channel* reference = TrackingReference(channel))
        return TrackingDc(channel, pos, periods, *reference);
    return NominalDc(InstantSamples(channel), pos, PeriodSamples(channel) * periods);
}

double FaultComponent(const Channel& channel, std::int64_t pos)
{
    if (Unmeasured(channel))
        return 0.0;
    if (const Channel* reference = TrackingReference(channel))
        return TrackingFault(channel, pos, *reference);
    return NominalFault(InstantSamples(channel), pos, PeriodSamples(channel));
}

Phasor FirstHarmonicPhasor(const Channel& channel, std::int64_t pos)
{
    if (Unmeasured(channel))
        return {};
    return NominalFirstHarmonicPhasor(InstantSamples(channel), pos,
                                      channel.owner->oscillogram.SamplesPerPeriod(channel));
}

Phasor TrackedPhasor(const Channel& channel, int n, std::int64_t pos, const Channel& reference,
                     bool binMode, int periods)
{
    if (Unmeasured(channel) || periods < 1)
        return {};
    const double frequency = ReferenceFrequency(reference, pos);
    const double rate = SamplingRate(channel);
    const auto window = TrackingWindow::Ending(pos, rate, frequency, periods);
    if (!window)
        return {};
    const double harmonic = binMode ? static_cast<double>(n) / periods : n;
    const double angleStep = 2.0 * std::numbers::pi * harmonic * frequency * window->step;
    const InstantSamples x(channel);
    const Phasor integral = window->Integrate([&](std::int64_t i) {
        const double angle = static_cast<double>(i) * angleStep;
        return x[pos - i] * Phasor(-std::sin(angle), std::cos(angle));
    });
    // The RMS of a sinusoid is its amplitude over √2; that of the DC term is the mean itself.
    const double rmsScale = n == 0 ? 1.0 : kSqrt2;
    return integral * (rmsScale * frequency / periods);
}

const Channel* TrackingReference(const Channel& channel)
{
    const Document& document = *channel.owner;
    const Oscillogram& record = document.oscillogram;
    const int chosen = document.frequencyReference;
    if (record.rateSegments.size() != 1 || chosen <= 0 ||
        static_cast<std::size_t>(chosen) > record.frequencyChannels.size())
        return nullptr;
    const std::size_t index = record.frequencyChannels[static_cast<std::size_t>(chosen) - 1];
    if (index >= record.channels.size() || &record.channels[index] == &channel)
        return nullptr;
    return &record.channels[index];
}

double SamplingRate(const Channel& channel)
{
    return channel.ownSampleRate != 0.0 ? channel.ownSampleRate
                                        : channel.owner->oscillogram.sampleRate;
}

double ReferenceFrequency(const Channel& reference, std::int64_t pos)
{
    return ReferenceFrequency(reference.samples.Get(), pos);
}

double ReferenceFrequency(const SampleData& reference, std::int64_t pos)
{
    if (pos < 0 || pos >= static_cast<std::int64_t>(reference.Size()))
        return kNoFrequency;
    const double frequency = reference.At(static_cast<std::size_t>(pos));
    return frequency > 0.0 && std::isfinite(frequency) ? frequency : kNoFrequency;
}

} // namespace zarva
