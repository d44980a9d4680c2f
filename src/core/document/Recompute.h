#pragma once

namespace zarva {

class Document;

// Rebuilds the derived series of every channel of the record, stopping when the document's
// cancel flag is set, then computes the computed channels again; a formula that fails
// raises its error.
void RecomputeAll(Document& document);

} // namespace zarva
