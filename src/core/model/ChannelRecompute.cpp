#include "core/model/Channel.h"

#include "core/document/Document.h"
#include "core/dsp/DerivedSeries.h"
#include "core/dsp/SeriesCache.h"

namespace zarva {

void Channel::PrepareAnalog()
{
    UpdateDisplayRatio();
    const std::int32_t period = owner->oscillogram.MeasureWindow(*this);
    const SampleSummary summary = SummariseSamples(*this, period);
    dcMean = summary.wholePeriodMean;
    derived_ = std::make_shared<const DerivedSeries>(*this, AnalogInputs(*this, period, summary), SeriesCache::Shared());
}

} // namespace zarva
