#include "core/formats/CompanionPath.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace zarva {
namespace {

std::string Cased(std::string_view text, bool upper)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(c))
                                    : std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsUpperCase(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return std::isupper(c); }) &&
           std::none_of(text.begin(), text.end(), [](unsigned char c) { return std::islower(c); });
}

} // namespace

std::filesystem::path CompanionPath(const std::filesystem::path& recordPath, std::string_view extension)
{
    const bool upper = IsUpperCase(recordPath.extension().string());
    std::filesystem::path candidates[] = {recordPath, recordPath, recordPath};
    candidates[0].replace_extension(Cased(extension, upper));
    candidates[1].replace_extension(Cased(extension, false));
    candidates[2].replace_extension(Cased(extension, true));
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::exists(candidate, error))
            return candidate;
    }
    return candidates[0];
}

} // namespace zarva
