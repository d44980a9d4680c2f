#include "core/storage/XmlText.h"

#include "core/model/CodePage.h"
#include "core/storage/CharClass.h"

#include <algorithm>

namespace zarva {

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to)
{
    std::size_t at = text.find(from);
    if (at == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size());
    std::size_t copied = 0;
    for (; at != std::string::npos; at = text.find(from, copied)) {
        out.append(text, copied, at - copied);
        out += to;
        copied = at + from.size();
    }
    out.append(text, copied);
    return out;
}

std::size_t NameRunLength(std::string_view text, std::size_t at)
{
    std::size_t end = at;
    while (end < text.size()) {
        char32_t c = 0;
        const std::size_t length = Utf8SequenceLength(text, end, &c);
        if (length == 0 || (c != '_' && !IsLetterOrDigit(c)))
            break;
        end += length;
    }
    return end - at;
}

std::string WrittenName(const std::string& name)
{
    if (!name.empty() && NameRunLength(name, 0) == name.size())
        return name;
    std::string quoted = '"' + name + '"';
    std::replace(quoted.begin() + 1, quoted.end() - 1, '"', '\'');
    return quoted;
}

} // namespace zarva
