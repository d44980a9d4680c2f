#pragma once

#include "core/formats/CompanionPath.h"

#include <filesystem>
#include <string_view>

namespace zarva {

class Document;

struct ReadOptions {
    // Show the moments of revision 2013 records in UTC rather than in local time.
    bool utcFor2013 = true;
    // Survey the drawn curves (extremes, min/max levels) before returning; when false they
    // are left for the caller (PrepareAll instead of RecomputeAll).
    bool surveyCurves = true;
    // Read the samples of binary data files in place, from the mapped file, when they are
    // asked for, and derive no series unless computed channels need them: for a look at a
    // record's facts or a few of its samples, which then read only what they touch.
    bool mapSamples = false;
};

// Reads a COMTRADE record (configuration, data, header and settings file) into the document's
// Oscillogram and recomputes every channel. Runs on the loading thread: advances
// document.progress and returns early when its cancel flag is set (the caller checks it).
// Raises CZarvaException or FileException; what was read before a failure stays in the record.
void ReadComtrade(Document& document, const std::filesystem::path& cfgPath, const ReadOptions& options = {});

// ReadComtrade without the final recompute: the record as stored in its files.
void ReadComtradeFiles(Document& document, const std::filesystem::path& cfgPath, const ReadOptions& options = {});

} // namespace zarva
