#pragma once

#include "core/formats/ComtradeConfiguration.h"

#include <cstdint>
#include <memory>
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

// Gives the record's channels the samples of a data file, in the form the file holds them,
// polling the cancel flag and advancing the progress counters. The time stamps are collected
// when the record is timed by them (`check` is null), else handed to `check` one by one. With
// `mapSamples` the binary forms' samples are read in place from the file when they are asked
// for.
DataStamps ReadData(Document& document, const std::shared_ptr<MappedFile>& file, DataFormat format, StampCheck* check,
                    bool mapSamples);

} // namespace zarva
