#include "core/storage/TextFile.h"

#include "core/model/CodePage.h"
#include "core/model/ZarvaException.h"
#include "core/storage/StagedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace zarva {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

char16_t UnitAt(std::string_view bytes, std::size_t i)
{
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                 static_cast<unsigned char>(bytes[i + 1]) << 8);
}

void AppendUnit(std::string& out, char16_t unit)
{
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

std::string ReadAll(const std::filesystem::path& path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        throw FileException(errno, path);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(descriptor);
            throw FileException(error, path);
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(descriptor);
    return bytes;
}

} // namespace

std::string Utf16LeToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    for (std::size_t k = 0; k < units; ++k) {
        const char16_t unit = UnitAt(bytes, 2 * k);
        char32_t c = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && k + 1 < units) {
            const char16_t low = UnitAt(bytes, 2 * (k + 1));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (low - 0xDC00);
                ++k;
            }
        }
        AppendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? kReplacement : c);
    }
    return out;
}

std::string Utf8ToUtf16Le(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size() * 2);
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = kReplacement;
        const std::size_t length = Utf8SequenceLength(utf8, i, &c);
        i += length == 0 ? 1 : length;
        if (c < 0x10000) {
            AppendUnit(out, static_cast<char16_t>(c));
        } else {
            AppendUnit(out, static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            AppendUnit(out, static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    return out;
}

std::string ReadStoredText(const std::filesystem::path& path)
{
    const std::string bytes = ReadAll(path);
    if (bytes.empty())
        throw CZarvaException(messages::kBadFileFormat, path.string());
    const std::string_view view = bytes;
    if (StartsWith(view, "\xFF\xFE"))
        return Utf16LeToUtf8(view.substr(2));
    if (StartsWith(view, "\xEF\xBB\xBF"))
        return bytes.substr(3);
    return DecodeText(bytes, CodePage::Windows1251);
}

void ReplaceFile(const std::filesystem::path& path, std::string_view bytes)
{
    StagedFile file(path);
    file.Write(bytes);
    file.Commit();
}

} // namespace zarva
