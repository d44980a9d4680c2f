#include "core/document/Recompute.h"

#include "core/document/Document.h"
#include "core/model/ParallelFor.h"

namespace zarva {

void RecomputeAll(Document& document)
{
    std::vector<Channel>& channels = document.oscillogram.channels;
    std::size_t samples = 0;
    for (const Channel& channel : channels)
        samples += channel.samples.Size();
    ParallelFor(channels.size(), ThreadsFor(samples), [&](std::size_t i) {
        if (!document.progress.CancelRequested())
            channels[i].Recompute();
    });
    if (document.progress.CancelRequested())
        return;
    // Computed channels follow the channels they are computed from.
    document.oscillogram.calcChannels.Compute();
}

} // namespace zarva
