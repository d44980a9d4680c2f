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

std::string CalcError(const std::string& expression)
{
    return ErrorText([&] { Calc(expression); });
}

const std::string kSyntax = ": Синтаксическая ошибка в формуле";

TEST(Grammar, OperatorsBindAsUsualAndAssociateLeftToRight)
{
    EXPECT_EQ(Calc("1 + 2 * 3").real, 7.0);
    EXPECT_EQ(Calc("8 - 2 - 1").real, 5.0);
    EXPECT_EQ(Calc("8 / 2 / 2").real, 2.0);
    EXPECT_EQ(Calc("2 * 3 ^ 2").real, 18.0);
    EXPECT_EQ(Calc("2 ^ 2 * 3").real, 12.0);
    EXPECT_EQ(Calc("(1 + 2) * 3").real, 9.0);
    EXPECT_EQ(Calc("-2 ^ 2").real, 4.0);
    EXPECT_EQ(Calc("-(1 + 2)").real, -3.0);
}

TEST(Grammar, OnlyOnePowerAndTrailingTokensAreNotExamined)
{
    EXPECT_EQ(Calc("2^3^2").real, 8.0);
    EXPECT_EQ(Calc("sqrt:(4))").real, 2.0);
    EXPECT_EQ(Calc("mod:(3)[VA]").real, 3.0);
    EXPECT_EQ(Calc("1 2 3").real, 1.0);
    EXPECT_EQ(CalcError("(2^3^2)"), "(2^3^2)" + kSyntax);
}

TEST(Grammar, FunctionsTakeAPrimaryWithoutBrackets)
{
    EXPECT_NEAR(Calc("sin: 30").real, 0.5, 1e-15);
    EXPECT_NEAR(Calc("sin: 30 * 2").real, 1.0, 1e-15);
    EXPECT_EQ(CalcError("sin: -30"), "sin: -30" + kSyntax);
}

TEST(Grammar, TopLevelMustHoldExactlyOneValue)
{
    EXPECT_EQ(CalcError("1, 2"), "1, 2" + kSyntax);
    EXPECT_EQ(CalcError("(1, 2)"), "(1, 2)" + kSyntax);
    // An operator combines the first values; the left operand's others stay.
    EXPECT_EQ(CalcError("(1, 2) + 3"), "(1, 2) + 3" + kSyntax);
    EXPECT_EQ(Calc("3 + (1, 2)").real, 4.0);
}

TEST(Grammar, IncompleteFormulasAreSyntaxErrors)
{
    for (const std::string formula : {"", "1 +", "(1", "(1]", "sin:", "[V]", ")", "1 * * 2"})
        EXPECT_EQ(CalcError(formula), formula + kSyntax) << formula;
}

TEST(Grammar, EmptyBracketsAndEmptyArgumentsGiveTheDefaultValue)
{
    const FormulaValue empty = Calc("()");
    EXPECT_EQ(empty.flags, 0);
    EXPECT_EQ(empty.real, 0.0);
    EXPECT_EQ(Calc("null").flags, 0);
    EXPECT_EQ(Calc("3i0:(1, , 2)").real, 3.0);
}

TEST(Grammar, DeepNestingIsRefusedNotOverflowingTheStack)
{
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    EXPECT_EQ(CalcError(deep), deep + kSyntax);
    const std::string fine = std::string(100, '(') + "1" + std::string(100, ')');
    EXPECT_EQ(Calc(fine).real, 1.0);
}

TEST(Operators, FlagsAreTheIntersectionOfTheOperands)
{
    FormulaValue sum = Calc("pf:(1, 1) + 2");
    EXPECT_EQ(sum.flags, FormulaValue::kPhasor);
    EXPECT_EQ(Calc("2 * 3").flags, FormulaValue::kReal | FormulaValue::kPhasor);
    EXPECT_EQ(Calc("null + 3").flags, 0);
}

TEST(Operators, ComplexProductAndQuotientAndIeeeDivision)
{
    const FormulaValue product = Calc("pf:(1, 2) * pf:(1, 3)");
    EXPECT_EQ(product.phasor, Phasor(6.0, 0.0));
    const FormulaValue zero = Calc("1 / 0");
    EXPECT_TRUE(std::isinf(zero.real));
    EXPECT_TRUE(std::isnan(Calc("0 / 0").real));
}

TEST(Operators, PowerTakesIntegerExponentsOnly)
{
    const FormulaValue cube = Calc("2 ^ 3");
    EXPECT_EQ(cube.real, 8.0);
    EXPECT_EQ(cube.flags, FormulaValue::kReal);
    EXPECT_EQ(cube.phasor, Phasor(2.0, 0.0));
    EXPECT_EQ(Calc("5 ^ 0").real, 1.0);
    EXPECT_EQ(Calc("2 ^ -1").real, 2.0);
    EXPECT_EQ(Calc("3 ^ 1").real, 3.0);
    EXPECT_EQ(CalcError("2 ^ 0.5"), "2 ^ 0.5" + kSyntax);
    EXPECT_EQ(CalcError("2 ^ (1/0)"), "2 ^ (1/0)" + kSyntax);
    EXPECT_EQ(CalcError("2 ^ 9999999999"), "2 ^ 9999999999" + kSyntax);
    EXPECT_TRUE(std::isinf(Calc("2 ^ 2000000000").real));
    EXPECT_EQ(Calc("1 ^ 2000000000").real, 1.0);
}

TEST(Operators, MinusNegatesAndKeepsFlags)
{
    const FormulaValue negated = Calc("-pf:(1, 2)");
    EXPECT_EQ(negated.flags, FormulaValue::kPhasor);
    EXPECT_EQ(negated.phasor, Phasor(-2.0, 0.0));
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
    engine.ClearVariables();
    EXPECT_FALSE(engine.HasVariable("zset"));
}

TEST(Variables, ErrorsNameTheFormulaText)
{
    Calculator engine;
    engine.SetChannelMode(false);
    EXPECT_EQ(ErrorText([&] { engine.SetVariable("x", "rms:(2)"); }),
              "Аргумент функции должен быть каналом: 'rms:(2)'");
}

} // namespace
} // namespace zarva
