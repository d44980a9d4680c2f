#pragma once

#include "core/model/CodePage.h"

#include <cstdint>
#include <vector>

namespace zarva {

class Document;

// The sampling rates a record may be corrected to, highest first: those of the recorders
// made for its line frequency, 50 or 60 Hz; none for any other frequency.
std::vector<std::int32_t> CorrectableRates(double lineFrequency);

// Takes `rate` as the record's sampling rate: samples retimed, every channel's derived series
// and then the computed channels recomputed, the fault location done again. False when the
// rate was already the record's. Raises what the fault location raises, the rate changed.
bool CorrectSampleRate(Document& document, std::int32_t rate);

// Makes frequency channel `reference` (1-based, 0 none) the one the window measures track,
// and recomputes as above. False when nothing changed.
bool ChangeFrequencyReference(Document& document, int reference);

// Reads the record's names, station, recorder and header again in `page`, kept in the
// settings. Formulas keep referring to the channels they referred to. False when the texts
// were already read in that page.
bool ChangeCodePage(Document& document, CodePage page);

} // namespace zarva
