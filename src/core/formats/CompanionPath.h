#pragma once

#include <filesystem>
#include <string_view>

namespace zarva {

// The companion file of a record with the given extension (".cfg", ".dat", ".hdr", ".inf",
// ".set"): the name spelled in the case of the record's own extension when such a file exists,
// else in lower or upper case, else the first of these. Records written on other systems
// often come as "4.CFG" with "4.DAT".
std::filesystem::path CompanionPath(const std::filesystem::path& recordPath, std::string_view extension);

} // namespace zarva
