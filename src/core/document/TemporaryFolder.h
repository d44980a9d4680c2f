#pragma once

#include <filesystem>

namespace zarva {

// A new folder "Zarva_<hex>" under the user's temporary path, named by the current local
// time as a 64-bit file time (100 ns steps since 1601); empty when none can be made.
std::filesystem::path NewTemporaryFolder();

// Removes the folder with everything in it. A folder that is already gone is no error,
// and a failure leaves the rest to the system's cleaning of temporary files.
void DeleteTemporaryFolder(const std::filesystem::path& folder) noexcept;

} // namespace zarva
