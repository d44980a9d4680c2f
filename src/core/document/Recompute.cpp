#include "core/document/Recompute.h"

#include "core/document/Document.h"
#include "core/model/ParallelFor.h"

#include <numeric>

namespace zarva {

void RecomputeChanged(Document& document, const std::vector<std::size_t>& changed, ChannelChange change)
{
    std::vector<Channel>& channels = document.oscillogram.channels;
    std::size_t samples = 0;
    for (const std::size_t i : changed)
        samples += channels[i].samples.size();
    ParallelFor(changed.size(), ThreadsFor(samples), [&](std::size_t k) {
        if (!document.progress.CancelRequested())
            channels[changed[k]].Recompute();
    });
    if (document.progress.CancelRequested() || change != ChannelChange::Values)
        return;
    // Computed channels follow the channels they are computed from.
    document.oscillogram.calcChannels.Compute();
}

void RecomputeAll(Document& document)
{
    std::vector<std::size_t> all(document.oscillogram.channels.size());
    std::iota(all.begin(), all.end(), std::size_t{0});
    RecomputeChanged(document, all, ChannelChange::Values);
}

} // namespace zarva
