#pragma once

namespace zarva {

// Letters and decimal digits of the common scripts (Latin, Greek, Cyrillic, Armenian,
// Hebrew, Arabic, Devanagari, Thai, Georgian, kana, CJK, Hangul, full-width forms), the
// same for every locale.
bool IsLetterOrDigit(char32_t c);

} // namespace zarva
