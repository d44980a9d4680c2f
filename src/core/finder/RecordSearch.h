#pragma once

#include "core/document/LoadProgress.h"
#include "core/finder/FoundRecord.h"
#include "core/formats/StoConversion.h"

#include <filesystem>
#include <functional>

namespace zarva {

struct SearchOptions {
    std::filesystem::path folder;
    bool recursive = false;  // sub-folders too (not those reached through links)
    StoConversionSetup sto;  // how ".sto" records are read; without a converter they are listed bare
};

// Walks the folder and hands every record to `onFound` as soon as its head is read, on the
// calling thread. The progress position counts the folder entries looked at; the walk stops
// at the next entry once cancel is requested. False when it was stopped. Folders that
// cannot be read are passed over.
bool FindRecords(const SearchOptions& options, LoadProgress& progress,
                 const std::function<void(FoundRecord)>& onFound);

} // namespace zarva
