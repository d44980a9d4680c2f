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
}

} // namespace zarva
