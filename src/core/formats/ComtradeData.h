#pragma once

#include "core/formats/ComtradeConfiguration.h"

#include <cstdint>
#include <vector>

namespace zarva {

class Document;
class MappedFile;

class StampCheck;

// What the data file gave besides the samples appended to the channels.
struct DataStamps {
    std::vector<std::int64_t> stamps;  // the time stamps as written, when they were collected
    bool present = false;              // at least one time stamp was written
};

// Appends the samples of a data file to the record's channels, polling the cancel flag and
// advancing the progress counters. The time stamps are collected when the record is timed by
// them (`check` is null), else handed to `check` one by one.
DataStamps ReadData(Document& document, MappedFile& file, DataFormat format, StampCheck* check);

} // namespace zarva
