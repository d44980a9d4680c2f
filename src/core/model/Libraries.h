#pragma once

#include <string>
#include <vector>

namespace zarva {

// A library the program is built on, as the about box names it.
struct LibraryNotice {
    std::string name;
    std::string version;  // of the library loaded at run time
    std::string licence;
};

// The libraries of the core: ICU for code pages and case folding, libzip for archives.
std::vector<LibraryNotice> CoreLibraries();

} // namespace zarva
