#include "FormulaTestRecord.h"

#include "core/formula/Calculator.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

using test::ErrorText;
using test::FormulaTestRecord;

std::vector<TokenId> IdsOf(const Calculator& engine)
{
    std::vector<TokenId> ids;
    for (const Token& token : engine.Tokens())
        ids.push_back(token.id);
    return ids;
}

TEST(Tokenizer, MatchesTableTextsByPrefixOnTheLowerCasedFormula)
{
    Calculator engine;
    engine.SetChannelMode(false);
    engine.Tokenize("SIN:PiNULL 3I0:");
    EXPECT_EQ(IdsOf(engine), (std::vector<TokenId>{kSin, kPi, kNullValue, k3I0, kEnd}));
}

TEST(Tokenizer, ReadsNumbersWithoutSignOrExponent)
{
    Calculator engine;
    engine.SetVariable("e3", "7");
    engine.SetChannelMode(false);
    engine.Tokenize("12.5 1e3");
    const auto& tokens = engine.Tokens();
    ASSERT_EQ(IdsOf(engine), (std::vector<TokenId>{kNumber, kNumber, kVariable, kEnd}));
    EXPECT_EQ(tokens[0].number, 12.5);
    EXPECT_EQ(tokens[1].number, 1.0);
    EXPECT_EQ(tokens[2].text, "e3");
}

TEST(Tokenizer, DimensionKeepsItsCaseAndNeedsAtLeastOneCharacter)
{
    Calculator engine;
    engine.SetChannelMode(false);
    engine.Tokenize("MOD:(2)[kVA]");
    ASSERT_EQ(engine.Tokens().size(), 6u);
    EXPECT_EQ(engine.Tokens()[4].id, kDimension);
    EXPECT_EQ(engine.Tokens()[4].text, "kVA");

    engine.Tokenize("1[]x]");
    EXPECT_EQ(engine.Tokens()[1].text, "]x");
}

TEST(Tokenizer, EmptyArgumentsBecomeNullValues)
{
    Calculator engine;
    engine.SetChannelMode(false);
    engine.Tokenize("i1:(1,,2,)");
    EXPECT_EQ(IdsOf(engine),
              (std::vector<TokenId>{kI1, kOpenBracket, kNumber, kComma, kNullValue, kComma, kNumber,
                                    kComma, kNullValue, kCloseBracket, kEnd}));
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

TEST(TokenizerErrors, UnclosedUnitOrNumberWithTwoPoints)
{
    Calculator engine;
    engine.SetChannelMode(false);
    EXPECT_EQ(ErrorText([&] { engine.Tokenize("1.2.3"); }), " не определен '1.2.3'");
    EXPECT_EQ(ErrorText([&] { engine.Tokenize("2[V"); }), " не определен '2[V'");
}

TEST(TokenizerErrors, CharacterNoRuleAccepts)
{
    Calculator engine;
    engine.SetChannelMode(false);
    EXPECT_EQ(ErrorText([&] { engine.Tokenize("1\t+ 2"); }),
              "1\t+ 2: Синтаксическая ошибка в формуле");
    EXPECT_EQ(ErrorText([&] { engine.Tokenize(".5"); }), ".5: Синтаксическая ошибка в формуле");
}

TEST(TokenizerErrors, UnknownVariable)
{
    Calculator engine;
    engine.SetVariable("R", "2");
    engine.SetChannelMode(false);
    EXPECT_EQ(ErrorText([&] { engine.Tokenize("R + 1"); }), "R + 1: Переменная не найдена");
    engine.Tokenize("r + 1");
    EXPECT_EQ(engine.Evaluate().real, 3.0);
}

TEST(TokenizerErrors, UnknownChannelOfARecordAndOfThePlainEngine)
{
    FormulaTestRecord fixture;
    fixture.Add("Ia", 1.0, {});
    EXPECT_EQ(ErrorText([&] { fixture.Evaluate("Ia + Foo"); }), "Имя канала задано неправильно.");

    // The plain engine drops identifiers it cannot find: "Ia + Foo" reads as "Ia +".
    Calculator engine;
    engine.Tokenize("Ia + Foo");
    EXPECT_EQ(IdsOf(engine), (std::vector<TokenId>{kPlus, kEnd}));
    EXPECT_EQ(ErrorText([&] { engine.Evaluate(); }), "Ia + Foo: Синтаксическая ошибка в формуле");
}

} // namespace
} // namespace zarva
