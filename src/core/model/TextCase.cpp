#include "core/model/TextCase.h"

#include "core/model/CodePage.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace zarva {

std::string FoldCase(std::string_view utf8)
{
    std::string folded;
    folded.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = Utf8SequenceLength(utf8, i, &c);
        if (length == 0) {
            folded += utf8[i++];
            continue;
        }
        AppendUtf8(folded, static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT)));
        i += length;
    }
    return folded;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a == b || FoldCase(a) == FoldCase(b);
}

char32_t UpperCase(char32_t c)
{
    return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
}

} // namespace zarva
