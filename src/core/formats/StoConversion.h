#pragma once

#include "core/formats/ComtradeConverter.h"

#include <filesystem>
#include <functional>
#include <string>

namespace zarva {

// What converting a ".sto" record needs from the application around it.
struct StoConversionSetup {
    ConverterFactory makeConverter;  // empty when the converter library is not installed
    std::string commandLineDst;      // the "-Dst" description file, used by an interactive open
    std::filesystem::path dstFolder; // searched for descriptions after the record's own folder
    // Interactive conversions only: asks the user for a description file (empty = cancelled)
    // and shows the conversion's progress (may be null).
    std::function<std::filesystem::path()> chooseDst;
    ConversionProgress* progress = nullptr;
};

// Converts the ".sto" of `path` into COMTRADE files in a new temporary folder and returns
// the ".cfg" written there, or empty when no description fits or the user cancels. The
// conversion is interactive when `tempFolderOut` is given: it receives the new folder, and
// errors are raised; otherwise they make the result empty.
std::filesystem::path ConvertSto(const std::filesystem::path& path, const StoConversionSetup& setup,
                                 std::filesystem::path* tempFolderOut = nullptr);

} // namespace zarva
