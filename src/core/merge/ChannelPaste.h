#pragma once

#include "core/merge/ClipboardDocument.h"

#include <string>

namespace zarva {

class Document;
class Oscillogram;

// Adds copied channels to the document's record as pasted channels after its other channels,
// so that what refers to channels by position keeps its meaning. An undo snapshot is taken
// first; the selection is cleared; a name the record already has gets "(2)", "(3)", ...;
// the header text is rebuilt to name both source records. The caller recomputes nothing:
// the new channels' series are rebuilt here.
void PasteChannels(Document& document, CopiedChannels copied);

// `name`, or the first of name(2), name(3), ... that no channel of the record has.
std::string FreeChannelName(const Oscillogram& record, const std::string& name);

// The header text of a record with pasted channels: the merged-record title, then the target
// record's own header facts and the pasted record's, as two numbered blocks.
std::string MergedHeaderText(const Oscillogram& target, const CopiedChannels& copied);

} // namespace zarva
