#pragma once

namespace zarva {

class Document;

// Rebuilds the derived series of every channel of the record, channels in parallel on as
// many threads as the machine runs at once. Advances the document's progress and stops early
// when it is cancelled. An error of a channel (the first in channel order) is raised again
// here once every thread has stopped. Then the computed channels are computed again; a
// formula that fails raises its error.
void RecomputeAll(Document& document);

} // namespace zarva
