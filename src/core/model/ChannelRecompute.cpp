#include "core/model/Channel.h"

#include "core/document/Document.h"
#include "core/dsp/AnalogSeries.h"

namespace zarva {

void Channel::RecomputeAnalog()
{
    UpdateDisplayRatio();
    const std::int32_t period = owner->oscillogram.MeasureWindow(*this);
    const SampleSummary summary = SummariseSamples(*this, period);
    dcMean = summary.wholePeriodMean;
    AnalogSeries series;
    series.instant = std::move(instantValues_);
    series.display = std::move(displayValues_);
    series.phasors = std::move(phasorSeries);
    BuildAnalogSeries(*this, period, summary, owner->progress, series);
    instantSource_ = series.instant.empty() ? SeriesSource::Samples : SeriesSource::Own;
    displaySource_ = series.display.empty() ? SeriesSource::Instant : SeriesSource::Own;
    instantValues_ = std::move(series.instant);
    displayValues_ = std::move(series.display);
    phasorSeries = std::move(series.phasors);
    maxValue = series.extremes.high;
    minValue = series.extremes.low;
}

} // namespace zarva
