#pragma once

#include "core/formats/CompanionPath.h"

#include <filesystem>
#include <string_view>

namespace zarva {

class Document;

struct ReadOptions {
    // Show the moments of revision 2013 records in UTC rather than in local time.
    bool utcFor2013 = true;
};

// Reads a COMTRADE record (configuration, data, header and settings file) into the document's
// Oscillogram and recomputes every channel. Runs on the loading thread: advances
// document.progress and returns early when its cancel flag is set (the caller checks it).
// Raises CZarvaException or FileException; what was read before a failure stays in the record.
void ReadComtrade(Document& document, const std::filesystem::path& cfgPath, const ReadOptions& options = {});

// ReadComtrade without the final recompute: the record as stored in its files.
void ReadComtradeFiles(Document& document, const std::filesystem::path& cfgPath, const ReadOptions& options = {});

} // namespace zarva
