#include "core/storage/CharClass.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace zarva {
namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// Sorted, disjoint ranges of letters and decimal digits.
constexpr std::array kLettersAndDigits = {
    Range{0x0030, 0x0039}, Range{0x0041, 0x005A}, Range{0x0061, 0x007A},
    Range{0x00AA, 0x00AA}, Range{0x00B5, 0x00B5}, Range{0x00BA, 0x00BA},
    Range{0x00C0, 0x00D6}, Range{0x00D8, 0x00F6}, Range{0x00F8, 0x02AF},  // Latin, IPA
    Range{0x0370, 0x0373}, Range{0x0376, 0x0377}, Range{0x037B, 0x037D},  // Greek
    Range{0x037F, 0x037F}, Range{0x0386, 0x0386}, Range{0x0388, 0x038A},
    Range{0x038C, 0x038C}, Range{0x038E, 0x03A1}, Range{0x03A3, 0x03F5},
    Range{0x03F7, 0x0481}, Range{0x048A, 0x052F},                         // Cyrillic
    Range{0x0531, 0x0556}, Range{0x0560, 0x0588},                         // Armenian
    Range{0x05D0, 0x05EA},                                                // Hebrew
    Range{0x0620, 0x064A}, Range{0x0660, 0x0669}, Range{0x066E, 0x066F},  // Arabic
    Range{0x0671, 0x06D3}, Range{0x06F0, 0x06FC},
    Range{0x0904, 0x0939}, Range{0x0966, 0x096F},                         // Devanagari
    Range{0x0E01, 0x0E30}, Range{0x0E50, 0x0E59},                         // Thai
    Range{0x10A0, 0x10C5}, Range{0x10D0, 0x10FA},                         // Georgian
    Range{0x1E00, 0x1EFF},                                                // Latin
    Range{0x3041, 0x3096}, Range{0x30A1, 0x30FA},                         // kana
    Range{0x3400, 0x4DBF}, Range{0x4E00, 0x9FFF},                         // CJK
    Range{0xAC00, 0xD7A3},                                                // Hangul
    Range{0xFF10, 0xFF19}, Range{0xFF21, 0xFF3A}, Range{0xFF41, 0xFF5A},  // full width
};

} // namespace

bool IsLetterOrDigit(char32_t c)
{
    const auto after = std::upper_bound(
        kLettersAndDigits.begin(), kLettersAndDigits.end(), c,
        [](char32_t value, const Range& range) { return value < range.first; });
    return after != kLettersAndDigits.begin() && c <= std::prev(after)->last;
}

} // namespace zarva
