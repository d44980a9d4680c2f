#pragma once

#include "core/finder/FoundRecord.h"
#include "core/formats/StoConversion.h"

#include <filesystem>
#include <optional>

namespace zarva {

// The facts of the record file at `path`, read as the readers read them but from the head
// only: the configuration of a ".cfg" (never its data file, which need not exist), the
// configuration section of a ".cff", the blocks before the samples of an ".osc". A ".sto"
// is converted through `sto` into a temporary folder, removed again; without a converter,
// or when none of its descriptions fits, it is listed without facts. None when the file is
// of another type or its head is not a record's.
std::optional<FoundRecord> ReadRecordHead(const std::filesystem::path& path, const StoConversionSetup& sto);

} // namespace zarva
