#include "FormulaTestRecord.h"

#include "core/formula/FormulaPatterns.h"
#include "core/model/StringTable.h"

#include <gtest/gtest.h>

#include <functional>

namespace zarva {
namespace {

using test::ErrorText;
using test::FormulaTestRecord;
using test::Polar;

void ForEachLeaf(const std::vector<FormulaType>& items,
                 const std::function<void(const FormulaType&)>& visit)
{
    for (const FormulaType& item : items) {
        if (item.children.empty())
            visit(item);
        ForEachLeaf(item.children, visit);
    }
}

TEST(FormulaTypes, EveryPatternBuildsAFormulaTheEvaluatorAccepts)
{
    FormulaTestRecord fixture;
    fixture.Add("I a", 1.0, Polar(10.0, -30.0), "A");
    int leaves = 0;
    ForEachLeaf(FormulaTypes(), [&](const FormulaType& type) {
        ++leaves;
        if (type.pattern.empty())
            return;
        const std::vector<std::string> arguments(static_cast<std::size_t>(type.ArgumentCount()),
                                                 QuoteChannelName("I a"));
        const std::string formula = BuildFormula(type.pattern, arguments);
        EXPECT_EQ(ErrorText([&] { fixture.Evaluate(formula, 30); }), "no error") << formula;
    });
    EXPECT_EQ(leaves, 57);
}

TEST(FormulaTypes, TreeStartsWithFreeTextAndFollowsTheInterfaceLanguage)
{
    const auto& types = FormulaTypes();
    ASSERT_EQ(types.size(), 7u);
    EXPECT_EQ(types[0].Caption(), "Формула");
    EXPECT_TRUE(types[0].pattern.empty());
    const FormulaType& phasePowers = types[4].children[1];
    EXPECT_EQ(phasePowers.children[0].pattern, "Mod:(Pf: (%s, %s))[VA]");
    EXPECT_EQ(phasePowers.children[1].pattern, "Re: (Pf: (%s, %s))[W]");
    EXPECT_EQ(phasePowers.children[2].pattern, "Im: (Pf: (%s, %s))[var]");
    EXPECT_EQ(types[6].children[2].children[0].ArgumentCount(), 24);
}

TEST(FormulaText, OddChannelNamesAreQuoted)
{
    for (const std::string plain : {"Ia2", "Ток", "Cos1"})
        EXPECT_EQ(QuoteChannelName(plain), plain);
    for (const std::string odd : {"2Ia", "I_a", "Ia (L1)", "", "Pickup", "NULL2"})
        EXPECT_EQ(QuoteChannelName(odd), "\"" + odd + "\"");
}

TEST(FormulaText, MarksWithoutArgumentsBecomeEmptyArguments)
{
    EXPECT_EQ(BuildFormula("I1: (%s, %s, %s)", {"Ia", "\"I b\"", "Ic"}), "I1: (Ia, \"I b\", Ic)");
    EXPECT_EQ(BuildFormula("TormMaxCur: (%s, %s, %s)", {"Ia"}), "TormMaxCur: (Ia, , )");
    EXPECT_EQ(BuildFormula("Frequency: ()", {}), "Frequency: ()");
}

TEST(NewChannelName, MustStartWithALetterAndBeNew)
{
    FormulaTestRecord fixture;
    fixture.Add("Ia", 1.0, {});
    fixture.record.calcChannels.Add("Sum", "Ia");
    const Oscillogram& record = fixture.record;
    for (const std::string fine : {"Ib", "ia", "Ток"})
        EXPECT_EQ(CheckNewChannelName(record, fine), 0) << fine;
    for (const std::string taken : {"Ia", "Sum"})
        EXPECT_EQ(CheckNewChannelName(record, taken), 473) << taken;
    for (const std::string bad : {"", "1Ia", "_x", " Ia", "I,a", "I\"a"})
        EXPECT_EQ(CheckNewChannelName(record, bad), 396) << bad;
    EXPECT_EQ(Text(396), "Неправильное имя канала.");
}

} // namespace
} // namespace zarva
