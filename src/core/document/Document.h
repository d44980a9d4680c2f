#pragma once

#include "core/document/Annotations.h"
#include "core/document/CursorSet.h"
#include "core/document/LoadProgress.h"
#include "core/faultloc/LineModel.h"
#include "core/merge/MergeState.h"
#include "core/merge/UndoHistory.h"
#include "core/model/Oscillogram.h"
#include "core/storage/SettingsStore.h"

#include <filesystem>

namespace zarva {

// The framework-free document: one record and the state that travels with it.
class Document {
public:
    Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    Oscillogram oscillogram{this};
    SettingsStore settings;  // the record's .set file
    LoadProgress progress;
    CursorSet cursors;
    Annotations annotations;
    WrongPlaceLocatorData::LineModel lineModel;  // the faulted line, for fault location
    // The band of cursor times under the time ruler is shown in every view of the record.
    bool showCursorDifference = false;
    // 1-based index into oscillogram.frequencyChannels of the frequency the measures
    // track; 0 = none.
    int frequencyReference = 0;
    MergeState merge;
    UndoHistory undo;  // over pastes and merges
    // Holds the files of a record converted from ".sto" or split from ".cff"; empty
    // otherwise.
    std::filesystem::path tempFolder;
};

} // namespace zarva
