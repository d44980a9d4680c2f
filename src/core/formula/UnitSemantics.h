#pragma once

#include "core/formula/FormulaToken.h"

#include <span>
#include <string>

namespace zarva {

// The unit pass: the grammar computes unit texts instead of values. A sum, a product or
// a sign keeps the unit of its first operand; a power has none; functions have their own.
class UnitSemantics {
public:
    using Item = std::string;

    std::string Default() const { return {}; }
    std::string Primary(const Token& token) const;
    void Combine(TokenId, std::string&, const std::string&) const {}
    void Raise(std::string& base, const std::string&) const { base.clear(); }
    void Negate(std::string&) const {}
    void Apply(TokenId function, std::span<std::string> args) const;
};

} // namespace zarva
