#pragma once

#include "core/document/Annotations.h"
#include "core/document/CursorSet.h"
#include "core/model/Channel.h"
#include "core/model/CodePage.h"
#include "core/model/Oscillogram.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zarva {

class Document;

// What a paste or a merge changes: the record's channel set, and with a merge its time grid,
// start, header, offset of pasted channels and the samples cursors and annotations mark.
// Channels share their samples with the record.
struct RecordSnapshot {
    std::vector<Channel> channels;
    std::vector<std::int64_t> sampleTimes;
    std::vector<RateSegment> rateSegments;
    std::vector<double> lineFrequencySeries;
    std::int32_t sampleRate = 0;
    std::string headerText;
    CodePage headerCodePage = CodePage::Windows1251;
    bool storedDataChanged = false;
    double mergeOffset = 0.0;
    std::string startDate;
    std::string startTime;
    std::string startText;
    std::int32_t zeroSample = 0;
    CursorSet cursors;
    std::vector<Annotation> annotations;
};

// Undo and redo over pastes and merges: Save before each, Undo returns to the state saved
// last, Redo to the state the last Undo left.
class UndoHistory {
public:
    // Keeps the document's state before a change; forgets what could be redone.
    void Save(const Document& document);
    // Whether there was a state to return to.
    bool Undo(Document& document);
    bool Redo(Document& document);

    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }

private:
    std::vector<RecordSnapshot> undo_;
    std::vector<RecordSnapshot> redo_;
};

} // namespace zarva
