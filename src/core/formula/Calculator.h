#pragma once

#include "core/formula/FormulaGrammar.h"
#include "core/formula/FormulaToken.h"
#include "core/formula/FormulaValue.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zarva {

class Channel;
class CZarvaException;

// The formula engine. A formula is tokenized once and then parsed and evaluated in one
// pass as often as needed. In channel mode identifiers name channels (found through
// FindChannel); otherwise they name the variables set with SetVariable.
class Calculator {
public:
    Calculator() = default;
    virtual ~Calculator() = default;

    // Builds the token list; raises the tokenizer's errors. The list may be partial after
    // an error.
    void Tokenize(const std::string& text);
    // Parses the token list at the current sample; the result must be exactly one value.
    FormulaValue Evaluate();
    // The unit of the formula last evaluated: a trailing unit in brackets, or the one the
    // unit rules give.
    std::string ResultUnit();

    // Stores the real number of the expression's value under the lower-cased name.
    void SetVariable(const std::string& name, const std::string& expression);
    void ClearVariables() { variables_.clear(); }
    bool HasVariable(const std::string& name) const;
    double VariableValue(const std::string& name) const;

    void SetChannelMode(bool on) { channelMode_ = on; }
    void SetSample(std::int64_t sample) { sample_ = sample; }
    std::int64_t Sample() const { return sample_; }
    const std::string& FormulaText() const { return text_; }
    const std::vector<Token>& Tokens() const { return tokens_.Tokens(); }

    virtual const Channel* FindChannel(const std::string& name) const;
    virtual double Frequency(std::int64_t sample) const;
    virtual unsigned SamplesPerPeriod() const;

protected:
    // Names of the formulas being evaluated, in order, and the index of the current one.
    std::vector<std::string> names_;
    std::size_t current_ = 0;

    // Whether formula `index` of names_ gives a channel, so that the formulas before it may
    // not name it. The base: every one does.
    virtual bool GivesChannel(std::size_t index) const;

    // The name errors are reported under: the current formula's name in channel mode,
    // the formula text otherwise.
    const std::string& MessageName() const;
    CZarvaException SyntaxError() const;

private:
    void AddIdentifier(std::string identifier);
    void FillEmptyArguments();
    template <typename ParseList>
    void Parse(ParseList&& parseList);

    std::string text_;
    TokenStream tokens_;
    ItemStack<FormulaValue> values_;
    std::map<std::string, double, std::less<>> variables_;
    bool channelMode_ = true;
    std::int64_t sample_ = 0;
};

} // namespace zarva
