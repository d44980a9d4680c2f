#include "core/document/Recompute.h"

#include "core/document/Document.h"
#include "core/dsp/DerivedSeries.h"
#include "core/model/ParallelFor.h"

namespace zarva {
namespace {

std::size_t StoredValues(const std::vector<Channel>& channels)
{
    std::size_t values = 0;
    for (const Channel& channel : channels)
        values += channel.samples.Size();
    return values;
}

void EveryChannel(Document& document, void (Channel::*step)())
{
    std::vector<Channel>& channels = document.oscillogram.channels;
    ParallelFor(channels.size(), ThreadsFor(StoredValues(channels)), [&](std::size_t i) {
        if (!document.progress.CancelRequested())
            (channels[i].*step)();
    });
    if (document.progress.CancelRequested())
        return;
    // Computed channels follow the channels they are computed from.
    document.oscillogram.calcChannels.Compute();
}

} // namespace

void RecomputeAll(Document& document)
{
    EveryChannel(document, &Channel::Recompute);
}

void PrepareAll(Document& document)
{
    EveryChannel(document, &Channel::PrepareSeries);
}

void SurveyAll(Document& document)
{
    std::vector<Channel>& channels = document.oscillogram.channels;
    ParallelFor(channels.size(), ThreadsFor(StoredValues(channels)), [&](std::size_t i) {
        if (channels[i].Derived())
            channels[i].Derived()->Survey(document.progress);
    });
    for (Channel& channel : channels)
        channel.TakeSurvey();
}

} // namespace zarva
