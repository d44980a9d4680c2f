#include "FormulaTestRecord.h"

#include "core/formula/Calculator.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

using test::ErrorText;

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
