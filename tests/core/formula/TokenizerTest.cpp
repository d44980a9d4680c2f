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

TEST(Tokenizer, IdentifiersKeepTheirCaseAndQuotesHoldAnyCharacters)
{
    FormulaTestRecord fixture;
    fixture.Add("IA", 1.0, {});
    fixture.Add("ib", 2.0, {});
    fixture.Add("Phase A-N", 4.0, {});
    EXPECT_EQ(fixture.Evaluate("IA + ib").real, 3.0);
    EXPECT_EQ(fixture.Evaluate("\"Phase A-N\" * 2").real, 8.0);
    EXPECT_EQ(fixture.Evaluate("\"Phase A-N").real, 4.0);
}

TEST(Tokenizer, PrefixMatchingSplitsIdentifiersThatStartLikeATableText)
{
    FormulaTestRecord fixture;
    fixture.Add("n", 2.0, {});
    // "pin" is pi followed by the channel n.
    EXPECT_EQ(ErrorText([&] { fixture.Evaluate("pin"); }), "no error");
    EXPECT_EQ(fixture.record.calcChannels.Tokens()[0].id, kPi);
    EXPECT_EQ(fixture.record.calcChannels.Tokens()[1].id, kChannel);
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

TEST_F(TokenizerTest, UnknownChannelOfARecordAndOfThePlainEngine)
{
    FormulaTestRecord fixture;
    fixture.Add("Ia", 1.0, {});
    EXPECT_EQ(ErrorText([&] { fixture.Evaluate("Ia + Foo"); }), "Имя канала задано неправильно.");

    // The plain engine drops identifiers it cannot find: "Ia + Foo" reads as "Ia +".
    engine.SetChannelMode(true);
    EXPECT_EQ(Ids("Ia + Foo"), (std::vector<TokenId>{kPlus, kEnd}));
    EXPECT_EQ(ErrorText([&] { engine.Evaluate(); }), "Ia + Foo: Синтаксическая ошибка в формуле");
}

} // namespace
} // namespace zarva
