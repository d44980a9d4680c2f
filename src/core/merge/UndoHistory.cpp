#include "core/merge/UndoHistory.h"

#include "core/document/Document.h"

namespace zarva {
namespace {

RecordSnapshot Take(const Document& document)
{
    const Oscillogram& record = document.oscillogram;
    return {record.channels,   record.sampleTimes,    record.rateSegments,
            record.lineFrequencySeries, record.sampleRate, record.headerText,
            record.headerCodePage, record.storedDataChanged, document.merge.mergeOffset};
}

void Restore(Document& document, RecordSnapshot snapshot)
{
    Oscillogram& record = document.oscillogram;
    record.channels = std::move(snapshot.channels);
    record.sampleTimes = std::move(snapshot.sampleTimes);
    record.rateSegments = std::move(snapshot.rateSegments);
    record.lineFrequencySeries = std::move(snapshot.lineFrequencySeries);
    record.sampleRate = snapshot.sampleRate;
    record.headerText = std::move(snapshot.headerText);
    record.headerCodePage = snapshot.headerCodePage;
    record.storedDataChanged = snapshot.storedDataChanged;
    document.merge.mergeOffset = snapshot.mergeOffset;
    record.RebuildFrequencyChannels();
}

} // namespace

void UndoHistory::Save(const Document& document)
{
    undo_.push_back(Take(document));
    redo_.clear();
}

bool UndoHistory::Undo(Document& document)
{
    if (undo_.empty())
        return false;
    redo_.push_back(Take(document));
    Restore(document, std::move(undo_.back()));
    undo_.pop_back();
    return true;
}

bool UndoHistory::Redo(Document& document)
{
    if (redo_.empty())
        return false;
    undo_.push_back(Take(document));
    Restore(document, std::move(redo_.back()));
    redo_.pop_back();
    return true;
}

} // namespace zarva
