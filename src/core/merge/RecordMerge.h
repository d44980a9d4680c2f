#pragma once

#include "core/merge/Resampler.h"

namespace zarva {

class Document;
class Oscillogram;

// The common grid of a record's channels: the highest rate rounded to whole samples per
// period of the line frequency. Raises error 330 when the record has no line frequency or
// rate to build one from.
double CommonRate(const Oscillogram& record);

// Resamples every channel of the record, pasted ones placed by the document's mergeOffset,
// onto one grid at the common rate that spans them all, and makes the result one ordinary
// record: no pasted channels, offset 0, the record's data to be written anew on saving.
// Cursors and annotations keep their moments on the new grid. An undo snapshot is taken
// first. A record without channels is left as it is. The channels' derived series and the
// computed channels are rebuilt.
void MergeRecord(Document& document);

} // namespace zarva
