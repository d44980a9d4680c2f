#pragma once

#include <string>
#include <vector>

namespace zarva {

class Document;
class SettingsStore;

// What applying another record's settings left undone.
struct SettingsTransferReport {
    std::vector<std::string> notInRecord;  // channel sections of the settings without a channel here
    std::vector<std::string> notInFile;    // channels of the record the settings say nothing of
    std::vector<std::string> formulaFailures;  // the computed channels that could not be computed
};

// Applies the settings of another record (its ".set" read into `source`) to the document:
// its computed channels replace the record's when it has any, then each channel whose
// identifier has a section there takes that section's display flags, ratios, alias and
// colour, and the diagrams' choices are taken over. What belongs to the other record's
// samples and moments (line-frequency series, code page, rate, cursors, annotations, the
// view) stays. Every channel is recomputed afterwards.
SettingsTransferReport ApplyRecordSettings(Document& document, const SettingsStore& source);

} // namespace zarva
