#pragma once

#include "core/formula/FormulaToken.h"
#include "core/formula/FormulaValue.h"

#include <cstdint>
#include <span>

namespace zarva {

class Calculator;

// The values the grammar computes: primaries, operators and the built-in functions,
// evaluated at the engine's current sample.
class ValueSemantics {
public:
    using Item = FormulaValue;

    explicit ValueSemantics(const Calculator& engine);

    FormulaValue Default() const { return {}; }
    FormulaValue Primary(const Token& token) const;
    void Combine(TokenId op, FormulaValue& a, const FormulaValue& b) const;
    void Raise(FormulaValue& base, const FormulaValue& exponent) const;
    void Negate(FormulaValue& a) const;
    // Checks the argument count and kinds, then leaves the result in args[0].
    void Apply(TokenId function, std::span<FormulaValue> args) const;

private:
    FormulaValue ChannelPrimary(const Channel& channel) const;

    const Calculator& engine_;
    std::int64_t sample_;
};

} // namespace zarva
