#pragma once

namespace zarva {

class Document;

// Rebuilds the derived series of every channel of the record, stopping when the document's
// cancel flag is set.
void RecomputeAll(Document& document);

} // namespace zarva
