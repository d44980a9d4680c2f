#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zarva {

class Oscillogram;

// One item of the tree of formula types offered when a computed channel is added. A leaf
// has a pattern whose "%s" marks stand for the chosen channel names or numbers in order;
// the free-text item has neither pattern nor children.
struct FormulaType {
    std::string russian;
    std::string english;
    std::string pattern;
    std::vector<FormulaType> children;

    // The caption in the interface language.
    const std::string& Caption() const;
    int ArgumentCount() const;
};

// The top-level items, in order.
const std::vector<FormulaType>& FormulaTypes();

// A channel name that is not a letter followed by letters and digits, or that starts with a
// word of the language ("Pickup" would read as pi and "ckup"), in double quotes, so that a
// formula reads it as one identifier.
std::string QuoteChannelName(std::string_view name);

// The pattern with its "%s" marks replaced by the arguments in order; a mark without an
// argument becomes an empty argument.
std::string BuildFormula(std::string_view pattern, const std::vector<std::string>& arguments);

// Whether a computed channel may be named so: a letter first, and none of the characters
// that the stored forms of the set use as separators.
bool IsComputedChannelName(std::string_view name);

// 0 when the name may be given to a new computed channel, else the message to show: 396
// when it does not start with a letter or holds a character that the stored forms of the
// set use as a separator, 473 when a channel or a computed channel has exactly that name.
int CheckNewChannelName(const Oscillogram& record, const std::string& name);

} // namespace zarva
