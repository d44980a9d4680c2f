#pragma once

#include "core/document/Document.h"

#include <cstddef>
#include <cstdint>

namespace zarva::bench {

// Fills an empty document, without a file, with a record of one sampling rate: analog
// channels carrying a 50 Hz wave with a third harmonic, a decaying offset and noise, each
// channel its own phase.
void FillInMemoryRecord(Document& document, std::size_t analogChannels, std::size_t samples,
                        std::int32_t sampleRate);

} // namespace zarva::bench
