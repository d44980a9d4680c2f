#pragma once

#include <string>
#include <string_view>

namespace zarva {

// Pieces of text handling shared by the XML reader and writers.

// Every occurrence of `from`, left to right, without rescanning what was put in.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

// Bytes in the run of letters, digits and '_' that starts at `at` (UTF-8).
std::size_t NameRunLength(std::string_view text, std::size_t at);

// An element or attribute name as written: a plain word bare, anything else quoted, as the
// reader accepts quoted names too. A name holding a double quote cannot be quoted; its
// quotes become apostrophes.
std::string WrittenName(const std::string& name);

} // namespace zarva
