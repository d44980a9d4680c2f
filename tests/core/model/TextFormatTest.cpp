#include "core/model/TextFormat.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(FormatText, NumbersAsPrintfWritesThemInTheCLocale)
{
    EXPECT_EQ(FormatText("%i мс", {std::int64_t{-42}}), "-42 мс");
    EXPECT_EQ(FormatText("%02d:%02d.%03d", {std::int64_t{7}, std::int64_t{5}, std::int64_t{9}}), "07:05.009");
    EXPECT_EQ(FormatText("%.3f", {2.25}), "2.250");
    EXPECT_EQ(FormatText("[%-6g]", {0.1}), "[0.1   ]");
    EXPECT_EQ(FormatText("[%4g]", {-2.5}), "[-2.5]");
    EXPECT_EQ(FormatText("%g", {1e-5}), "1e-05");
    EXPECT_EQ(FormatText("%g", {123456789.0}), "1.23457e+08");
    EXPECT_EQ(FormatText("%5.1e", {1500.0}), "1.5e+03");
    EXPECT_EQ(FormatText("%+d|% d", {std::int64_t{3}, std::int64_t{3}}), "+3| 3");
    EXPECT_EQ(FormatText("%i", {2.7}), "2");
}

TEST(FormatText, TextsPadByCharactersNotBytes)
{
    EXPECT_EQ(FormatText("[%-5s]", {std::string("кВ")}), "[кВ   ]");
    EXPECT_EQ(FirstCharacters("Фаза А линии", 6), "Фаза А");
    EXPECT_EQ(CharacterCount("Фаза"), 4u);
}

TEST(FormatText, BrokenFormatsNeverReadMissingArguments)
{
    EXPECT_EQ(FormatText("%s and %s and %n", {std::string("one")}), "one and  and %n");
    EXPECT_EQ(FormatText("100%% sure%", {}), "100% sure%");
    EXPECT_EQ(FormatText("%d", {std::string("text")}), "0");
    EXPECT_EQ(FormatText("%999999999d", {std::int64_t{1}}).size(), 1000u);
}

} // namespace
} // namespace zarva
