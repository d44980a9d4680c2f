#include "core/model/Channel.h"

#include "core/document/Document.h"
#include "core/dsp/AnalogSeries.h"

#include <algorithm>

namespace zarva {

void Channel::RecomputeAnalog()
{
    UpdateDisplayRatio();
    const std::int32_t period = owner->oscillogram.SamplesPerPeriod(*this);
    dcMean = WholePeriodMean(*this, period);
    AnalogSeries series = BuildAnalogSeries(*this, period, owner->progress);
    instantSource_ = series.instant.empty() ? SeriesSource::Samples : SeriesSource::Own;
    displaySource_ = series.display.empty() ? SeriesSource::Instant : SeriesSource::Own;
    instantValues_ = std::move(series.instant);
    displayValues_ = std::move(series.display);
    phasorSeries = std::move(series.phasors);
    UpdateExtremes();
}

void Channel::UpdateExtremes()
{
    maxValue = -DBL_MAX;
    minValue = DBL_MAX;
    for (const double value : DisplaySeries()) {
        if (value > -DBL_MAX && value < DBL_MAX) {
            maxValue = std::max(maxValue, value);
            minValue = std::min(minValue, value);
        }
    }
}

} // namespace zarva
