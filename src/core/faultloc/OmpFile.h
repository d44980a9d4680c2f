#pragma once

#include "core/faultloc/LineModel.h"

#include <filesystem>

namespace zarva {

// The fault-location settings file (".omp"): a settings file whose section "omp" holds the
// line model. Written as UTF-16LE XML; UTF-8 and Windows-1251 files are read too.

// Writes the file safely; raises FileException when it cannot.
void SaveOmpFile(const WrongPlaceLocatorData::LineModel& model, const std::filesystem::path& path);

// Replaces the model with the file's and returns true. A file that holds no settings (not
// XML, empty) leaves the model as it was and returns false; one without the section "omp"
// gives an empty model. Raises FileException when the file cannot be read.
bool LoadOmpFile(WrongPlaceLocatorData::LineModel& model, const std::filesystem::path& path);

} // namespace zarva
