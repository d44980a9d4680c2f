#include "core/document/Recompute.h"

#include "core/document/Document.h"

namespace zarva {

void RecomputeAll(Document& document)
{
    for (Channel& channel : document.oscillogram.channels) {
        if (document.progress.CancelRequested())
            return;
        channel.Recompute();
    }
    // Computed channels follow the channels they are computed from.
    document.oscillogram.calcChannels.Compute();
}

} // namespace zarva
