#pragma once

#include "cli/CliSupport.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace zarva {
class Oscillogram;
}

namespace zarva::cli {

// The channels and samples a dump prints, in the form `dump` prints them.
struct DumpSelection {
    std::vector<std::size_t> channels;
    std::size_t from = 0;
    std::size_t to = 0;  // one past the last sample
};

// The samples "--from" and "--to" name, clipped to the record; no channels yet.
DumpSelection SelectSamples(const Oscillogram& record, const Arguments& arguments);
// The "--format" option, checked: null for the default CSV.
const std::string* DumpFormat(const Arguments& arguments);
void PrintDump(const Oscillogram& record, const DumpSelection& selection, const std::string* format,
               std::ostream& out);

} // namespace zarva::cli
