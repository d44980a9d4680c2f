#include "core/view/ViewScale.h"

#include "core/model/Rounding.h"

#include <algorithm>
#include <cmath>

namespace zarva {
namespace {

constexpr double kCoarsestScale = 2.0;
constexpr int kFinestExponent = -40;  // keeps sample counts of the view within 64 bits

} // namespace

double FitScale(int clientWidth, std::size_t sampleCount)
{
    if (sampleCount == 0)
        return 1.0;
    const double fit = static_cast<double>(clientWidth) / (view::kSampleWidth * static_cast<double>(sampleCount));
    double scale = 1.0;
    for (int exponent = 0; scale > fit && exponent > kFinestExponent; --exponent)
        scale *= 0.5;
    return scale;
}

double UsableScale(double stored, double fitScale)
{
    if (!std::isfinite(stored) || stored <= 0.0)
        return 2.0 * fitScale;
    // Six decimals in the settings file turn a small power of two into a near one: zoom
    // steps must land on 1.0 and on the fit scale again.
    const double exponent = RoundHalfUp(std::log2(stored));
    return std::exp2(std::clamp(exponent, static_cast<double>(kFinestExponent), std::log2(kCoarsestScale)));
}

std::int64_t VisibleSamples(int plotWidth, double xScale)
{
    return static_cast<std::int64_t>(std::trunc(plotWidth / static_cast<double>(view::kSampleWidth) / xScale)) - 1;
}

double SampleX(const ViewState& state, double sample)
{
    return state.leftMargin + (sample - static_cast<double>(state.firstSample)) * view::kSampleWidth * state.xScale;
}

std::int64_t SampleAtX(const ViewState& state, double x)
{
    const double sample = static_cast<double>(state.firstSample) +
                          (x - state.leftMargin) / state.xScale / view::kSampleWidth;
    return std::max<std::int64_t>(RoundToInt64(sample), 0);
}

ScrollRange LayoutHorizontally(ViewState& state, int clientWidth, std::size_t sampleCount)
{
    const auto count = static_cast<std::int64_t>(sampleCount);
    state.visibleSamples = VisibleSamples(clientWidth - state.leftMargin, state.xScale);
    ScrollRange bar;
    const std::int64_t span = count - state.visibleSamples;
    if (span > 0) {
        bar.enabled = true;
        bar.maximum = kHorizontalScrollUnits;
        bar.page = static_cast<int>(std::min<std::int64_t>(state.visibleSamples * kHorizontalScrollUnits / span,
                                                           kHorizontalScrollUnits));
    }
    if (state.visibleSamples > count - state.firstSample)
        state.firstSample = count - state.visibleSamples;
    state.firstSample = std::max<std::int64_t>(state.firstSample, 0);
    if (span > 0) {
        const std::int64_t position = state.firstSample * kHorizontalScrollUnits / span + 1;
        bar.position = static_cast<int>(std::clamp<std::int64_t>(position, 0, kHorizontalScrollUnits));
    }
    return bar;
}

ScrollRange LayoutVertically(ViewState& state, int clientHeight, int rulerBand, int contentHeight, int barPosition)
{
    const int available = clientHeight - rulerBand + 2;
    ScrollRange bar;
    if (contentHeight <= available) {
        state.verticalOffset = 0;
        return bar;
    }
    bar.enabled = true;
    bar.page = std::max(available, 1);
    bar.maximum = contentHeight - bar.page;
    bar.position = std::clamp(barPosition, 0, bar.maximum);
    state.verticalOffset = -bar.position;
    return bar;
}

int HorizontalScrollStep(const ViewState& state, std::size_t sampleCount)
{
    if (sampleCount == 0)
        return 0;
    const std::int64_t step = state.visibleSamples * kHorizontalScrollUnits / static_cast<std::int64_t>(sampleCount);
    return static_cast<int>(std::clamp<std::int64_t>(step, 1, kHorizontalScrollUnits));
}

int ScrollHorizontallyTo(ViewState& state, int position, std::size_t sampleCount)
{
    const std::int64_t span = static_cast<std::int64_t>(sampleCount) - state.visibleSamples;
    position = std::clamp(position, 0, kHorizontalScrollUnits);
    if (span <= 0) {
        state.firstSample = 0;
        return 0;
    }
    state.firstSample = span * position / kHorizontalScrollUnits;
    if (state.firstSample >= span) {
        state.firstSample = span;
        return kHorizontalScrollUnits;
    }
    return position;
}

int VerticalOffsetAt(int position, int contentHeight, int rulerBand, int clientHeight)
{
    const int lowest = -(contentHeight + rulerBand - clientHeight - 2);
    return std::max(std::min(-position, 0), std::min(lowest, 0));
}

bool ZoomInHorizontally(ViewState& state, std::optional<std::int64_t> anchor)
{
    if (state.xScale >= 1.0)
        return false;
    if (anchor)
        state.firstSample = *anchor - (*anchor - state.firstSample) / 2;
    state.xScale *= 2.0;
    return true;
}

bool ZoomOutHorizontally(ViewState& state, std::optional<std::int64_t> anchor, double fitScale,
                         std::size_t sampleCount, int clientWidth)
{
    if (state.xScale <= fitScale)
        return false;
    if (anchor)
        state.firstSample = *anchor + 2 * (state.firstSample - *anchor);
    state.xScale *= 0.5;
    const std::int64_t last = static_cast<std::int64_t>(sampleCount) -
                              static_cast<std::int64_t>(std::trunc((clientWidth - state.leftMargin) /
                                                                   static_cast<double>(view::kSampleWidth) /
                                                                   state.xScale)) -
                              1;
    state.firstSample = std::clamp<std::int64_t>(state.firstSample, 0, std::max<std::int64_t>(last, 0));
    return true;
}

bool ZoomVertically(ViewState& state, bool zoomIn, int anchorY)
{
    if (zoomIn ? state.yAnalogSize >= view::kMaxYAnalogSize : state.yAnalogSize <= view::kMinYAnalogSize)
        return false;
    const auto scaled = [zoomIn](double value) {
        return RoundHalfUp(zoomIn ? value * view::kVerticalZoomStep : value / view::kVerticalZoomStep);
    };
    state.verticalOffset = static_cast<int>(std::min(0.0, scaled(state.verticalOffset - anchorY) + anchorY));
    state.yAnalogSize = static_cast<int>(scaled(state.yAnalogSize));
    return true;
}

} // namespace zarva
