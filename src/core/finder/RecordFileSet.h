#pragma once

#include <filesystem>
#include <vector>

namespace zarva {

// The files that make up the record at `recordPath`, for deleting it: the companions that
// exist, then the record's own file, so that a record stays listed until its last file goes.
// A configuration's companions are its data, header, ".ini", ".inf" and settings files as
// the reader finds them (4.CFG goes with 4.DAT); an ".osc" record's its settings file; other
// types have none. Only plain files are named, never a folder.
std::vector<std::filesystem::path> RecordFileSet(const std::filesystem::path& recordPath);

} // namespace zarva
