#pragma once

#include "core/formats/ComtradeConfiguration.h"

#include <cstdint>
#include <vector>

namespace zarva {

class Document;
class MappedFile;

// What the data file gave besides the samples appended to the channels.
struct DataStamps {
    std::vector<std::int64_t> stamps;  // the time stamps as written, when they were collected
    bool present = false;              // at least one time stamp was written
};

// Appends the samples of a data file to the record's channels, polling the cancel flag and
// advancing the progress counters. Time stamps are collected for ASCII files and, for the
// binary forms, only when `needStamps` is set.
DataStamps ReadData(Document& document, MappedFile& file, DataFormat format, bool needStamps);

} // namespace zarva
