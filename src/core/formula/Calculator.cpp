#include "core/formula/Calculator.h"

#include "core/formula/FormulaChars.h"
#include "core/formula/UnitSemantics.h"
#include "core/formula/ValueSemantics.h"
#include "core/model/StringTable.h"
#include "core/model/ZarvaException.h"

namespace zarva {
namespace {

constexpr int kSyntaxError = 343;

} // namespace

const Channel* Calculator::FindChannel(const std::string&) const
{
    return nullptr;
}

double Calculator::Frequency(std::int64_t) const
{
    return 0.0;
}

unsigned Calculator::SamplesPerPeriod() const
{
    return 0;
}

bool Calculator::GivesChannel(std::size_t) const
{
    return true;
}

const std::string& Calculator::MessageName() const
{
    return channelMode_ && current_ < names_.size() ? names_[current_] : text_;
}

CZarvaException Calculator::SyntaxError() const
{
    return CZarvaException::Composed(kSyntaxError, MessageName() + ": " + zarva::Text(kSyntaxError));
}

// Runs one parse from the first token, turning the parser's faults into the messages that
// name the formula.
template <typename ParseList>
void Calculator::Parse(ParseList&& parseList)
{
    tokens_.Rewind();
    try {
        parseList();
    } catch (const FormulaSyntaxFault&) {
        throw SyntaxError();
    } catch (const FormulaArgumentFault& fault) {
        throw CZarvaException::Composed(
            fault.messageId, zarva::Text(fault.messageId) + ": '" + MessageName() + "'");
    }
}

FormulaValue Calculator::Evaluate()
{
    values_.Clear();
    ValueSemantics semantics(*this);
    FormulaGrammar<ValueSemantics> grammar(tokens_, semantics, values_);
    Parse([&] { grammar.List(); });
    if (values_.Size() != 1)
        throw SyntaxError();
    return values_[0];
}

std::string Calculator::ResultUnit()
{
    const auto unitAtPosition = [this]() -> const Token* {
        const std::vector<Token>& tokens = tokens_.Tokens();
        const std::size_t position = tokens_.Position();
        return position < tokens.size() && tokens[position].id == kDimension ? &tokens[position]
                                                                              : nullptr;
    };
    if (const Token* unit = unitAtPosition())
        return unit->text;
    ItemStack<std::string> units;
    UnitSemantics semantics;
    FormulaGrammar<UnitSemantics> grammar(tokens_, semantics, units);
    Parse([&] { grammar.List(); });
    if (const Token* unit = unitAtPosition())
        return unit->text;
    return units.Empty() ? std::string() : units[0];
}

void Calculator::SetVariable(const std::string& name, const std::string& expression)
{
    Tokenize(expression);
    const double value = Evaluate().real;
    std::string key = name;
    for (char& c : key)
        c = LowerAscii(c);
    variables_[std::move(key)] = value;
}

bool Calculator::HasVariable(const std::string& name) const
{
    return variables_.find(name) != variables_.end();
}

double Calculator::VariableValue(const std::string& name) const
{
    const auto found = variables_.find(name);
    return found == variables_.end() ? 0.0 : found->second;
}

} // namespace zarva
