#include "core/storage/TextFile.h"

#include "core/model/CodePage.h"
#include "core/model/ZarvaException.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
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

// Closes the descriptor and removes the unfinished file unless released.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target)
    {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
            path_ = target;
            path_ += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
            descriptor_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (descriptor_ < 0 && errno != EEXIST)
                break;
        }
        if (descriptor_ < 0)
            throw FileException(errno, target);
    }
    ~TemporaryFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Descriptor() const { return descriptor_; }
    const std::filesystem::path& Path() const { return path_; }

    // Returns 0 or the error of the last step.
    int Close()
    {
        const int result = ::close(descriptor_);
        descriptor_ = -1;
        return result == 0 ? 0 : errno;
    }
    void Release() { path_.clear(); }

private:
    std::filesystem::path path_;
    int descriptor_ = -1;
};

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

int WriteAll(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
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
    std::error_code ignored;
    const std::filesystem::path target =
        std::filesystem::is_symlink(path, ignored) ? std::filesystem::canonical(path, ignored) : path;
    const std::filesystem::path& destination = target.empty() ? path : target;

    TemporaryFile file(destination);
    struct stat existing {};
    if (::stat(destination.c_str(), &existing) == 0)
        ::fchmod(file.Descriptor(), existing.st_mode & 07777);
    int error = WriteAll(file.Descriptor(), bytes);
    if (error == 0 && ::fsync(file.Descriptor()) != 0)
        error = errno;
    if (const int closeError = file.Close(); error == 0)
        error = closeError;
    if (error == 0 && ::rename(file.Path().c_str(), destination.c_str()) != 0)
        error = errno;
    if (error != 0)
        throw FileException(error, path);
    file.Release();
}

} // namespace zarva
