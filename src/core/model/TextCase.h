#pragma once

#include <string>
#include <string_view>

namespace zarva {

// Unicode case folding of UTF-8 text, for comparing names without regard to case in any
// script ("Пуск" and "пуск", "Uф" and "uФ").
std::string FoldCase(std::string_view utf8);

bool EqualIgnoringCase(std::string_view a, std::string_view b);

// The upper-case form of one character.
char32_t UpperCase(char32_t c);

} // namespace zarva
