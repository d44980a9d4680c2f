#pragma once

#include <span>

namespace zarva {

struct StringEntry {
    int id;
    const char* text;
};

// The built-in Russian table, sorted by id.
std::span<const StringEntry> RussianStrings();

} // namespace zarva
