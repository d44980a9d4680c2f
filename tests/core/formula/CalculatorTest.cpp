#include "FormulaTestRecord.h"

#include "core/formula/Calculator.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

using test::ErrorText;
using test::FormulaTestRecord;

// Tokenizes over variables only.
class TokenizerTest : public ::testing::Test {
protected:
    TokenizerTest() { engine.SetChannelMode(false); }

    std::vector<TokenId> Ids(const std::string& formula)
    {
        engine.Tokenize(formula);
        std::vector<TokenId> ids;
        for (const Token& token : engine.Tokens())
            ids.push_back(token.id);
        return ids;
    }

    Calculator engine;
};

TEST_F(TokenizerTest, MatchesTableTextsByPrefixOnTheLowerCasedFormula)
{
    EXPECT_EQ(Ids("SIN:PiNULL 3I0:"), (std::vector<TokenId>{kSin, kPi, kNullValue, k3I0, kEnd}));
    // Empty arguments become null values.
    EXPECT_EQ(Ids("i1:(1,,2,)"), (std::vector<TokenId>{kI1, kOpenBracket, kNumber, kComma, kNullValue, kComma,
                                                       kNumber, kComma, kNullValue, kCloseBracket, kEnd}));
}

TEST_F(TokenizerTest, ReadsNumbersWithoutSignOrExponent)
{
    engine.SetVariable("e3", "7");
    ASSERT_EQ(Ids("12.5 1e3"), (std::vector<TokenId>{kNumber, kNumber, kVariable, kEnd}));
    const auto& tokens = engine.Tokens();
    EXPECT_EQ(tokens[0].number, 12.5);
    EXPECT_EQ(tokens[1].number, 1.0);
    EXPECT_EQ(tokens[2].text, "e3");
}

TEST_F(TokenizerTest, DimensionKeepsItsCaseAndNeedsAtLeastOneCharacter)
{
    ASSERT_EQ(Ids("MOD:(2)[kVA]").size(), 6u);
    EXPECT_EQ(engine.Tokens()[4].id, kDimension);
    EXPECT_EQ(engine.Tokens()[4].text, "kVA");
    engine.Tokenize("1[]x]");
    EXPECT_EQ(engine.Tokens()[1].text, "]x");
}

TEST(Tokenizer, ChannelNamesKeepTheirCaseQuotesHoldAnyCharactersUnknownOnesFail)
{
    FormulaTestRecord fixture;
    fixture.Add("IA", 1.0, {});
    fixture.Add("ib", 2.0, {});
    fixture.Add("Phase A-N", 4.0, {});
    fixture.Add("n", 2.0, {});
    EXPECT_EQ(fixture.Evaluate("IA + ib").real, 3.0);
    EXPECT_EQ(fixture.Evaluate("\"Phase A-N\" * 2").real, 8.0);
    EXPECT_EQ(fixture.Evaluate("\"Phase A-N").real, 4.0);
    // Prefix matching reads "pin" as pi followed by the channel n.
    EXPECT_EQ(ErrorText([&] { fixture.Evaluate("pin"); }), "no error");
    EXPECT_EQ(fixture.record.calcChannels.Tokens()[0].id, kPi);
    EXPECT_EQ(fixture.record.calcChannels.Tokens()[1].id, kChannel);
    EXPECT_EQ(ErrorText([&] { fixture.Evaluate("IA + Foo"); }), "Имя канала задано неправильно. - IA + Foo: 'Foo'");
}

TEST_F(TokenizerTest, TextsNoRuleAcceptsAreErrorsNamingTheFormula)
{
    engine.SetVariable("R", "2");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"1.2.3", " не определен '1.2.3'"},
        {"2[V", " не определен '2[V'"},
        {"1\t+ 2", "1\t+ 2: Синтаксическая ошибка в формуле"},
        {".5", ".5: Синтаксическая ошибка в формуле"},
        {"R + 1", "R + 1: Переменная не найдена"},  // variable names are lower case
    };
    for (const auto& [formula, message] : cases)
        EXPECT_EQ(ErrorText([&] { engine.Tokenize(formula); }), message);
    engine.Tokenize("r + 1");
    EXPECT_EQ(engine.Evaluate().real, 3.0);
}

TEST_F(TokenizerTest, PlainEngineDropsIdentifiersItCannotFind)
{
    // "Ia + Foo" reads as "Ia +".
    engine.SetChannelMode(true);
    EXPECT_EQ(Ids("Ia + Foo"), (std::vector<TokenId>{kPlus, kEnd}));
    EXPECT_EQ(ErrorText([&] { engine.Evaluate(); }), "Ia + Foo: Синтаксическая ошибка в формуле");
}

// Evaluates an expression over variables only.
FormulaValue Calc(const std::string& expression)
{
    Calculator engine;
    engine.SetChannelMode(false);
    engine.Tokenize(expression);
    return engine.Evaluate();
}

TEST(Grammar, ValuesOfWellFormedExpressions)
{
    const std::vector<std::pair<std::string, double>> cases = {
        // Operators bind as usual and associate left to right.
        {"1 + 2 * 3", 7.0}, {"8 - 2 - 1", 5.0}, {"8 / 2 / 2", 2.0}, {"2 * 3 ^ 2", 18.0},
        {"2 ^ 2 * 3", 12.0}, {"(1 + 2) * 3", 9.0}, {"-2 ^ 2", 4.0}, {"-(1 + 2)", -3.0},
        // Only one power is taken and tokens after a complete formula are not examined.
        {"2^3^2", 8.0}, {"sqrt:(4))", 2.0}, {"mod:(3)[VA]", 3.0}, {"1 2 3", 1.0},
        // An operator combines the first values of a list.
        {"3 + (1, 2)", 4.0},
        // An empty argument is the default value.
        {"3i0:(1, , 2)", 3.0},
        // Exponents are integers; a negative one counts as its modulus.
        {"5 ^ 0", 1.0}, {"2 ^ -1", 2.0}, {"3 ^ 1", 3.0}, {"1 ^ 2000000000", 1.0},
        {std::string(100, '(') + "1" + std::string(100, ')'), 1.0},
    };
    for (const auto& [expression, expected] : cases)
        EXPECT_EQ(Calc(expression).real, expected) << expression;
    // A function takes a primary without brackets.
    EXPECT_NEAR(Calc("sin: 30").real, 0.5, 1e-15);
    EXPECT_NEAR(Calc("sin: 30 * 2").real, 1.0, 1e-15);
}

TEST(Grammar, MalformedExpressionsAreSyntaxErrorsNamingTheText)
{
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    for (const std::string& formula : std::vector<std::string>{
             "(2^3^2)", "sin: -30", "1, 2", "(1, 2)",
             "(1, 2) + 3",  // the left operand's other values stay
             "", "1 +", "(1", "(1]", "sin:", "[V]", ")", "1 * * 2",
             "2 ^ 0.5", "2 ^ (1/0)", "2 ^ 9999999999",
             deep})  // refused rather than overflowing the stack
        EXPECT_EQ(ErrorText([&] { Calc(formula); }), formula + ": Синтаксическая ошибка в формуле")
            << formula.substr(0, 20);
}

TEST(Operators, ValueKindsAndComplexAndIeeeArithmetic)
{
    // The flags are the intersection of the operands'; minus keeps them.
    EXPECT_EQ(Calc("pf:(1, 1) + 2").flags, FormulaValue::kPhasor);
    EXPECT_EQ(Calc("2 * 3").flags, FormulaValue::kReal | FormulaValue::kPhasor);
    EXPECT_EQ(Calc("null + 3").flags, 0);
    const FormulaValue negated = Calc("-pf:(1, 2)");
    EXPECT_EQ(negated.flags, FormulaValue::kPhasor);
    EXPECT_EQ(negated.phasor, Phasor(-2.0, 0.0));
    const FormulaValue empty = Calc("()");
    EXPECT_EQ(empty.flags, 0);
    EXPECT_EQ(empty.real, 0.0);
    EXPECT_EQ(Calc("null").flags, 0);

    EXPECT_EQ(Calc("pf:(1, 2) * pf:(1, 3)").phasor, Phasor(6.0, 0.0));
    EXPECT_TRUE(std::isinf(Calc("1 / 0").real));
    EXPECT_TRUE(std::isnan(Calc("0 / 0").real));
    const FormulaValue cube = Calc("2 ^ 3");
    EXPECT_EQ(cube.real, 8.0);
    EXPECT_EQ(cube.flags, FormulaValue::kReal);
    EXPECT_EQ(cube.phasor, Phasor(2.0, 0.0));
    EXPECT_TRUE(std::isinf(Calc("2 ^ 2000000000").real));
}

TEST(Variables, NamesAreLowerCasedAndExpressionsMayUseEarlierOnes)
{
    Calculator engine;
    engine.SetChannelMode(false);
    engine.SetVariable("Zset", "2 * 3");
    engine.SetVariable("reach", "zset + 1");
    EXPECT_EQ(engine.VariableValue("reach"), 7.0);
    engine.SetVariable("reach", "1");
    EXPECT_EQ(engine.VariableValue("reach"), 1.0);
    EXPECT_EQ(ErrorText([&] { engine.SetVariable("x", "rms:(2)"); }),
              "Аргумент функции должен быть каналом: 'rms:(2)'");
    engine.ClearVariables();
    EXPECT_FALSE(engine.HasVariable("zset"));
}

} // namespace
} // namespace zarva
