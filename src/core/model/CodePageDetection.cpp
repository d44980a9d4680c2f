#include "core/model/CodePageDetection.h"

#include <unicode/uchar.h>

#include <array>
#include <limits>

namespace zarva {
namespace {

bool IsRussianLetter(char32_t c)
{
    return (c >= 0x0410 && c <= 0x044F) || c == 0x0401 || c == 0x0451;
}

bool IsCyrillic(char32_t c)
{
    return c >= 0x0400 && c <= 0x04FF;
}

bool IsLetter(char32_t c)
{
    return u_isalpha(static_cast<UChar32>(c));
}

std::u32string CodePoints(const std::string& utf8)
{
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0xFFFD;
        const std::size_t length = Utf8SequenceLength(utf8, i, &c);
        out += c;
        i += length == 0 ? 1 : length;
    }
    return out;
}

int NonLetterScore(char32_t c)
{
    if (c < 0x80)
        return 0;
    return c == 0xFFFD || u_iscntrl(static_cast<UChar32>(c)) ? -2 : -1;
}

// A word holding more ASCII letters than others is Latin text with an accent here and there;
// Cyrillic text has words of its own, at most led by a Latin phase letter ("Uф"). A capital
// after a small letter ("кВ") is how units are written, and how other pages read at random.
int LetterScore(char32_t c, char32_t before, CodePage page, bool latinWord)
{
    if (page == CodePage::Windows1252)
        return latinWord ? 2 : -1;
    if (!IsRussianLetter(c))
        return IsCyrillic(c) ? 0 : -1;
    if (latinWord)
        return -1;
    return u_isupper(static_cast<UChar32>(c)) && u_islower(static_cast<UChar32>(before)) ? 0 : 1;
}

using ByteTable = std::array<char32_t, 256>;

// The character of every byte in a single-byte page, decoded once: a record's hundreds of
// texts are then scored in each page without a conversion apiece.
const ByteTable& CharactersOf(CodePage page)
{
    static const std::array<ByteTable, 3> tables = [] {
        std::array<ByteTable, 3> built{};
        const CodePage pages[] = {CodePage::Windows1251, CodePage::Oem866, CodePage::Windows1252};
        for (std::size_t p = 0; p < built.size(); ++p) {
            for (std::size_t b = 0; b < 256; ++b) {
                const std::u32string decoded = CodePoints(ToUtf8(std::string(1, static_cast<char>(b)), pages[p]));
                built[p][b] = decoded.empty() ? U'\xFFFD' : decoded[0];
            }
        }
        return built;
    }();
    return tables[page == CodePage::Windows1251 ? 0 : (page == CodePage::Oem866 ? 1 : 2)];
}

int SingleByteScore(std::string_view bytes, CodePage page)
{
    const ByteTable& characters = CharactersOf(page);
    std::u32string text(bytes.size(), U'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = characters[static_cast<unsigned char>(bytes[i])];
    int score = 0;
    for (std::size_t start = 0; start < text.size();) {
        if (!IsLetter(text[start])) {
            score += NonLetterScore(text[start++]);
            continue;
        }
        std::size_t end = start;
        int ascii = 0;
        for (; end < text.size() && IsLetter(text[end]); ++end)
            ascii += text[end] < 0x80 ? 1 : 0;
        const bool latinWord = ascii > static_cast<int>(end - start) - ascii;
        for (std::size_t k = start; k < end; ++k)
            score += text[k] < 0x80 ? 0 : LetterScore(text[k], k > start ? text[k - 1] : U' ', page, latinWord);
        start = end;
    }
    return score;
}

unsigned ByteAt(std::string_view bytes, std::size_t i)
{
    return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
}

// Two bytes of one character: GB2312's first level holds the common characters, its second
// level and symbol rows the rarer ones; GBK's additions are rare and its user-defined rows
// are found only in texts of other pages.
int GbkPairScore(unsigned lead, unsigned trail)
{
    if (trail < 0xA1)
        return 0;
    if (lead >= 0xB0 && lead <= 0xD7)
        return 2;
    if ((lead >= 0xD8 && lead <= 0xF7) || (lead >= 0xA1 && lead <= 0xA9))
        return 1;
    return lead <= 0xA0 ? 0 : -2;
}

bool IsGbkLead(unsigned b)
{
    return b >= 0x81 && b <= 0xFE;
}

int GbkScore(std::string_view bytes)
{
    int score = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned lead = ByteAt(bytes, i);
        const unsigned trail = ByteAt(bytes, i + 1);
        if (lead < 0x80) {
            ++i;
        } else if (IsGbkLead(lead) && trail >= 0x40 && trail <= 0xFE && trail != 0x7F) {
            score += GbkPairScore(lead, trail);
            i += 2;
        } else if (IsGbkLead(lead) && trail >= 0x30 && trail <= 0x39 && IsGbkLead(ByteAt(bytes, i + 2)) &&
                   ByteAt(bytes, i + 3) >= 0x30 && ByteAt(bytes, i + 3) <= 0x39) {
            i += 4;  // a four-byte GB18030 character: valid, rare in names
        } else {
            score -= 2;
            ++i;
        }
    }
    return score;
}

int Score(std::string_view bytes, CodePage page)
{
    return page == CodePage::Gbk ? GbkScore(bytes) : SingleByteScore(bytes, page);
}

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, i, nullptr);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

} // namespace

CodePage DetectCodePage(const std::vector<std::string_view>& texts)
{
    bool allUtf8 = true;
    bool multiByte = false;
    for (const std::string_view text : texts) {
        allUtf8 = allUtf8 && IsValidUtf8(text);
        multiByte = multiByte || IsMultiByteUtf8(text);
    }
    if (allUtf8 && multiByte)
        return CodePage::Utf8;
    CodePage best = CodePage::Windows1251;
    int bestScore = std::numeric_limits<int>::min();
    // In the order that wins a tie.
    for (const CodePage page : {CodePage::Windows1251, CodePage::Oem866, CodePage::Gbk, CodePage::Windows1252}) {
        int score = 0;
        for (const std::string_view text : texts)
            score += Score(text, page);
        if (score > bestScore) {
            best = page;
            bestScore = score;
        }
    }
    return best;
}

} // namespace zarva
