#include "core/document/Recompute.h"

#include "core/document/Document.h"
#include "core/dsp/DerivedSeries.h"
#include "core/model/ParallelFor.h"

#include <numeric>

namespace zarva {
namespace {

std::vector<std::size_t> EveryChannel(const Document& document)
{
    std::vector<std::size_t> all(document.oscillogram.channels.size());
    std::iota(all.begin(), all.end(), std::size_t{0});
    return all;
}

void Rebuild(Document& document, const std::vector<std::size_t>& changed, ChannelChange change, void (Channel::*step)())
{
    std::vector<Channel>& channels = document.oscillogram.channels;
    std::size_t samples = 0;
    for (const std::size_t i : changed)
        samples += channels[i].samples.Size();
    ParallelFor(changed.size(), ThreadsFor(samples), [&](std::size_t k) {
        if (!document.progress.CancelRequested())
            (channels[changed[k]].*step)();
    });
    if (document.progress.CancelRequested() || change != ChannelChange::Values)
        return;
    // Computed channels follow the channels they are computed from.
    document.oscillogram.calcChannels.Compute();
}

} // namespace

void RecomputeChanged(Document& document, const std::vector<std::size_t>& changed, ChannelChange change)
{
    Rebuild(document, changed, change, &Channel::Recompute);
}

void RecomputeAll(Document& document)
{
    Rebuild(document, EveryChannel(document), ChannelChange::Values, &Channel::Recompute);
}

void PrepareAll(Document& document)
{
    Rebuild(document, EveryChannel(document), ChannelChange::Values, &Channel::PrepareSeries);
}

void SurveyAll(Document& document)
{
    std::vector<Channel>& channels = document.oscillogram.channels;
    std::size_t samples = 0;
    for (const Channel& channel : channels)
        samples += channel.samples.Size();
    ParallelFor(channels.size(), ThreadsFor(samples), [&](std::size_t i) {
        if (channels[i].Derived())
            channels[i].Derived()->Survey(document.progress);
    });
    for (Channel& channel : channels)
        channel.TakeSurvey();
}

} // namespace zarva
