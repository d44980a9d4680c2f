#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zarva {

// An identifier as the tokenizer reads it from a formula: where it stands in the text,
// double quotes included, and the name it gives.
struct FormulaIdentifier {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string name;
};

// The identifiers of a formula in text order; the scan stops at a unit left unclosed.
std::vector<FormulaIdentifier> FormulaIdentifiers(const std::string& text);

// Whether a name written bare would be read as a word of the language ("pi", "null", a
// function) followed by the rest, rather than as one identifier.
bool StartsWithFormulaWord(std::string_view name);

} // namespace zarva
