#include "core/finder/RecordFileSet.h"

#include "core/finder/FoundRecord.h"
#include "core/formats/ComtradeReader.h"

#include <span>
#include <string_view>

namespace zarva {
namespace {

bool IsPlainFile(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

constexpr std::string_view kConfigurationCompanions[] = {".dat", ".hdr", ".ini", ".inf", ".set"};
constexpr std::string_view kOscCompanions[] = {".set"};

std::span<const std::string_view> CompanionExtensions(RecordType type)
{
    switch (type) {
    case RecordType::Cfg:
        return kConfigurationCompanions;
    case RecordType::Osc:
        return kOscCompanions;
    case RecordType::Cff:
    case RecordType::Sto:
        break;
    }
    return {};
}

} // namespace

std::vector<std::filesystem::path> RecordFileSet(const std::filesystem::path& recordPath)
{
    std::vector<std::filesystem::path> files;
    const std::optional<RecordType> type = RecordTypeOf(recordPath);
    if (type) {
        for (const std::string_view extension : CompanionExtensions(*type)) {
            const std::filesystem::path companion = CompanionPath(recordPath, extension);
            if (IsPlainFile(companion))
                files.push_back(companion);
        }
    }
    if (IsPlainFile(recordPath))
        files.push_back(recordPath);
    return files;
}

} // namespace zarva
