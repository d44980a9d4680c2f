#include "core/merge/UndoHistory.h"

#include "core/document/Document.h"

namespace zarva {
namespace {

RecordSnapshot Take(const Document& document)
{
    const Oscillogram& record = document.oscillogram;
    return {record.channels,   record.sampleTimes,    record.rateSegments,
            record.lineFrequencySeries, record.sampleRate, record.headerText,
            record.headerCodePage, record.storedDataChanged, document.merge.mergeOffset,
            record.startDate, record.startTime, record.startText, record.zeroSample,
            document.cursors, document.annotations.Items()};
}

void Restore(Document& document, RecordSnapshot snapshot)
{
    Oscillogram& record = document.oscillogram;
    // Marks made or moved since stay where they are unless the grid they index changes.
    if (record.sampleTimes != snapshot.sampleTimes) {
        document.cursors = snapshot.cursors;
        document.annotations.Assign(std::move(snapshot.annotations));
    }
    record.channels = std::move(snapshot.channels);
    record.sampleTimes = std::move(snapshot.sampleTimes);
    record.rateSegments = std::move(snapshot.rateSegments);
    record.lineFrequencySeries = std::move(snapshot.lineFrequencySeries);
    record.sampleRate = snapshot.sampleRate;
    record.headerText = std::move(snapshot.headerText);
    record.headerCodePage = snapshot.headerCodePage;
    record.storedDataChanged = snapshot.storedDataChanged;
    document.merge.mergeOffset = snapshot.mergeOffset;
    record.startDate = std::move(snapshot.startDate);
    record.startTime = std::move(snapshot.startTime);
    record.startText = std::move(snapshot.startText);
    record.zeroSample = snapshot.zeroSample;
    record.RebuildFrequencyChannels();
}

// Returns to the state last kept in `from`, keeping the present one in `to`.
bool Step(std::vector<RecordSnapshot>& from, std::vector<RecordSnapshot>& to, Document& document)
{
    if (from.empty())
        return false;
    to.push_back(Take(document));
    Restore(document, std::move(from.back()));
    from.pop_back();
    return true;
}

} // namespace

void UndoHistory::Save(const Document& document)
{
    undo_.push_back(Take(document));
    redo_.clear();
}

bool UndoHistory::Undo(Document& document)
{
    return Step(undo_, redo_, document);
}

bool UndoHistory::Redo(Document& document)
{
    return Step(redo_, undo_, document);
}

} // namespace zarva
