#include "core/model/CodePage.h"
#include "core/model/CodePageDetection.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

// Bytes as the recorders of each page write them.
const std::string kTest1251 = "\xD2\xE5\xF1\xF2";             // Тест
const std::string kTest866 = "\x92\xA5\xE1\xE2";              // Тест
const std::string kVoltageGbk = "\xB5\xE7\xD1\xB9";           // 电压
const std::string kStation1252 = "Esta\xE7\xE3o de Medi\xE7\xE3o";  // Estação de Medição

TEST(CodePage, EachPageDecodesAndEncodesItsOwnBytes)
{
    EXPECT_EQ(ToUtf8(kTest1251, CodePage::Windows1251), "Тест");
    EXPECT_EQ(ToUtf8(kTest866, CodePage::Oem866), "Тест");
    EXPECT_EQ(ToUtf8(kVoltageGbk, CodePage::Gbk), "电压");
    EXPECT_EQ(ToUtf8(kStation1252, CodePage::Windows1252), "Estação de Medição");
    EXPECT_EQ(ToUtf8("\xB0", CodePage::Windows1251), "°");
    EXPECT_EQ(FromUtf8("Тест", CodePage::Oem866), kTest866);
    EXPECT_EQ(FromUtf8("A相电压", CodePage::Gbk), "A\xCF\xE0" + kVoltageGbk);
    EXPECT_EQ(FromUtf8("Ток 电", CodePage::Windows1251), "\xD2\xEE\xEA ?") << "what the page cannot hold";
    EXPECT_EQ(ToUtf8("\xB5", CodePage::Gbk), "\xEF\xBF\xBD") << "a lead byte cut short";
    for (const CodePage page : {CodePage::Windows1251, CodePage::Oem866, CodePage::Windows1252}) {
        std::string all;
        for (int b = 1; b < 256; ++b)
            all += static_cast<char>(b);
        EXPECT_EQ(FromUtf8(ToUtf8(all, page), page), all);
    }
}

TEST(CodePage, MultiByteUtf8IsTakenAsItIsOnlyBySingleBytePages)
{
    EXPECT_TRUE(IsMultiByteUtf8("Ток фазы"));
    EXPECT_FALSE(IsMultiByteUtf8("plain"));
    EXPECT_FALSE(IsMultiByteUtf8(kTest1251));
    EXPECT_FALSE(IsMultiByteUtf8("\xC0\x80"));  // overlong
    EXPECT_FALSE(IsMultiByteUtf8("\xE2\x82"));  // cut short
    EXPECT_EQ(DecodeText("Ток", CodePage::Oem866), "Ток");
    EXPECT_EQ(DecodeText("\xC2\xB0", CodePage::Windows1251), "°");
    EXPECT_EQ(DecodeText("\xC4\xB8", CodePage::Gbk), "母") << "a GBK pair that also reads as UTF-8";
}

TEST(CodePage, DetectionPrefersUtf8ThenTheBestReadingOfEachPage)
{
    struct Case {
        std::vector<std::string> texts;
        CodePage page;
    };
    const Case cases[] = {
        {{"Ток", "Ia"}, CodePage::Utf8},
        {{"Ia", "Ib", "STATION"}, CodePage::Windows1251},
        {{"Ua_1\xD1\xD8-110_\xD2\xCD_110\xEA\xC2", "\xCD\xE5\xE8\xE7\xE2\xE5\xF1\xF2\xED\xFB\xE9", "U\xF4"},
         CodePage::Windows1251},
        {{"\xD1\xD8", "\xD2\xCD"}, CodePage::Windows1251},  // СШ, ТН: pairs GBK would take too
        {{" \x91\xA1\xE0\xAE\xE1 \xE1\xA8\xA3\xAD\xA0\xAB\xA8\xA7\xA0\xE6\xA8\xA8", "I\xA2"}, CodePage::Oem866},
        {{"\xCF\xB5\xCD\xB3" "A\xCF\xE0" + kVoltageGbk, "220kV\xC4\xB8\xCF\xDF\xA2\xF1_Ua"}, CodePage::Gbk},
        {{kStation1252, "Oscil\xF3grafo"}, CodePage::Windows1252},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DetectCodePage({c.texts.begin(), c.texts.end()}), c.page) << c.texts.front();
}

} // namespace
} // namespace zarva
