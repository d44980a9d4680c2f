#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace zarva {

using FormatArg = std::variant<std::int64_t, double, std::string>;

// printf for the string table's texts, safe whatever a table file holds: conversions
// %d %i %u %g %f %e %s and %% with the flags "-", "0", "+", " ", a width and a precision.
// Numbers are written locale-free; an argument of the other kind is converted, a missing
// one prints nothing, and an unknown conversion is copied as it stands.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);

// The shortest text that reads back as exactly `value`, written locale-free.
std::string ExactText(double value);

// Characters (code points) of UTF-8 text; a byte that starts no character counts as one.
std::size_t CharacterCount(const std::string& utf8);

// The first `count` characters (code points) of UTF-8 text.
std::string FirstCharacters(const std::string& utf8, std::size_t count);

// Line ends of texts the user edits: CR LF as LF, and every lone LF as CR LF.
std::string WithLineFeeds(std::string_view text);
std::string WithCrLf(std::string_view text);

} // namespace zarva
