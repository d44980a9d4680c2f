#pragma once

#include <string>
#include <string_view>

namespace zarva {

// 8-bit texts of records and formula files are kept as bytes and decoded for display.
enum class CodePage { Windows1251, Oem866, Gbk, Windows1252, Utf8 };

// Bytes the page does not define, and broken multi-byte sequences, become U+FFFD.
std::string ToUtf8(std::string_view bytes, CodePage page);

// Characters the code page cannot hold become '?'.
std::string FromUtf8(std::string_view utf8, CodePage page);

// True when the bytes are well-formed UTF-8 holding at least one multi-byte character:
// plain ASCII reads the same in every code page, and stray high bytes rarely form valid UTF-8.
bool IsMultiByteUtf8(std::string_view bytes);

// Valid multi-byte UTF-8 is taken as it is in a record of a single-byte page (recorders
// that mix pages write a unit such as "°" in UTF-8); anything else is decoded by the page.
// A double-byte page decodes every text itself: its pairs can look like UTF-8.
std::string DecodeText(std::string_view bytes, CodePage page);

void AppendUtf8(std::string& out, char32_t c);

// Length of the well-formed UTF-8 sequence starting at text[i] (its code point in *decoded
// when given), or 0 when there is none: overlong forms and surrogates are not well formed.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i, char32_t* decoded);

} // namespace zarva
