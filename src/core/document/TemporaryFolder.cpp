#include "core/document/TemporaryFolder.h"

#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>
#include <thread>

namespace zarva {
namespace {

std::uint64_t LocalFileTime()
{
    using namespace std::chrono;
    constexpr std::uint64_t kUnixEpochAsFileTime = 116444736000000000ULL;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ticks = duration_cast<nanoseconds>(now.time_since_epoch()).count() / 100;
    return kUnixEpochAsFileTime + static_cast<std::uint64_t>(ticks) +
           static_cast<std::uint64_t>(local.tm_gmtoff * 10000000LL);
}

std::string Hex(std::uint64_t value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return text;
}

} // namespace

std::filesystem::path NewTemporaryFolder()
{
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error)
        return {};
    for (int attempt = 0; attempt < 1001; ++attempt) {
        const std::filesystem::path folder = base / ("Zarva_" + Hex(LocalFileTime()));
        if (std::filesystem::create_directory(folder, error))
            return folder;
        if (error)
            return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return {};
}

void DeleteTemporaryFolder(const std::filesystem::path& folder) noexcept
{
    if (folder.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

} // namespace zarva
