#pragma once

#include "core/document/Document.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <memory>
#include <string>

namespace zarva::test {

// A record read from its files into a document of its own: ".cff" by the single-file reader,
// anything else as a configuration.
std::unique_ptr<Document> ReadRecord(const std::filesystem::path& path);

// Checks that `copy`, saved from `original` and read back, holds the record's facts and its
// channels with their values: exactly where the copy kept a channel's scale, else within
// half a step of the copy's codes. Times are compared when `times` is set.
void ExpectSameRecord(const Oscillogram& original, const Oscillogram& copy, bool times = true);

} // namespace zarva::test
