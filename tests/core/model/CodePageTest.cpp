#include "core/model/CodePage.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(CodePage, DecodesCyrillicFromBothEightBitPagesAndOemToWindows)
{
    EXPECT_EQ(Oem866ToWindows1251("\x92\xA5\xE1\xE2"), "\xD2\xE5\xF1\xF2");
    EXPECT_EQ(ToUtf8("\xD2\xE5\xF1\xF2", CodePage::Windows1251), "Тест");
    EXPECT_EQ(ToUtf8("\x92\xA5\xE1\xE2", CodePage::Oem866), "Тест");
    EXPECT_EQ(ToUtf8("\xB0", CodePage::Windows1251), "°");
}

TEST(CodePage, EncodingRoundTripsEveryByteOfBothPages)
{
    for (const CodePage page : {CodePage::Windows1251, CodePage::Oem866}) {
        std::string all;
        for (int b = 1; b < 256; ++b)
            all += static_cast<char>(b);
        EXPECT_EQ(FromUtf8(ToUtf8(all, page), page), all);
    }
}

TEST(CodePage, ValidMultiByteUtf8IsTakenAsIs)
{
    EXPECT_TRUE(IsMultiByteUtf8("Ток фазы"));
    EXPECT_FALSE(IsMultiByteUtf8("plain"));
    EXPECT_FALSE(IsMultiByteUtf8("\xD2\xE5\xF1\xF2"));
    EXPECT_FALSE(IsMultiByteUtf8("\xC0\x80"));  // overlong
    EXPECT_FALSE(IsMultiByteUtf8("\xE2\x82"));  // cut short
    EXPECT_EQ(DecodeText("Ток", CodePage::Oem866), "Ток");
    EXPECT_EQ(DecodeText("\xD2\xEE\xEA", CodePage::Windows1251), "Ток");
}

} // namespace
} // namespace zarva
