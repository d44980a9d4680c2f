#pragma once

#include <algorithm>
#include <string_view>

namespace zarva {

// Character classes of formula text. Text is UTF-8: every byte of a multi-byte character
// counts as a letter, so Cyrillic channel names read as identifiers, as they do in the
// 8-bit code page.
constexpr char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr bool IsLetter(char c)
{
    const char lower = LowerAscii(c);
    return (lower >= 'a' && lower <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}

constexpr bool IsIdentifierStart(char c)
{
    return IsLetter(c) || c == '_' || c == '"';
}

constexpr bool IsIdentifierPart(char c)
{
    return IsLetter(c) || IsDigit(c) || c == '_';
}

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

} // namespace zarva
